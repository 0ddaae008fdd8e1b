#pragma once
// Looking at screenshots: colours, regions and where things are.

#include <QImage>
#include <QRect>
#include <functional>

namespace vz::test {

using PixelTest = std::function<bool(QRgb)>;

bool IsRed(QRgb c);         // the banner: pure red, or red blended with its white text
bool IsWhite(QRgb c);
bool IsBlack(QRgb c);
bool IsYellow(QRgb c);      // the slogan
bool IsDarkText(QRgb c);    // black text, anti-aliased
bool IsRedText(QRgb c);     // red text on a light background

// How many pixels of `area` pass.
int Count(const QImage& image, QRect area, const PixelTest& test);
// Whether every pixel of `area` passes.
bool All(const QImage& image, QRect area, const PixelTest& test);
// The smallest rectangle holding every pixel of `area` that passes; empty if none.
QRect Bounds(const QImage& image, QRect area, const PixelTest& test);

}  // namespace vz::test
