// Writes the picture that wanders over the rest screen: a calm evening lake,
// 120 x 60 pixels, fully opaque.
//
// Usage: gen_rest_picture OUTPUT.png

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 60;
constexpr int kHorizon = 36;  // where the far shore meets the water

QPainterPath Hills(const QList<QPointF>& ridge) {
    QPainterPath path(QPointF(0, kHorizon));
    for (const QPointF& p : ridge) path.lineTo(p);
    path.lineTo(kWidth, kHorizon);
    path.closeSubpath();
    return path;
}

void PaintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0.0, QColor(70, 110, 170));
    sky.setColorAt(0.6, QColor(200, 170, 190));
    sky.setColorAt(1.0, QColor(250, 200, 150));
    p.fillRect(QRectF(0, 0, kWidth, kHorizon), sky);

    QRadialGradient glow(QPointF(84, 16), 16);
    glow.setColorAt(0.0, QColor(255, 240, 200, 200));
    glow.setColorAt(1.0, QColor(255, 240, 200, 0));
    p.fillRect(QRectF(0, 0, kWidth, kHorizon), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 190));
    p.drawEllipse(QPointF(84, 16), 5, 5);
}

void PaintLand(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 110, 150));
    p.drawPath(Hills({{0, 24}, {18, 18}, {34, 22}, {52, 15}, {70, 24}, {92, 20}, {120, 26}}));
    p.setBrush(QColor(70, 80, 100));
    p.drawPath(Hills({{0, 30}, {14, 27}, {30, 31}, {48, 26}, {66, 32}, {104, 29}, {120, 31}}));
}

void PaintWater(QPainter& p) {
    QLinearGradient water(0, kHorizon, 0, kHeight);
    water.setColorAt(0.0, QColor(200, 160, 150));
    water.setColorAt(1.0, QColor(50, 70, 110));
    p.fillRect(QRectF(0, kHorizon, kWidth, kHeight - kHorizon), water);
    // The sun's path on the water: short bright ripples narrowing toward us.
    p.setPen(QPen(QColor(255, 230, 180, 170), 1));
    for (int row = 0; row < 8; ++row) {
        const double y = kHorizon + 2 + row * 2.6;
        const double half = 6 - row * 0.6;
        p.drawLine(QPointF(84 - half, y), QPointF(84 + half, y));
    }
    // A small boat resting near the shore.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 55));
    QPainterPath hull(QPointF(26, 46));
    hull.lineTo(40, 46);
    hull.lineTo(37, 49);
    hull.lineTo(29, 49);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setPen(QPen(QColor(40, 40, 55), 1));
    p.drawLine(QPointF(33, 46), QPointF(33, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 230, 210));
    QPainterPath sail(QPointF(33.5, 38));
    sail.lineTo(39, 45);
    sail.lineTo(33.5, 45);
    sail.closeSubpath();
    p.drawPath(sail);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        PaintSky(p);
        PaintLand(p);
        PaintWater(p);
    }
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
