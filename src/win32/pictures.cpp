#include "win32/pictures.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

namespace vz::win32 {

Pictures::Pictures() { icon_ = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)); }

Pictures::~Pictures() {
    for (auto& [name, bitmap] : bitmaps_)
        if (bitmap) ::DeleteObject(bitmap);
    if (gdiplus_) Gdiplus::GdiplusShutdown(gdiplus_);
}

HBITMAP Pictures::Bitmap(const std::string& name) {
    if (const auto it = bitmaps_.find(name); it != bitmaps_.end()) return it->second;
    HBITMAP& bitmap = bitmaps_[name];
    if (name != "rest-picture") return bitmap;
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(self, L"REST_PICTURE", MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? ::LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return bitmap;
    if (!gdiplus_) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&gdiplus_, &input, nullptr) != Gdiplus::Ok) return bitmap;
    }
    IStream* stream = ::SHCreateMemStream(static_cast<const BYTE*>(bytes),
                                          UINT(::SizeofResource(self, found)));
    if (!stream) return bitmap;
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &image) == Gdiplus::Ok) {
        Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(image, &bitmap, 0);
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    stream->Release();
    return bitmap;
}

void Pictures::Draw(HDC dc, const std::string& name, const RECT& r) {
    if (name == "icon") {
        if (icon_) ::DrawIconEx(dc, r.left, r.top, icon_, 32, 32, 0, nullptr, DI_NORMAL);
        return;
    }
    HBITMAP bitmap = Bitmap(name);
    if (!bitmap) return;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    ::BitBlt(dc, r.left, r.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
}

}  // namespace vz::win32
