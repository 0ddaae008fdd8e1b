#include "qt/pictures.h"

#include <QFile>
#include <QImage>
#include <QPainter>

namespace vz::qt {

namespace {

QStringList Candidates(const std::string& name) {
    const QString n = QString::fromStdString(name);
    if (n.startsWith(QLatin1String(":/"))) return {n};
    if (n == QLatin1String("icon")) return {QStringLiteral(":/icons/verezerud-32.png")};
    QString stem = n;
    stem.remove(QLatin1String("-picture"));
    return {QStringLiteral(":/pictures/%1.png").arg(stem), QStringLiteral(":/icons/%1.png").arg(stem),
            QStringLiteral(":/pictures/%1.png").arg(n), QStringLiteral(":/icons/%1.png").arg(n)};
}

QPixmap StandIn(QSize size) {
    QPixmap pixmap(size.isEmpty() ? QSize(32, 32) : size);
    pixmap.fill(QColor(40, 90, 160));
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(250, 220, 60), 2));
    p.drawRect(pixmap.rect().adjusted(1, 1, -2, -2));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Rest"));
    return pixmap;
}

}  // namespace

QPixmap LoadPicture(const std::string& name, QSize size) {
    for (const QString& path : Candidates(name))
        if (QFile::exists(path)) {
            // Through QImage: loading a QPixmap by name fills Qt's pixmap cache,
            // whose flush timer would wake the waiting program for nothing.
            const QImage image(path);
            if (!image.isNull()) return QPixmap::fromImage(image);
        }
    return StandIn(size);
}

}  // namespace vz::qt
