#pragma once
// Where the record files live. The program's folder stands for drive C:.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/sound.h"

namespace vz {

class Disk {
public:
    virtual ~Disk() = default;
    // Makes sure the file exists, creating it empty; never truncates.
    // Raises the runtime's error when the file cannot be opened or created.
    virtual void Open(const std::string& name) = 0;
    // Up to `count` bytes from `offset`; fewer, or none, past the end.
    virtual Bytes Read(const std::string& name, std::size_t offset, std::size_t count) = 0;
    // Writes `bytes` at `offset`, leaving every other byte as it was, and
    // flushes them to stable storage before returning.
    virtual void Write(const std::string& name, std::size_t offset, const Bytes& bytes) = 0;
    // The whole file, or nothing when it does not exist; never creates it.
    virtual std::optional<Bytes> Contents(const std::string& name) = 0;
};

}  // namespace vz
