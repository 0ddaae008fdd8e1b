#include "qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <utility>
#include <qdrawutil.h>

#include "frontend/accessible.h"
#include "frontend/presenter.h"
#include "platform/control.h"
#include "platform/controls.h"
#include "qt/pictures.h"
#include "qt/units.h"
#include "qt/x11_hints.h"

namespace vz::qt {

namespace {

// No window manager frame for any window: those with a border draw their
// own. A window shown modal over another is a dialog. Any other is a normal
// window, kept out of the task bar by its state where it asks to be: window
// managers let only normal windows go full screen, above panels and docks.
Qt::WindowFlags FlagsFor(const Form& form, bool modal) {
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    flags |= modal ? Qt::Dialog : Qt::Window;
    if (form.TopmostOrder() != 0) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

FormWindow::FormWindow(Form& form, Presenter& presenter, QRect screen,
                       std::function<void()> before_full_screen)
    : PointerWidget(nullptr, *this, nullptr),
      before_full_screen(std::move(before_full_screen)),
      form_(&form),
      presenter_(presenter),
      name_(form.name()),
      screen_(screen),
      frame_(presenter.layout().Frame(form)),
      announcer_(new Announcer(this)) {
    setWindowFlags(FlagsFor(form, false));
    setObjectName(QString::fromStdString(name_));
    setWindowTitle(QString::fromStdString(Title(form)));
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildControls();
}

void FormWindow::Detach() {
    form_ = nullptr;
    Hide();
}

void FormWindow::BuildControls() {
    // Made from the bottom up, so that each lies above those made before it.
    for (Control* c : StackingOrder(*form_)) {
        QWidget* view = nullptr;
        const QSize size = ToQRect(presenter_.layout().ControlBox(*c)).size();
        switch (c->kind()) {
            case Control::Kind::Label:
                view = new LabelView(this, *this, *static_cast<Label*>(c));
                break;
            case Control::Kind::Image: {
                auto* image = static_cast<Image*>(c);
                view = new PictureView(this, *this, *c, LoadPicture(image->picture, size), QColor());
                view->setToolTip(QString::fromStdString(image->tool_tip));
                break;
            }
            case Control::Kind::PictureBox: {
                auto* box = static_cast<PictureBox*>(c);
                view = new PictureView(this, *this, *c, LoadPicture(box->picture, size),
                                       ToQColor(box->back_color));
                break;
            }
            case Control::Kind::ComboBox:
                view = new ComboView(this, *this, *static_cast<ComboBox*>(c));
                break;
            case Control::Kind::CommandButton:
                view = new ButtonView(this, *this, *static_cast<CommandButton*>(c));
                break;
            case Control::Kind::Line:
                view = new LineView(this, *static_cast<Line*>(c));
                break;
            case Control::Kind::Timer:
                break;
        }
        if (view) views_[c->name()] = view;
    }
    const std::vector<Control*> order = form_->TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(View(order[i - 1]->name()), View(order[i]->name()));
}

void FormWindow::Place() {
    if (!form_) return;
    back_ = ToQColor(form_->BackColor());
    const QRect outer = ToQRect(presenter_.layout().Outer(*form_)).translated(screen_.topLeft());
    ApplyGeometry(outer, Presenter::FullScreen(*form_));
    for (Control* c : form_->Controls())
        if (c->kind() == Control::Kind::Line) Paint(*c);
    update();
}

void FormWindow::ApplyGeometry(QRect outer, bool whole) {
    // The rest screen goes full screen, so that a window manager puts it
    // above panels and docks; the geometry is set as well, for desktops that
    // have no window manager.
    if (whole != full_screen_) {
        if (whole && before_full_screen) before_full_screen();
        full_screen_ = whole;
        if (isVisible()) RequestFullScreen(this, whole);
    }
    if (geometry() != outer) setGeometry(outer);
}

void FormWindow::SetScreen(QRect screen) {
    screen_ = screen;
    Place();
}

void FormWindow::Paint(const Control& c) {
    if (!form_) return;
    const auto it = views_.find(c.name());
    if (it == views_.end() || !it->second) return;
    QWidget* view = it->second;
    const Layout& layout = presenter_.layout();
    switch (c.kind()) {
        case Control::Kind::Label:
            static_cast<LabelView*>(view)->Sync(static_cast<const Label&>(c),
                                                ToQRect(layout.ControlBox(c)));
            return;
        case Control::Kind::ComboBox:
            view->setGeometry(ToQRect(layout.ControlBox(c)));
            static_cast<ComboView*>(view)->Sync(static_cast<const ComboBox&>(c));
            return;
        case Control::Kind::CommandButton:
            view->setGeometry(ToQRect(layout.ControlBox(c)));
            static_cast<ButtonView*>(view)->Sync(static_cast<const CommandButton&>(c));
            return;
        case Control::Kind::Line: {
            const auto [from, to] = layout.LineEnds(static_cast<const Line&>(c));
            static_cast<LineView*>(view)->Sync(ToQPoint(from), ToQPoint(to));
            view->setVisible(c.Visible());
            return;
        }
        default:
            view->setGeometry(ToQRect(layout.ControlBox(c)));
            view->setVisible(c.Visible());
            view->update();
    }
}

QWidget* FormWindow::View(const std::string& control) const {
    const auto it = views_.find(control);
    return it == views_.end() ? nullptr : it->second.data();
}

void FormWindow::Show(Surface* owner_surface) {
    auto* owner = static_cast<FormWindow*>(owner_surface);
    // The kind of window is known for sure only now; changing it makes a new
    // native window, so it is done only while hidden.
    if (form_ && !isVisible()) {
        const Qt::WindowFlags flags = FlagsFor(*form_, owner != nullptr);
        if (windowFlags() != flags) setWindowFlags(flags);
    }
    // A window the user did not ask for does not take the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating, owner == nullptr);
    winId();
    if (owner && windowHandle() && owner->windowHandle())
        windowHandle()->setTransientParent(owner->windowHandle());
    if (form_) SetStatesBeforeShow(this, !form_->show_in_taskbar, full_screen_);
    show();
    raise();
    if (owner) {
        // Opened by the user from the menu: it takes the keyboard, also where
        // the window manager would refuse a program's own request (KDE keeps
        // it below the active full-screen rest screen then).
        activateWindow();
        ActivateAsPager(winId());
        FocusFirstControl();
    }
}

void FormWindow::Hide() {
    // What it said goes with it, or it would be said again at the next showing.
    announcer_->hide();
    hide();
    // A hidden window keeps neither its native window nor its backing store
    // (the rest screen's is as large as the screen); showing it makes new ones.
    if (testAttribute(Qt::WA_WState_Created)) destroy();
}

void FormWindow::FocusFirstControl() {
    if (!form_) return;
    for (Control* c : form_->TabOrder()) {
        QWidget* v = View(c->name());
        if (!v || !v->isVisible()) continue;
        v->setFocus(Qt::OtherFocusReason);
        return;
    }
}

void FormWindow::Click(Control* control, QPoint global) {
    if (form_) presenter_.Click(*this, control, FromQPoint(global));
}

void FormWindow::Hover(Control* control) {
    if (form_) presenter_.Hover(*this, control);
}

void FormWindow::Select(ComboBox& combo, int position) {
    if (form_) presenter_.Select(*this, combo, position);
}

void FormWindow::Press(Key key) {
    if (form_) presenter_.Press(*this, key);
}

void FormWindow::MenuKey() {
    if (!form_) return;
    const std::optional<Point> free = presenter_.layout().FreePoint(*form_);
    const QPoint at = free ? ToQPoint(*free) : rect().center();
    presenter_.MenuKey(*this, FromQPoint(mapToGlobal(at)));
}

void FormWindow::Announce(const std::string& text) {
    if (!form_ || !isVisible()) return;
    // A notification window is spoken as it shows, with its name.
    if (Describe(*form_).role == AccessibleRole::Notification) return;
    announcer_->Say(QString::fromStdString(text));
}

void FormWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    if (frame_ > 0) {
        QPalette pal = palette();
        pal.setColor(QPalette::Light, QColor(255, 255, 255));
        pal.setColor(QPalette::Midlight, QColor(227, 227, 227));
        pal.setColor(QPalette::Dark, QColor(160, 160, 160));
        pal.setColor(QPalette::Shadow, QColor(105, 105, 105));
        pal.setColor(QPalette::Button, ToQColor(kSystemButtonFace));
        qDrawWinPanel(&p, rect(), pal, false, nullptr);
        p.setPen(ToQColor(kSystemButtonFace));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Press(Key::Enter);
            return;
        case Qt::Key_Escape:
            Press(Key::Escape);
            return;
        case Qt::Key_Menu:
            MenuKey();
            return;
        case Qt::Key_F10:
            if (e->modifiers() & Qt::ShiftModifier) {
                MenuKey();
                return;
            }
            QWidget::keyPressEvent(e);
            return;
        default:
            QWidget::keyPressEvent(e);
    }
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // Only the program closes its windows.
    e->ignore();
}

}  // namespace vz::qt
