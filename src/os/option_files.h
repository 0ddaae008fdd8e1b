#pragma once
// Where the options are kept: the user's own file, verezerud.conf in
// $XDG_CONFIG_HOME/verezerud (by default ~/.config/verezerud), on Windows in
// %APPDATA%\Verezerud; and what the administrator sets for the machine, which
// the user cannot change: verezerud/verezerud.conf under each folder of
// $XDG_CONFIG_DIRS (by default /etc/xdg), the first folder the strongest, or
// on Windows the string values of HKLM\Software\Policies\Verezerud.

#include <string>

#include "options/options.h"

namespace vz {

// Reads the user's file and the machine-wide options into `options`. A file
// that does not exist is no problem; one that cannot be read is.
void ReadOptionFiles(Options& options);

// The user's options file; empty when the system says nothing of where it lies.
std::string UserOptionsFile();

// Reads one file into `options`; nothing when it does not exist.
void ReadOptionFile(const std::string& path, OptionOrigin origin, Options& options);

// The machine-wide files or policy, into `options`.
void ReadMachineWideOptions(Options& options);

}  // namespace vz
