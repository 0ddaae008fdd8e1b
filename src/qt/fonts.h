#pragma once
// The design fonts of the windows, found on this desktop. Where a design font
// is not installed it is replaced by a close one that Debian packages ship
// (fonts-liberation2, fonts-comic-neue), at the pixel size the design size
// has at 96 dots per inch, so each text keeps to its design box.

#include <QFont>

#include "platform/font.h"

namespace vz::qt {

QFont ToQFont(const Font& font);

// The family that stands in for a design family on this desktop.
QString SubstituteFamily(const QString& design);

}  // namespace vz::qt
