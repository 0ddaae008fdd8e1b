// Reads the screenshots that screens.sim takes through verezerud-sim-win32
// and checks what the user sees, by pixel: the red banner across the top,
// the black rest screen with its picture and slogan, the menu at the
// pointer, and the settings and About windows in their places. Run in the
// folder that holds the pictures. `screens_check monitors` reads instead the
// two that rest.sh takes on two monitors, during the rest and after it.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;
constexpr int kBannerPx = 28;

struct Rgb {
    int r, g, b;
};
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Box& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};
using Test = std::function<bool(Rgb)>;

// A 32-bit top-down BMP, as the snap command writes it.
struct Shot {
    int w = 0, h = 0;
    std::vector<std::uint8_t> bgra;
    Rgb At(int x, int y) const {
        const std::uint8_t* p = &bgra[(std::size_t(y) * w + x) * 4];
        return Rgb{p[2], p[1], p[0]};
    }
};

int failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    if (!ok) ++failures;
}

Shot Load(const char* name) {
    Shot s;
    std::ifstream in(name, std::ios::binary);
    std::vector<char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    BITMAPFILEHEADER f{};
    BITMAPINFOHEADER i{};
    if (d.size() < sizeof f + sizeof i) return s;
    std::memcpy(&f, d.data(), sizeof f);
    std::memcpy(&i, d.data() + sizeof f, sizeof i);
    if (f.bfType != 0x4D42 || i.biBitCount != 32 || i.biHeight >= 0) return s;
    const std::size_t size = std::size_t(i.biWidth) * std::size_t(-i.biHeight) * 4;
    if (d.size() < f.bfOffBits + size) return s;
    s.w = i.biWidth;
    s.h = -i.biHeight;
    s.bgra.assign(d.begin() + f.bfOffBits, d.begin() + f.bfOffBits + size);
    return s;
}

int Count(const Shot& s, Box a, const Test& t) {
    int n = 0;
    for (int y = a.y; y < a.y + a.h && y < s.h; ++y)
        for (int x = a.x; x < a.x + a.w && x < s.w; ++x) n += t(s.At(x, y));
    return n;
}

Box Bounds(const Shot& s, Box a, const Test& t) {
    int l = kW, top = kH, r = -1, b = -1;
    for (int y = a.y; y < a.y + a.h && y < s.h; ++y)
        for (int x = a.x; x < a.x + a.w && x < s.w; ++x)
            if (t(s.At(x, y))) {
                l = std::min(l, x), top = std::min(top, y), r = std::max(r, x), b = std::max(b, y);
            }
    return r < 0 ? Box{} : Box{l, top, r - l + 1, b - top + 1};
}

std::string Text(Box b) {
    return std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.w) + "x" +
           std::to_string(b.h);
}

bool Near(int a, int b, int by) { return std::abs(a - b) <= by; }

bool IsRed(Rgb c) { return c.r >= 245 && std::abs(c.g - c.b) <= 8; }
bool IsWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }
bool NotBlack(Rgb c) { return c.r || c.g || c.b; }
bool IsYellow(Rgb c) { return c.r > 120 && c.g > 120 && c.b < 60; }
bool IsDarkText(Rgb c) { return c.r < 110 && c.g < 110 && c.b < 110; }
bool LightYellow(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 192; }

struct Monitor {
    Box whole, work;
};

