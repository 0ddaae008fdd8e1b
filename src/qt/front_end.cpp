#include "qt/front_end.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QScreen>
#include <QTimer>

#include "frontend/presenter.h"
#include "qt/accessibility.h"
#include "qt/decline_key.h"
#include "qt/fonts.h"
#include "qt/form_window.h"
#include "qt/keyboard_hold.h"
#include "qt/monitor_covers.h"
#include "qt/platform_choice.h"
#include "qt/popup_menu.h"
#include "qt/units.h"

namespace vz::qt {

namespace {

QPoint PrimaryOrigin() {
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().topLeft() : QPoint();
}

FormWindow& Window(Surface& surface) { return static_cast<FormWindow&>(surface); }

}  // namespace

QtFrontEnd::QtFrontEnd(QSize model_size, bool hold_keyboard)
    : screen_(PrimaryOrigin(), model_size) {
    StartAccessibility();
    popup_ = std::make_unique<PopupMenuView>(
        [this](const std::string& item) {
            if (presenter_) presenter_->Choose(item);
        },
        [this] {
            if (presenter_) presenter_->Dismiss();
        },
        WaylandSession(CurrentSession()));
    covers_ = std::make_unique<MonitorCovers>();
    decline_key_ = std::make_unique<DeclineKey>([this] {
        if (presenter_ && banner_) presenter_->Decline(*banner_);
    });
    if (hold_keyboard) keyboard_ = std::make_unique<KeyboardHold>();
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this] { FollowPrimary(); });
    FollowPrimary();
}

QtFrontEnd::~QtFrontEnd() {
    decline_key_.reset();
    keyboard_.reset();
    covers_.reset();
    popup_.reset();
    for (FormWindow* w : windows_) delete w;
}

QMenu* QtFrontEnd::ShownMenu() const { return popup_->Shown(); }

void QtFrontEnd::FollowPrimary() {
    QScreen* primary = QGuiApplication::primaryScreen();
    disconnect(primary_moved_);
    if (primary)
        primary_moved_ = connect(primary, &QScreen::geometryChanged, this, [this] { FollowPrimary(); });
    const QPoint origin = PrimaryOrigin();
    if (origin != screen_.topLeft()) {
        screen_.moveTopLeft(origin);
        for (FormWindow* w : windows_) w->SetScreen(screen_);
    }
    covers_->Refresh();
}

Surface* QtFrontEnd::Make(Form& form) {
    auto* window = new FormWindow(form, *presenter_, screen_, [this] {
        if (keyboard_) keyboard_->NoteFocus();
    });
    windows_.insert(window);
    return window;
}

void QtFrontEnd::Stack(const std::vector<Surface*>& bottom_to_top) {
    covers_->Raise();
    for (Surface* s : bottom_to_top) Window(*s).raise();
    // A small window or a message stays above the window it was opened over,
    // whatever a window manager makes of a raised owner (KDE lets it cover them).
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::Dialog) w->raise();
}

void QtFrontEnd::Destroy(Surface& surface) {
    FormWindow* window = &Window(surface);
    windows_.erase(window);
    window->deleteLater();
}

void QtFrontEnd::OpenMenu(Surface& surface, const Menu& menu, std::optional<Point> at) {
    // At the pointer: where the click that opened it was, or else where it is now.
    popup_->Open(menu, at ? ToQPoint(*at) : QCursor::pos(), &Window(surface));
}

void QtFrontEnd::CloseMenu() { popup_->Close(); }

void QtFrontEnd::Rest(Surface* rest) {
    FormWindow* window = rest ? &Window(*rest) : nullptr;
    const bool began = window && window != rest_;
    rest_ = window;
    covers_->Cover(window);
    if (keyboard_) {
        if (window)
            keyboard_->Hold(window);
        else
            keyboard_->Release();
    }
    if (began && !keyboard_) window->activateWindow();
}

void QtFrontEnd::Banner(Surface* banner) {
    banner_ = banner ? &Window(*banner) : nullptr;
    decline_key_->Hold(banner != nullptr);
}

void QtFrontEnd::Announce(Surface& surface, const std::string& text) {
    Window(surface).Announce(text);
}

void QtFrontEnd::Later(std::function<void()> task) { QTimer::singleShot(0, this, std::move(task)); }

Size QtFrontEnd::TextSize(const Font& font, const std::string& text) {
    // As a widget with this font draws it: the font completed from the application's.
    const QFontMetrics metrics(ToQFont(font).resolve(QApplication::font()));
    const QSize size = metrics.size(Qt::TextSingleLine, QString::fromStdString(text));
    return Size{size.width(), size.height()};
}

}  // namespace vz::qt
