#include "win32/painter.h"

#include "frontend/layout.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "win32/look.h"

namespace vz::win32 {

void PaintForm(HDC dc, const Form& form, const Layout& layout, Look& look) {
    const Box outer = layout.Outer(form);
    RECT client{0, 0, outer.width, outer.height};
    ::FillRect(dc, &client, look.Brush(form.BackColor()));
    if (layout.Frame(form)) ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    for (const Control* c : form.Controls()) {
        if (c->kind() != Control::Kind::Line || !c->Visible()) continue;
        const auto& line = static_cast<const Line&>(*c);
        const auto [from, to] = layout.LineEnds(line);
        // A line is as wide at every DPI as a pixel is at 96.
        const int width = MulDiv(line.width_px, layout.dpi(), 96);
        HGDIOBJ old = ::SelectObject(dc, look.Pen(line.color, width));
        ::MoveToEx(dc, from.x, from.y, nullptr);
        ::LineTo(dc, to.x, to.y);
        ::SelectObject(dc, old);
    }
}

}  // namespace vz::win32
