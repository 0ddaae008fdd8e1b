#pragma once
// What a command-line program is given and writes through: its arguments, as
// UTF-8, and standard output and error, as bytes.

#include <string>
#include <vector>

namespace vz {

// The arguments as UTF-8. Windows hands the C runtime its arguments in the
// local code page, which cannot name every folder, so they are read afresh.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and error carry the bytes written and no others, so a
// trace is the same bytes everywhere: Windows would add carriage returns.
void BinaryStandardStreams();

}  // namespace vz
