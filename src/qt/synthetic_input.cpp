#include "qt/synthetic_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace vz::qt {

void SendClick(QWidget* widget, QPoint local) {
    QPointer<QWidget> w = widget;
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    if (!w) return;  // the press closed its window
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void SendMove(QWidget* widget, QPoint local) {
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void SendKey(QWidget* widget, Qt::Key key) {
    QPointer<QWidget> w = widget;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    if (!w) return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

}  // namespace vz::qt
