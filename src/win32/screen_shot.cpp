#include "win32/screen_shot.h"

#include <windows.h>

#include <cstdint>
#include <fstream>

namespace vz::win32 {

namespace {

// Every window is drawn afresh: the display tells of what a closed window
// uncovered only later. The display gets the pixels when the thread waits
// for messages, which a wait of no time does.
BOOL CALLBACK Redraw(HWND w, LPARAM) {
    if (::IsWindowVisible(w))
        ::RedrawWindow(w, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

void DrawEverything() {
    ::EnumThreadWindows(::GetCurrentThreadId(), Redraw, 0);
    ::GdiFlush();
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
}

}  // namespace

bool SaveScreen(const std::wstring& path) {
    DrawEverything();
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (w <= 0 || h <= 0) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = w;
    header.biHeight = -h;  // top down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                        DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ok = ::BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY | CAPTUREBLT);
        ::GdiFlush();
        ::SelectObject(memory, old);
    }
    const std::uint32_t size = std::uint32_t(w) * std::uint32_t(h) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + size;
    const std::wstring temp = path + L".part";
    if (ok) {
        std::ofstream out(temp.c_str(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(static_cast<const char*>(bits), std::streamsize(size));
        ok = bool(out.flush());
    }
    if (bitmap) ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok && ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace vz::win32
