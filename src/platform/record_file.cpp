#include "platform/record_file.h"

#include "platform/runtime.h"
#include "platform/text.h"

namespace vz {

RecordFile::RecordFile(Runtime& runtime, std::string name)
    : runtime_(runtime), name_(std::move(name)) {
    runtime_.disk().Open(name_);
}

Record RecordFile::Get() {
    Record record{0, 0};
    const Bytes bytes = runtime_.disk().Read(name_, 0, record.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) record[i] = bytes[i];
    return record;
}

void RecordFile::Put(const Record& record) {
    runtime_.disk().Write(name_, 0, Bytes(record.begin(), record.end()));
    Event e{EventKind::Write};
    e.name = name_;
    e.bytes = runtime_.disk().Contents(name_).value_or(Bytes{});
    runtime_.Emit(e);
}

}  // namespace vz
