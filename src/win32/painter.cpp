#include "win32/painter.h"

#include <algorithm>
#include <cmath>

#include "frontend/layout.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "os/path.h"
#include "win32/pictures.h"

namespace vz::win32 {

namespace {

RECT ToRect(const Box& b) { return RECT{b.x, b.y, b.Right(), b.Bottom()}; }

COLORREF ToColorRef(Color c) {
    if (IsSystemColor(c)) return ::GetSysColor(int(c & 0xFF));
    return COLORREF(c & 0xFFFFFF);
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

void Text(HDC dc, const std::string& text, RECT r, const Font& font, int dpi, COLORREF color,
          UINT format) {
    HFONT f = MakeFont(font, dpi);
    HGDIOBJ old = ::SelectObject(dc, f);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    std::wstring wide = Widen(text);
    ::DrawTextW(dc, wide.c_str(), int(wide.size()), &r, format | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(f);
}

UINT Align(Alignment a) {
    return a == Alignment::Center ? DT_CENTER : a == Alignment::Right ? DT_RIGHT : DT_LEFT;
}

void PaintLabel(HDC dc, const Label& l, RECT r, int dpi) {
    if (!l.transparent) Fill(dc, r, ToColorRef(l.back_color));
    // A label that sizes itself has its one line of text.
    const UINT lines = l.auto_size ? DT_SINGLELINE : DT_WORDBREAK;
    Text(dc, l.Caption(), r, l.font, dpi, ToColorRef(l.fore_color), Align(l.alignment) | lines);
}

void PaintCombo(HDC dc, const ComboBox& combo, RECT box, int dpi, bool focused) {
    Fill(dc, box, ToColorRef(combo.back_color));
    ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT arrow = box;
    arrow.left = std::max(box.left, box.right - ::GetSystemMetrics(SM_CXVSCROLL));
    ::DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    RECT text = box;
    text.left += 2;
    text.right = arrow.left;
    // With the keyboard, its text shows selected, as a drop-down list's does.
    if (focused) Fill(dc, text, ::GetSysColor(COLOR_HIGHLIGHT));
    Text(dc, combo.Text(), text, combo.font, dpi,
         ::GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void PaintButton(HDC dc, const CommandButton& button, RECT r, int dpi, bool focused) {
    RECT box = r;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH);
    Text(dc, button.caption, r, button.font, dpi, ::GetSysColor(COLOR_BTNTEXT),
         DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (!focused) return;
    ::InflateRect(&r, -4, -4);
    ::DrawFocusRect(dc, &r);
}

void PaintLine(HDC dc, const Line& line, const Layout& layout) {
    const auto [from, to] = layout.LineEnds(line);
    HPEN pen = ::CreatePen(PS_SOLID, line.width_px, ToColorRef(line.color));
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

}  // namespace

HFONT MakeFont(const Font& font, int dpi) {
    return ::CreateFontW(-int(std::lround(font.size * dpi / 72)), 0, 0, 0,
                         font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str());
}

Size MeasureText(const Font& font, const std::string& text, int dpi) {
    HDC dc = ::GetDC(nullptr);
    HFONT f = MakeFont(font, dpi);
    HGDIOBJ old = ::SelectObject(dc, f);
    std::wstring wide = Widen(text);
    RECT r{};
    ::DrawTextW(dc, wide.c_str(), int(wide.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(f);
    ::ReleaseDC(nullptr, dc);
    return Size{int(r.right - r.left), int(r.bottom - r.top)};
}

void PaintForm(HDC dc, const Form& form, const Layout& layout, Pictures& pictures,
               const Control* focus) {
    const Box outer = layout.Outer(form);
    RECT client{0, 0, outer.width, outer.height};
    Fill(dc, client, ToColorRef(form.BackColor()));
    if (layout.Frame(form)) ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    const int dpi = layout.dpi();
    for (const Control* c : StackingOrder(form)) {
        if (!c->Visible()) continue;
        const RECT r = ToRect(layout.ControlBox(*c));
        switch (c->kind()) {
            case Control::Kind::Label:
                PaintLabel(dc, static_cast<const Label&>(*c), r, dpi);
                break;
            case Control::Kind::PictureBox: {
                const auto& box = static_cast<const PictureBox&>(*c);
                Fill(dc, r, ToColorRef(box.back_color));
                pictures.Draw(dc, box.picture, r);
                break;
            }
            case Control::Kind::Image:
                pictures.Draw(dc, static_cast<const Image&>(*c).picture, r);
                break;
            case Control::Kind::ComboBox:
                PaintCombo(dc, static_cast<const ComboBox&>(*c), r, dpi, c == focus);
                break;
            case Control::Kind::CommandButton:
                PaintButton(dc, static_cast<const CommandButton&>(*c), r, dpi, c == focus);
                break;
            case Control::Kind::Line:
                PaintLine(dc, static_cast<const Line&>(*c), layout);
                break;
            case Control::Kind::Timer:
                break;
        }
    }
}

}  // namespace vz::win32
