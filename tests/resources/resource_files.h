#pragma once
// Reading the committed resource files and running their generators.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vz::test {

using FileBytes = std::vector<std::uint8_t>;

inline FileBytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return FileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ResourcePath(const std::string& name) { return std::string(VZ_RESOURCES) + "/" + name; }

inline std::uint32_t U32(const FileBytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
inline std::uint16_t U16(const FileBytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

// Runs a generator with one argument; true when it succeeded.
inline bool RunTool(const std::string& tool, const std::string& argument) {
    const std::string command = "\"" + tool + "\" \"" + argument + "\"";
    return std::system(command.c_str()) == 0;
}

}  // namespace vz::test
