#include "os/console.h"

namespace vz {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void BinaryStandardStreams() {}  // they are bytes already

}  // namespace vz
