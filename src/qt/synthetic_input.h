#pragma once
// Input events made by the program itself, as a user's hand would make them:
// a press and release, a pointer move, a key. They go to a widget through the
// application, so the widget handles them as it handles real ones.

#include <QPoint>
#include <Qt>

class QWidget;

namespace vz::qt {

void SendClick(QWidget* widget, QPoint local);
void SendMove(QWidget* widget, QPoint local);
void SendKey(QWidget* widget, Qt::Key key);

}  // namespace vz::qt
