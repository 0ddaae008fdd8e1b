#include "qt/qt_resources.h"

#include <QFile>

namespace vz {

std::optional<Bytes> QtResources::Find(const std::string& type, int id) const {
    QFile file(QStringLiteral(":/%1/%2").arg(QString::fromStdString(type)).arg(id));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

}  // namespace vz
