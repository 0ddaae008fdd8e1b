#pragma once
// What a window of the model paints itself on Windows, where no system
// control shows it: its colour, the raised frame of a bordered window and
// its lines, in the places the presenter's layout gives.

#include <windows.h>

namespace vz {
class Form;
class Layout;
}  // namespace vz

namespace vz::win32 {

class Look;

void PaintForm(HDC dc, const Form& form, const Layout& layout, Look& look);

}  // namespace vz::win32
