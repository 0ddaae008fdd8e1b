#pragma once
// The data folder, where the usage and settings files live (the folder that
// stands for drive C:): $XDG_DATA_HOME/verezerud, by default
// ~/.local/share/verezerud, and on Windows %LOCALAPPDATA%\Verezerud. Earlier
// Windows versions kept the files at the root of drive C:; the first start
// with the new folder takes them over, so the hours counted before are kept.

#include <string>
#include <vector>

namespace vz {

// The folder's path; empty when the system says nothing of where it lies
// (neither XDG_DATA_HOME nor HOME is set; %LOCALAPPDATA% is not).
std::string DataFolder();
// Creates the folder if it is missing; false, with the reason, when it cannot be made.
bool MakeDataFolder(const std::string& folder, std::string& error);

// The data folder under `local_app_data` (the value of %LOCALAPPDATA%);
// empty when that is empty.
std::string WindowsDataFolder(const std::string& local_app_data);

// When `folder` holds none of the files `names` yet, copies into it (making it
// if need be) those that `earlier` holds, by default the root of drive C:.
// Never overwrites a file; returns the names it copied. Called at every
// start, it copies at most once: afterwards the folder has its files.
std::vector<std::string> AdoptEarlierFiles(const std::string& folder,
                                           const std::vector<std::string>& names,
                                           const std::string& earlier = "C:");

}  // namespace vz
