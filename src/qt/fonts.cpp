#include "qt/fonts.h"

#include <QFontDatabase>
#include <cmath>

namespace vz::qt {

namespace {

struct Substitute {
    const char* design;
    const char* family;
};

// Liberation Sans has Arial's widths, which the two Windows sans serif faces
// share closely; Comic Neue was drawn after Comic Sans.
constexpr Substitute kSubstitutes[] = {
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Comic Sans MS", "Comic Neue"},
};

constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

QString SubstituteFamily(const QString& design) {
    if (QFontDatabase::hasFamily(design)) return design;
    for (const Substitute& s : kSubstitutes)
        if (design.compare(QLatin1String(s.design), Qt::CaseInsensitive) == 0 &&
            QFontDatabase::hasFamily(QLatin1String(s.family)))
            return QLatin1String(s.family);
    return design;  // fontconfig picks its own best match
}

QFont ToQFont(const Font& font) {
    QFont q(SubstituteFamily(QString::fromStdString(font.name)));
    q.setPixelSize(std::max(1, int(std::lround(font.size * kPixelsPerPoint))));
    q.setBold(font.bold);
    q.setStyleHint(QFont::SansSerif);
    return q;
}

}  // namespace vz::qt
