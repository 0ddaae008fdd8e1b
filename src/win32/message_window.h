#pragma once
// A message-only window whose messages go to one object: how the timers and
// the script's steps reach their owner through the thread's message loop.

#include <windows.h>

namespace vz::win32 {

// Registers `class_name` with `proc` (once per process is enough; a second
// registration fails harmlessly) and makes the window, with `owner` in its
// user data for `OwnerOf`. nullptr when the window cannot be made.
HWND MakeMessageWindow(const wchar_t* class_name, WNDPROC proc, void* owner);

template <typename T>
T* OwnerOf(HWND window) {
    return reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace vz::win32
