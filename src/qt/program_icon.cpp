#include "qt/program_icon.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QWidget>

namespace vz::qt {

ProgramIcon::ProgramIcon(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

bool ProgramIcon::eventFilter(QObject* watched, QEvent* event) {
    // The show event comes before the window is mapped, so a window manager
    // finds the icon on it when it first sees it.
    if (!given_ && event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        Give();
    return QObject::eventFilter(watched, event);
}

void ProgramIcon::Give() {
    given_ = true;
    qApp->removeEventFilter(this);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/verezerud-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

}  // namespace vz::qt
