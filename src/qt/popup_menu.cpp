#include "qt/popup_menu.h"

#include <QTimer>
#include <algorithm>

namespace vz::qt {

PopupMenuView::PopupMenuView(Chosen chosen, Dismissed dismissed, bool inside)
    : chosen_(std::move(chosen)), dismissed_(std::move(dismissed)), inside_(inside) {}

PopupMenuView::~PopupMenuView() { delete menu_.data(); }

void PopupMenuView::Open(const Menu& menu, QPoint global, QWidget* parent) {
    Close();
    const int generation = ++generation_;
    answered_ = false;
    auto* m = new QMenu(parent);
    m->setObjectName(QString::fromStdString(menu.name));
    for (const MenuItem& item : menu.items) {
        if (item.IsSeparator()) {
            m->addSeparator()->setObjectName(QString::fromStdString(item.name));
            continue;
        }
        QAction* action = m->addAction(QString::fromStdString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        const std::string name = item.name;
        connect(action, &QAction::triggered, this, [this, generation, name] {
            if (generation != generation_ || answered_) return;
            answered_ = true;
            chosen_(name);
        });
    }
    // A menu hides before it reports the chosen item, so whether it closed
    // without a choice is known only once the event that closed it is done.
    connect(m, &QMenu::aboutToHide, this, [this, generation] {
        QTimer::singleShot(0, this, [this, generation] { Closed(generation); });
    });
    menu_ = m;
    if (!inside_ || !parent) {
        m->popup(global);
        return;
    }
    m->setWindowFlags(Qt::Widget);
    m->setMouseTracking(true);
    m->adjustSize();
    // At the pointer, kept inside the window.
    const QRect area = parent->rect();
    QPoint at = parent->mapFromGlobal(global);
    at.setX(std::max(0, std::min(at.x(), area.width() - m->width())));
    at.setY(std::max(0, std::min(at.y(), area.height() - m->height())));
    m->move(at);
    m->show();
    m->raise();
    m->setFocus(Qt::PopupFocusReason);
}

void PopupMenuView::Closed(int generation) {
    if (generation != generation_) return;
    if (menu_) menu_->deleteLater();
    menu_ = nullptr;
    if (answered_) return;
    answered_ = true;
    dismissed_();
}

void PopupMenuView::Close() {
    ++generation_;  // nothing from the old menu reaches the model any more
    if (!menu_) return;
    QMenu* m = menu_;
    menu_ = nullptr;
    m->hide();
    m->deleteLater();
}

}  // namespace vz::qt
