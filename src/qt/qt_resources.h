#pragma once
// The program's own resources as the Qt front end carries them: compiled into
// the executable by src/qt/CMakeLists.txt, each found by type and
// identifier at ":/<type>/<id>" (the chime is ":/CUSTOM/101").

#include "platform/resources.h"

namespace vz {

class QtResources : public Resources {
public:
    std::optional<Bytes> Find(const std::string& type, int id) const override;
};

}  // namespace vz
