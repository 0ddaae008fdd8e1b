#pragma once
// From the forms model's units to the screen's: twips to device-independent
// pixels (15 twips each, 96 dots per inch) and 0x00BBGGRR colours to QColor.

#include <QColor>
#include <QRect>

#include "platform/font.h"

namespace vz::qt {

// A pixel coordinate: the nearest pixel edge to a length in twips.
int Px(double twips);
// A rectangle given in twips, with its edges rounded, so that neighbouring
// rectangles meet without gaps or overlaps.
QRect PxRect(double left, double top, double width, double height);

// A colour value; system colours (top bit set) resolve to the classic scheme.
QColor ToQColor(Color color);

}  // namespace vz::qt