BOOL CALLBACK AddMonitor(HMONITOR m, HDC, LPRECT, LPARAM out) {
    MONITORINFO i{};
    i.cbSize = sizeof i;
    ::GetMonitorInfoW(m, &i);
    const auto box = [](const RECT& r) {
        return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    reinterpret_cast<std::vector<Monitor>*>(out)->push_back({box(i.rcMonitor), box(i.rcWork)});
    return TRUE;
}

// Two monitors (a panel along the top outside their work areas): the rest
// screen and a cover black both whole, and after the rest, the desktop again.
int Monitors() {
    std::vector<Monitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const Box second{1920, 0, 1280, 800};
    Check(monitors.size() == 2 && monitors[0].whole == Box{0, 0, kW, kH} &&
              monitors[1].whole == second && monitors[1].work.h < second.h,
          "Windows sees two monitors, their work areas short of a panel");
    const Shot rest = Load("rest.bmp"), after = Load("after.bmp");
    Check(Count(rest, Box{0, 0, kW, kH}, IsWhite) == 0, "the rest screen covers the first");
    Check(Count(rest, second, NotBlack) == 0 && rest.w == 3200,
          "during the rest the second monitor is black, whole");
    Check(Count(after, second, IsWhite) == second.w * second.h, "after it, the desktop shows there");
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "monitors") return Monitors();
    const Box screen{0, 0, kW, kH};
    const Box setting{807, 507, 306, 66}, about{803, 445, 314, 190};
    const Shot banner = Load("banner.bmp"), rest = Load("rest.bmp"), menu = Load("menu.bmp"),
               set = Load("setting.bmp"), info = Load("about.bmp"), closed = Load("closed.bmp");
    for (const Shot* s : {&banner, &rest, &menu, &set, &info, &closed})
        if (s->w != kW || s->h != kH) {
            std::printf("FAILED: a screenshot is missing or not %dx%d\n", kW, kH);
            return 1;
        }

    // The banner: a red strip with white centred text; the white root below.
    const Box strip{0, 0, kW, kBannerPx};
    Check(Count(banner, strip, IsRed) == kW * kBannerPx, "the banner is red across the top");
    Check(Count(banner, Box{0, kBannerPx, kW, kH - kBannerPx}, IsWhite) == kW * (kH - kBannerPx),
          "and nothing else shows");
    const Box words = Bounds(banner, strip, [](Rgb c) { return c.g > 200; });
    Check(Near(words.x + words.w / 2, kW / 2, 4) && words.w > 200,
          "its text is centred: " + Text(words));

    // The rest screen: black, the 120 x 60 picture centred, the yellow slogan near the top.
    Check(Bounds(rest, Box{0, 52, kW, kH - 52}, NotBlack) == Box{900, 510, 120, 60},
          "the rest screen is black around its centred picture");
    Check(Count(rest, Box{0, 0, kW, 26}, NotBlack) == 0, "black above the slogan");
    const Box slogan = Bounds(rest, Box{0, 26, kW, 26}, IsYellow);
    Check(slogan.w > 200 && Near(slogan.x + slogan.w / 2, kW / 2, 6),
          "the slogan is centred: " + Text(slogan));

    // The menu at the pointer (three quarters across and down): three entries.
    const Box open = Bounds(menu, Box{1300, 700, 620, 380}, NotBlack);
    Check(Near(open.x, 1440, 3) && Near(open.y, 810, 3) && open.w > 100,
          "the menu opens at the pointer: " + Text(open));
    int bands = 0;
    bool in_text = false;
    for (int y = open.y + 2; y < open.y + open.h - 2; ++y) {
        const bool text = Count(menu, Box{open.x + 2, y, open.w - 4, 1}, IsDarkText) > 0;
        bands += text && !in_text;
        in_text = text;
    }
    Check(bands == 3, "with three entries: " + std::to_string(bands));

    // The settings window, centred, in the system's face colour, with its texts.
    const DWORD face = ::GetSysColor(COLOR_BTNFACE);
    const Rgb face_rgb{GetRValue(face), GetGValue(face), GetBValue(face)};
    const auto is_face = [face_rgb](Rgb c) {
        return c.r == face_rgb.r && c.g == face_rgb.g && c.b == face_rgb.b;
    };
    Check(Bounds(set, Box{787, 487, 346, 106}, NotBlack) == setting,
          "the settings window is centred: " + Text(Bounds(set, Box{787, 487, 346, 106}, NotBlack)));
    Check(Count(set, setting, is_face) > setting.w * setting.h / 2, "in the face colour");
    Check(Count(set, Box{810, 512, 80, 16}, IsDarkText) > 40, "\"Take a rest of\" shows");
    // The keyboard is on the first list, whose text shows selected; not on the second.
    const DWORD mark = ::GetSysColor(COLOR_HIGHLIGHT);
    const auto is_mark = [mark](Rgb c) {
        return c.r == GetRValue(mark) && c.g == GetGValue(mark) && c.b == GetBValue(mark);
    };
    Check(Count(set, Box{912, 516, 44, 21}, is_mark) > 100, "the first list has the keyboard");
    Check(Count(set, Box{930, 543, 44, 21}, is_mark) == 0, "the second has not");

    // The About window: light yellow, with its green title; Enter closes it.
    Check(Bounds(info, Box{783, 425, 354, 230}, NotBlack) == about, "the About window is centred");
    Check(Count(info, about, LightYellow) > about.w * about.h / 2, "and light yellow");
    Check(Count(info, Box{875, 455, 150, 30},
                [](Rgb c) { return c.g > 90 && c.r < 80 && c.b < 80; }) > 40,
          "with its green title");
    Check(Count(closed, screen, LightYellow) == 0, "Enter closes it");
    return failures ? 1 : 0;
}
