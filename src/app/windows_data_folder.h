#pragma once
// Where the data files live on Windows: %LOCALAPPDATA%\Verezerud. Earlier
// versions kept them at the root of drive C:; the first start with the new
// folder takes them over, so the hours counted before are kept.

#include <string>
#include <vector>

namespace vz {

// The data folder under `local_app_data` (the value of %LOCALAPPDATA%);
// empty when that is empty.
std::string WindowsDataFolder(const std::string& local_app_data);

// When `folder` holds neither data file yet, copies into it (making it if
// need be) those that `earlier` holds, by default the root of drive C:.
// Never overwrites a file; returns the names it copied. Called at every
// start, it copies at most once: afterwards the folder has its files.
std::vector<std::string> AdoptEarlierFiles(const std::string& folder,
                                           const std::string& earlier = "C:");

#ifdef _WIN32
// %LOCALAPPDATA% as UTF-8; empty when it is not set.
std::string LocalAppData();
#endif

}  // namespace vz
