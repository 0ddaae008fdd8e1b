#include "app/embedded_resources.h"

#include "chime_data.h"  // generated from resources/chime.wav

namespace vz {

std::optional<Bytes> EmbeddedResources::Find(const std::string& type, int id) const {
    if (type == "CUSTOM" && id == 101) return Bytes(kChimeWav, kChimeWav + kChimeWavSize);
    return std::nullopt;
}

}  // namespace vz
