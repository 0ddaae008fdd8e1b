#include "qt/gui_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "app/program.h"
#include "platform/runtime.h"
#include "qt/form_window.h"
#include "qt/renderer.h"
#include "qt/synthetic_input.h"
#include "sim/simulator.h"

namespace vz::qt {

namespace {

constexpr int kSettleLimitMs = 3000;
constexpr int kPaintRounds = 4;

// A point of the window's own surface, clear of its controls: where a user
// clicks "the window" rather than something on it.
QPoint FreePoint(FormWindow* w) {
    const QRect client = w->rect().adjusted(w->Frame(), w->Frame(), -w->Frame(), -w->Frame());
    const auto free = [&](QPoint p) { return client.contains(p) && !w->childAt(p); };
    const QPoint preferred(client.left() + client.width() * 3 / 4,
                           client.top() + client.height() * 3 / 4);
    if (free(preferred)) return preferred;
    for (int y = client.bottom(); y >= client.top(); --y)
        for (int x = client.right(); x >= client.left(); x -= 4)
            if (free(QPoint(x, y))) return QPoint(x, y);
    return preferred;
}

}  // namespace

bool ScriptedInputOnly::eventFilter(QObject* watched, QEvent* event) {
    if (event->spontaneous()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Wheel:
            case QEvent::Enter:
            case QEvent::Leave:
            case QEvent::HoverEnter:
            case QEvent::HoverLeave:
            case QEvent::HoverMove:
                return true;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

GuiDriver::GuiDriver(Simulator& sim, Renderer& renderer) : sim_(sim), renderer_(renderer) {}

bool GuiDriver::RunLine(const std::string& raw, int n) {
    const bool ok = RunLineWithRealInput(sim_, *this, raw, n);
    QCoreApplication::processEvents();
    return ok;
}

bool GuiDriver::ClickOrHover(bool click, const Runtime::Target& t) {
    FormWindow* w = renderer_.Window(t.form->name());
    if (!w || !w->isVisible()) return false;
    QWidget* widget = w;
    QPoint at;
    if (!t.control) {
        at = FreePoint(w);
    } else {
        widget = w->View(t.control->name());
        auto* label = dynamic_cast<LabelView*>(widget);
        if (label && !label->Shown()) return false;
        // A combo box opens its list on a press; its click is left to the model.
        if (!widget || !widget->isVisible() || qobject_cast<QComboBox*>(widget)) return false;
        at = widget->rect().center();
    }
    QCursor::setPos(widget->mapToGlobal(at));
    if (click)
        SendClick(widget, at);
    else
        SendMove(widget, at);
    return true;
}

bool GuiDriver::Choose(const std::string& item) {
    QMenu* menu = renderer_.OpenMenu();
    if (!menu || !menu->isVisible()) return false;
    for (QAction* a : menu->actions()) {
        if (a->objectName().toStdString() != item) continue;
        const QPoint at = menu->actionGeometry(a).center();
        QCursor::setPos(menu->mapToGlobal(at));
        SendClick(menu, at);
        QCoreApplication::processEvents();
        // A click on a separator leaves some menus open; it chooses nothing.
        if (renderer_.OpenMenu() == menu && menu->isVisible()) SendKey(menu, Qt::Key_Escape);
        return true;
    }
    return false;
}

bool GuiDriver::Dismiss() {
    QMenu* menu = renderer_.OpenMenu();
    if (!menu || !menu->isVisible()) return false;
    SendKey(menu, Qt::Key_Escape);
    return true;
}

bool GuiDriver::Select(const Runtime::Target& t, int n) {
    FormWindow* w = renderer_.Window(t.form->name());
    auto* combo = w ? qobject_cast<QComboBox*>(w->View(t.control->name())) : nullptr;
    if (!combo || !combo->isVisible() || n < 0 || n >= combo->count()) return false;
    // Open the list with a click, then click the item, as a user picks one.
    SendClick(combo, combo->rect().center());
    QCoreApplication::processEvents();
    if (!combo->view()->isVisible()) combo->showPopup();
    QWidget* list = combo->view()->viewport();
    const QPoint at = combo->view()->visualRect(combo->model()->index(n, 0)).center();
    // The pointer goes to the item, which takes the highlight, and the user
    // confirms it with Enter (a click so soon after the list opened is taken
    // for the end of the click that opened it).
    SendMove(list, at);
    SendKey(combo->view(), Qt::Key_Return);
    return true;
}

bool GuiDriver::Key(const Form& to, const std::string& key) {
    FormWindow* w = renderer_.Window(to.name());
    if (!w || !w->isVisible()) return false;
    QWidget* target = w->focusWidget() ? w->focusWidget() : w;
    SendKey(target, key == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
    return true;
}

void GuiDriver::Settle() {
    QElapsedTimer clock;
    clock.start();
    // Windows are drawn once the display has exposed them.
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        bool exposed = true;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowHandle() && !top->windowHandle()->isExposed())
                exposed = false;
        if (exposed || clock.elapsed() > kSettleLimitMs) break;
        QThread::msleep(5);
    }
    for (int i = 0; i < kPaintRounds; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool GuiDriver::Snap(const std::string& file) {
    Settle();
    // Every monitor: the picture is the whole desktop, from its top-left
    // corner. A screen grabs from its own corner.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect all = screen ? screen->virtualGeometry() : QRect();
    const QPoint from = screen ? all.topLeft() - screen->geometry().topLeft() : QPoint();
    const QPixmap shot =
        screen ? screen->grabWindow(0, from.x(), from.y(), all.width(), all.height()) : QPixmap();
    const QString path = QString::fromStdString(file);
    const QString temp = path + QStringLiteral(".part.png");
    // Written whole and then renamed, so a watcher never reads half a picture.
    return !shot.isNull() && shot.save(temp, "PNG") &&
           (!QFile::exists(path) || QFile::remove(path)) && QFile::rename(temp, path);
}

}  // namespace vz::qt
