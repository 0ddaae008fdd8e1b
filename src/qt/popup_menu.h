#pragma once
// The pop-up menu as a real QMenu at the pointer. The user's choice, or its
// closing without one, goes to the model; when the model closes the menu
// (a modal window opens, the hour ends) it closes without a word back.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "platform/menu.h"

namespace vz::qt {

class PopupMenuView : public QObject {
public:
    using Chosen = std::function<void(const std::string& item)>;
    using Dismissed = std::function<void()>;
    // `inside`: the menu is drawn inside the window that opens it, as a part of
    // it, where a compositor would stack a menu of its own below a full-screen
    // window (KDE's on Wayland does).
    PopupMenuView(Chosen chosen, Dismissed dismissed, bool inside = false);
    ~PopupMenuView() override;

    void Open(const Menu& menu, QPoint global, QWidget* parent);
    // The model closed it.
    void Close();
    QMenu* Shown() const { return menu_; }

private:
    void Closed(int generation);

    Chosen chosen_;
    Dismissed dismissed_;
    QPointer<QMenu> menu_;
    int generation_ = 0;
    bool answered_ = false;
    bool inside_;
};

}  // namespace vz::qt
