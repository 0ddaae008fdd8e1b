#pragma once
// The resources built into the program: the chime as "CUSTOM" 101.

#include "platform/resources.h"

namespace vz {

class EmbeddedResources : public Resources {
public:
    std::optional<Bytes> Find(const std::string& type, int id) const override;
};

}  // namespace vz
