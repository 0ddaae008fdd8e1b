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
    PopupMenuView(Chosen chosen, Dismissed dismissed);
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
};

}  // namespace vz::qt
