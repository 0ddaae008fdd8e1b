#include "store/usage_file.h"

#include "platform/record_file.h"

namespace vz {
namespace {
Integer Decode(const Record& r) { return static_cast<Integer>(r[0] | r[1] << 8); }
Record Encode(Integer count) {
    const auto u = static_cast<std::uint16_t>(count);
    return {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)};
}
}  // namespace

Integer ReadUsage(Runtime& runtime) {
    RecordFile file(runtime, kUsageFile);
    return Decode(file.Get());
}

Integer AddToUsageFile(Runtime& runtime, Integer increment) {
    RecordFile file(runtime, kUsageFile);
    const Integer count = AddInt(increment, Decode(file.Get()));
    file.Put(Encode(count));
    return count;
}

}  // namespace vz
