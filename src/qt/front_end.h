#pragma once
// The Qt front end: real top-level windows (FormWindow) for the model's
// windows as the presenter asks, the pop-up menu as a QMenu, and, while the
// rest screen is up, black covers on the other monitors and the keyboard
// held (KeyboardHold). The model's screen lies at the top left of the
// primary monitor, wherever that is, and follows it.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <memory>
#include <set>

#include "frontend/front_end.h"

class QMenu;

namespace vz {
class Presenter;
}

namespace vz::qt {

class FormWindow;
class DeclineKey;
class KeyboardHold;
class MonitorCovers;
class PopupMenuView;

class QtFrontEnd : public QObject, public FrontEnd {
public:
    // The model's screen is `model_size` pixels. The rest screen holds the
    // keyboard when `hold_keyboard` (see KeyboardHold).
    explicit QtFrontEnd(QSize model_size, bool hold_keyboard = true);
    ~QtFrontEnd() override;

    // The open pop-up menu, if any.
    QMenu* ShownMenu() const;

    void Attach(Presenter* presenter) override { presenter_ = presenter; }
    // FormWindow, made as a top-level widget, and freed through Qt's own loop.
    Surface* Make(Form& form) override;
    void Destroy(Surface& surface) override;
    // The covers lie below the program's windows that stay on top.
    void Stack(const std::vector<Surface*>& bottom_to_top) override;
    // A QMenu, which hides before it tells what was chosen.
    void OpenMenu(Surface& surface, const Menu& menu, std::optional<Point> at) override;
    void CloseMenu() override;
    // The covers, and the keyboard grab; without it, the rest screen is activated.
    void Rest(Surface* rest) override;
    // The decline key held on the desktop while the banner is up.
    void Banner(Surface* banner) override;
    // Through the window's announcer, or, for the banner, its own showing.
    void Announce(Surface& surface, const std::string& text) override;
    // A zero-time timer of this object's.
    void Later(std::function<void()> task) override;
    // In the font a widget completes from the application's.
    Size TextSize(const Font& font, const std::string& text) override;

private:
    // Follows the primary monitor: which one it is, and where.
    void FollowPrimary();

    Presenter* presenter_ = nullptr;
    QRect screen_;
    std::set<FormWindow*> windows_;  // made and not yet destroyed
    std::unique_ptr<PopupMenuView> popup_;
    std::unique_ptr<MonitorCovers> covers_;
    std::unique_ptr<KeyboardHold> keyboard_;
    std::unique_ptr<DeclineKey> decline_key_;
    QPointer<FormWindow> banner_;
    QPointer<FormWindow> rest_;
    QMetaObject::Connection primary_moved_;
};

}  // namespace vz::qt
