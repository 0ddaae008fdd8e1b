#pragma once
// What a screen reader reads of a window or a system control: the system's
// own accessible object for it, with the role and name the core decides
// (frontend/accessible.h) in place of the system's guesses — a list would
// otherwise be named by its value, the hours sentence read with a gap, and
// every window called by its title.

#include <windows.h>

#include <string>

namespace vz::win32 {

// Role numbers are MSAA's ROLE_SYSTEM_* values.
struct Described {
    long role = 0;
    std::wstring name;
    std::wstring description;
    std::wstring value;
};

// The answer to WM_GETOBJECT for OBJID_CLIENT of `window`, as `described`;
// 0 where the system has no object to start from.
LRESULT AnswerObject(HWND window, WPARAM w, const Described& described);

}  // namespace vz::win32
