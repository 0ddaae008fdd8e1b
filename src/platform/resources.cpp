#include "platform/resources.h"

#include "platform/errors.h"

namespace vz {

Bytes LoadResData(const Resources& resources, int id, const std::string& type) {
    if (auto bytes = resources.Find(type, id)) return std::move(*bytes);
    throw RuntimeError(ErrorNumber::ResourceNotFound,
                       "Resource with identifier '" + std::to_string(id) + "' not found");
}

}  // namespace vz
