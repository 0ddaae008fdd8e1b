#include "os/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "os/path.h"

namespace vz {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int n = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &n)) {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) out.push_back(Narrow(wide[i]));
        ::LocalFree(wide);
        return out;
    }
    return std::vector<std::string>(argv, argv + argc);
}

void BinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace vz
