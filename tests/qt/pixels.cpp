#include "pixels.h"

#include <cstdlib>

namespace vz::test {

bool IsRed(QRgb c) {
    return qRed(c) >= 245 && std::abs(qGreen(c) - qBlue(c)) <= 8;
}
bool IsWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }
bool IsBlack(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }
bool IsYellow(QRgb c) { return qRed(c) > 120 && qGreen(c) > 120 && qBlue(c) < 60; }
bool IsDarkText(QRgb c) { return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110; }
bool IsRedText(QRgb c) { return qRed(c) > 180 && qGreen(c) < 130 && qBlue(c) < 130; }

int Count(const QImage& image, QRect area, const PixelTest& test) {
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y))) ++n;
    return n;
}

bool All(const QImage& image, QRect area, const PixelTest& test) {
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!test(image.pixel(x, y))) return false;
    return true;
}

QRect Bounds(const QImage& image, QRect area, const PixelTest& test) {
    area &= image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace vz::test
