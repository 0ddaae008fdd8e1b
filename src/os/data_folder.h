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

// When `folder` holds none of the files `names` yet, carries into it (making
// it if need be) those that `earlier` holds, by default the root of drive C:.
// Each is written under a temporary name in the folder (its own name and
// kCarrySuffix), flushed, and renamed to its own name, never over a file: a
// start cut short leaves a temporary, never a short file that looks done. A
// temporary found is removed and its file carried again. Returns the names
// carried. Call it holding the instance lock, so that no other program is
// carrying or writing at the same time.
std::vector<std::string> AdoptEarlierFiles(const std::string& folder,
                                           const std::vector<std::string>& names,
                                           const std::string& earlier = "C:");
inline constexpr char kCarrySuffix[] = ".carrying";

// Renames `from` to `to` unless `to` exists; false when nothing was renamed.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace vz
