#include "win32/pictures.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

namespace vz::win32 {

namespace {

int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

}  // namespace

Pictures::~Pictures() {
    for (auto& [dpi, icon] : icons_)
        if (icon) ::DestroyIcon(icon);
    for (auto& [key, bitmap] : bitmaps_)
        if (bitmap) ::DeleteObject(bitmap);
    if (gdiplus_) Gdiplus::GdiplusShutdown(gdiplus_);
}

HICON Pictures::Icon(int dpi) {
    HICON& icon = icons_[dpi];
    if (!icon) {
        const int side = Scaled(32, dpi);
        icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                               IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    }
    return icon;
}

HBITMAP Pictures::Bitmap(const std::string& name, int dpi) {
    const auto key = std::make_pair(name, dpi);
    if (const auto it = bitmaps_.find(key); it != bitmaps_.end()) return it->second;
    HBITMAP& bitmap = bitmaps_[key];
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
    using namespace Gdiplus::DllExports;
    Gdiplus::GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromStream(stream, &image) == Gdiplus::Ok) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(image, &w);
        GdipGetImageHeight(image, &h);
        Gdiplus::GpBitmap* shown = image;
        if (dpi != 96) {
            // Drawn once at the size it has at this DPI, smoothly.
            Gdiplus::GpBitmap* scaled = nullptr;
            Gdiplus::GpGraphics* g = nullptr;
            if (GdipCreateBitmapFromScan0(Scaled(int(w), dpi), Scaled(int(h), dpi), 0,
                                          PixelFormat32bppARGB, nullptr, &scaled) == Gdiplus::Ok &&
                GdipGetImageGraphicsContext(scaled, &g) == Gdiplus::Ok) {
                GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQualityBicubic);
                GdipDrawImageRectI(g, image, 0, 0, Scaled(int(w), dpi), Scaled(int(h), dpi));
                GdipDeleteGraphics(g);
                shown = scaled;
            }
        }
        GdipCreateHBITMAPFromBitmap(shown, &bitmap, 0);
        if (shown != image) GdipDisposeImage(shown);
        GdipDisposeImage(image);
    }
    stream->Release();
    return bitmap;
}

}  // namespace vz::win32
