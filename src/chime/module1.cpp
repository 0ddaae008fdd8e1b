#include "chime/module1.h"

#include <string>

#include "platform/resources.h"
#include "platform/runtime.h"

namespace vz {

void Module1::PlayChime(Integer id) {
    auto image = std::make_shared<const Bytes>(LoadResData(runtime_.resources(), id, kChimeType));
    chime_data_ = image;
    Event e{EventKind::Chime};
    e.id = id;
    runtime_.Emit(e);
    runtime_.sound().PlayMemory(std::move(image));
}

}  // namespace vz
