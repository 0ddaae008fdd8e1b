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
#include <utility>

#include "platform/controls.h"
#include "qt/form_window.h"
#include "qt/front_end.h"
#include "qt/synthetic_input.h"
#include "qt/units.h"

namespace vz::qt {

namespace {

constexpr int kSettleLimitMs = 3000;
constexpr int kPaintRounds = 4;

FormWindow& Window(Surface& surface) { return static_cast<FormWindow&>(surface); }

// The widget of the window that lies at `at`, and the point in it.
std::pair<QWidget*, QPoint> At(Surface& surface, Point at) {
    FormWindow& w = Window(surface);
    const QPoint p = ToQPoint(at);
    QWidget* child = w.childAt(p);
    QWidget* target = child ? child : &w;
    QCursor::setPos(w.mapToGlobal(p));
    return {target, target->mapFrom(&w, p)};
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

GuiDriver::GuiDriver(Simulator& sim, Presenter& presenter, QtFrontEnd& front_end)
    : RealInput(sim, presenter), front_end_(front_end) {}

void GuiDriver::AfterLine() { QCoreApplication::processEvents(); }

bool GuiDriver::OnScreen(Surface& surface) { return Window(surface).isVisible(); }

void GuiDriver::Press(Surface& surface, Point at) {
    const auto [widget, local] = At(surface, at);
    SendClick(widget, local);
}

void GuiDriver::Move(Surface& surface, Point at) {
    const auto [widget, local] = At(surface, at);
    SendMove(widget, local);
}

bool GuiDriver::ChooseItem(std::size_t index) {
    QMenu* menu = front_end_.ShownMenu();
    if (!menu || !menu->isVisible() || index >= std::size_t(menu->actions().size())) return false;
    QAction* action = menu->actions()[qsizetype(index)];
    const QPoint at = menu->actionGeometry(action).center();
    QCursor::setPos(menu->mapToGlobal(at));
    SendClick(menu, at);
    QCoreApplication::processEvents();
    return true;
}

bool GuiDriver::CloseMenu() {
    QMenu* menu = front_end_.ShownMenu();
    if (!menu || !menu->isVisible()) return false;
    qt::SendKey(menu, Qt::Key_Escape);
    return true;
}

bool GuiDriver::PickFromList(Surface& surface, ComboBox& model, Point, int n) {
    auto* combo = qobject_cast<QComboBox*>(Window(surface).View(model.name()));
    if (!combo || !combo->isVisible() || n >= combo->count()) return false;
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
    qt::SendKey(combo->view(), Qt::Key_Return);
    return true;
}

void GuiDriver::SendKey(Surface& surface, Key key) {
    FormWindow& w = Window(surface);
    QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
    qt::SendKey(target, key == Key::Enter ? Qt::Key_Return : Qt::Key_Escape);
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
