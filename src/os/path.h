#pragma once
// Paths are carried as UTF-8 strings throughout the program; these turn them
// into the system's own form. On Windows that is UTF-16 (a path in the local
// code page could not name every folder); elsewhere the bytes are the path.

#include <filesystem>
#include <string>

namespace vz {

// The separator put between a folder and a file name in the paths the
// program builds and prints.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// `folder` and `name` joined; `name` alone when the folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);

std::filesystem::path NativePath(const std::string& utf8);
std::string Utf8Path(const std::filesystem::path& path);

#ifdef _WIN32
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
#endif

}  // namespace vz
