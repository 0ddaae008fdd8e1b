#pragma once
// A two-byte random-access record file, opened for one step and closed at its
// end: Open creates a missing file empty and never truncates; Get and Put use
// record 1, bytes 0 and 1.

#include <array>
#include <cstdint>
#include <string>

namespace vz {

class Runtime;

using Record = std::array<std::uint8_t, 2>;

class RecordFile {
public:
    RecordFile(Runtime& runtime, std::string name);  // Open
    // Get record 1: what is there of bytes 0 and 1; zeros where there is no data.
    Record Get();
    // Put record 1: bytes 0 and 1, the rest of the file left as it was.
    void Put(const Record& record);

private:
    Runtime& runtime_;
    std::string name_;
};

}  // namespace vz
