#pragma once
// The program's own resources, found by type name and identifier.

#include <optional>
#include <string>

#include "platform/sound.h"

namespace vz {

class Resources {
public:
    virtual ~Resources() = default;
    virtual std::optional<Bytes> Find(const std::string& type, int id) const = 0;
};

// LoadResData: the resource's bytes; raises the runtime's error when there is none.
Bytes LoadResData(const Resources& resources, int id, const std::string& type);

}  // namespace vz
