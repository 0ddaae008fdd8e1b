#include "chime/module1.h"

#include <string>

#include "platform/resources.h"
#include "platform/runtime.h"

namespace vz {

void Module1::PlayChime(Integer id) {
    auto image = std::make_shared<const Bytes>(LoadResData(runtime_.resources(), id, kChimeType));
    chime_data_ = image;
    runtime_.Emit(EventKind::Chime, "chime " + std::to_string(id));
    runtime_.sound().PlayMemory(std::move(image));
}

}  // namespace vz
