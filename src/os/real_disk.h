#pragma once
// Record files in a real folder, with the system's own calls: a write is
// flushed before it returns, and one cut short is undone.

#include <string>

#include "platform/disk.h"

namespace vz {

class RealDisk : public Disk {
public:
    explicit RealDisk(std::string folder);
    const std::string& folder() const { return folder_; }

    void Open(const std::string& name) override;
    Bytes Read(const std::string& name, std::size_t offset, std::size_t count) override;
    void Write(const std::string& name, std::size_t offset, const Bytes& bytes) override;
    std::optional<Bytes> Contents(const std::string& name) override;

private:
    std::string Path(const std::string& name) const;
    std::string folder_;
};

}  // namespace vz
