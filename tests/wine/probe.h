#pragma once
// What the Windows front end's probes share: the program over a fresh data
// folder in the temporary folder, in virtual time, silent, with its real
// windows; and a check that prints its verdict and counts failures.

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/embedded_resources.h"
#include "app/program.h"
#include "os/path.h"
#include "os/real_disk.h"
#include "platform/virtual_scheduler.h"
#include "frontend/presenter.h"
#include "win32/front_end.h"

namespace probe {

inline int failures = 0;

inline void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

// `folder` in the temporary folder, without data files.
inline std::string FreshFolder(const wchar_t* folder) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + folder;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::DeleteFileW((dir + L"\\ZURivIdid.tim").c_str());
    ::DeleteFileW((dir + L"\\SettingT.tim").c_str());
    return vz::Narrow(dir);
}

struct Setup {
    explicit Setup(const wchar_t* folder) : disk(FreshFolder(folder)) {}
    vz::VirtualScheduler scheduler;
    vz::RealDisk disk;
    vz::SilentPlayer sound;
    vz::EmbeddedResources resources;
    vz::Program program{vz::Services{scheduler, disk, sound, resources, vz::Screen{}}};
    vz::win32::Win32FrontEnd front_end;
    vz::Presenter presenter{program.runtime(), front_end};
    // The real window of a loaded window of the model; nullptr for none.
    HWND Window(const char* name) { return vz::win32::WindowOf(presenter.Build(name)); }
};

}  // namespace probe
