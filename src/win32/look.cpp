#include "win32/look.h"

#include <cmath>
#include <vector>

#include "os/path.h"

namespace vz::win32 {

namespace {

// Faces that have the full-width forms and most of the world's letters, on
// Windows and where Wine's fonts are installed.
const wchar_t* const kFallbacks[] = {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun",
                                     L"MS UI Gothic", L"Yu Gothic UI", L"Malgun Gothic",
                                     L"Arial Unicode MS", L"WenQuanYi Micro Hei",
                                     L"Droid Sans Fallback", L"Noto Sans CJK SC"};

// Whether `font` has a glyph for every character of `text`.
bool HasGlyphs(HFONT font, const std::wstring& text) {
    if (text.empty()) return true;
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    const DWORD got = ::GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(),
                                         GGI_MARK_NONEXISTING_GLYPHS);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    if (got == GDI_ERROR) return true;  // cannot tell: keep the design's
    for (WORD g : glyphs)
        if (g == 0xFFFF) return false;
    return true;
}

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(dc, &wanted, Found, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

}  // namespace

COLORREF ToColorRef(Color c) {
    if (IsSystemColor(c)) return ::GetSysColor(int(c & 0xFF));
    return COLORREF(c & 0xFFFFFF);
}

Look::~Look() {
    for (auto& [c, b] : brushes_) ::DeleteObject(b);
    for (auto& [c, p] : pens_) ::DeleteObject(p);
    for (auto& [k, f] : fonts_) ::DeleteObject(f);
}

HBRUSH Look::Brush(Color color) {
    HBRUSH& b = brushes_[color];
    if (!b) b = ::CreateSolidBrush(ToColorRef(color));
    return b;
}

HPEN Look::Pen(Color color, int width) {
    HPEN& p = pens_[{color, width}];
    if (!p) p = ::CreatePen(PS_SOLID, width, ToColorRef(color));
    return p;
}

HFONT Look::Make(const std::wstring& face, const vz::Font& font, int dpi) {
    HFONT& f = fonts_[{face, font.size, font.bold, dpi}];
    if (!f)
        f = ::CreateFontW(-int(std::lround(font.size * dpi / 72)), 0, 0, 0,
                          font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    return f;
}

HFONT Look::Font(const vz::Font& font, int dpi, const std::string& text) {
    HFONT design = Make(Widen(font.name), font, dpi);
    const std::wstring wide = Widen(text);
    if (HasGlyphs(design, wide)) return design;
    for (const wchar_t* face : kFallbacks) {
        if (!FaceInstalled(face)) continue;
        HFONT f = Make(face, font, dpi);
        if (HasGlyphs(f, wide)) return f;
    }
    return design;
}

Size Look::Measure(const vz::Font& font, int dpi, const std::string& text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, Font(font, dpi, text));
    const std::wstring wide = Widen(text);
    RECT r{};
    ::DrawTextW(dc, wide.c_str(), int(wide.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return Size{int(r.right - r.left), int(r.bottom - r.top)};
}

}  // namespace vz::win32
