#pragma once
// How a window of the model looks on Windows: its colour, its frame and each
// control, drawn by the window itself in the places the presenter's layout
// gives, painted controls first and those with windows of their own above.

#include <windows.h>

#include <string>

#include "frontend/pixels.h"
#include "platform/font.h"

namespace vz {
class Control;
class Form;
class Layout;
}  // namespace vz

namespace vz::win32 {

class Pictures;

// A GDI font for a design font at `dpi`; the caller deletes it.
HFONT MakeFont(const Font& font, int dpi);
// The size of one line of text in a design font, as the windows draw it.
Size MeasureText(const Font& font, const std::string& text, int dpi);

// Draws the whole window into `dc`, which covers its client area; `focus` is
// the control that has the keyboard, drawn as such.
void PaintForm(HDC dc, const Form& form, const Layout& layout, Pictures& pictures,
               const Control* focus);

}  // namespace vz::win32
