#pragma once
// From the front-end contract's pixels and the model's colours to Qt's:
// boxes and points to QRect and QPoint, 0x00BBGGRR colours to QColor.

#include <QColor>
#include <QPoint>
#include <QRect>

#include "frontend/pixels.h"
#include "platform/font.h"

namespace vz::qt {

inline QRect ToQRect(const Box& b) { return QRect(b.x, b.y, b.width, b.height); }
inline QPoint ToQPoint(const Point& p) { return QPoint(p.x, p.y); }
inline Point FromQPoint(const QPoint& p) { return Point{p.x(), p.y()}; }

// A colour value; system colours (top bit set) resolve to the classic scheme.
QColor ToQColor(Color color);

}  // namespace vz::qt
