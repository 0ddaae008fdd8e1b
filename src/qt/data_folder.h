#pragma once
// The folder that stands for drive C:, where the usage and settings files
// live: $XDG_DATA_HOME/verezerud, by default ~/.local/share/verezerud.

#include <string>

namespace vz::qt {

// The folder's path; empty when neither XDG_DATA_HOME nor HOME is set.
std::string DataFolder();
// Creates the folder if it is missing; false when it cannot be made.
bool MakeDataFolder(const std::string& folder, std::string& error);

}  // namespace vz::qt
