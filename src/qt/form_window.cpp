#include "qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <qdrawutil.h>

#include "platform/control.h"
#include "platform/controls.h"
#include "qt/pictures.h"
#include "qt/units.h"
#include "qt/x11_hints.h"

namespace vz::qt {

namespace {

// A fixed border is drawn as the classic raised dialog frame.
constexpr int kDialogFramePx = 3;

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

FormWindow::FormWindow(Form& form, InputSink& sink, QRect screen,
                       std::function<void()> before_full_screen)
    : PointerWidget(nullptr, sink, form.name()),
      before_full_screen(std::move(before_full_screen)),
      form_(&form),
      sink_(sink),
      name_(form.name()),
      screen_(screen),
      border_(form.border_style) {
    frame_ = border_ == BorderStyle::None ? 0 : kDialogFramePx;
    setWindowFlags(FlagsFor(form, false));
    setObjectName(QString::fromStdString(name_));
    setWindowTitle(form.caption.empty() ? QStringLiteral("Verezerud")
                                        : QString::fromStdString(form.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildControls();
    SyncAll();
}

void FormWindow::Detach() { form_ = nullptr; }

void FormWindow::BuildControls() {
    const QPoint client(frame_, frame_);
    std::vector<QWidget*> windowed;
    for (Control* c : form_->Controls()) {
        QWidget* view = nullptr;
        switch (c->kind()) {
            case Control::Kind::Label:
                view = new LabelView(this, sink_, *static_cast<Label*>(c));
                break;
            case Control::Kind::Image: {
                auto* image = static_cast<Image*>(c);
                const QRect r = PxRect(0, 0, c->Width(), c->Height());
                view = new PictureView(this, sink_, *c, LoadPicture(image->picture, r.size()),
                                       QColor());
                view->setToolTip(QString::fromStdString(image->tool_tip));
                break;
            }
            case Control::Kind::PictureBox: {
                auto* box = static_cast<PictureBox*>(c);
                const QRect r = PxRect(0, 0, c->Width(), c->Height());
                view = new PictureView(this, sink_, *c, LoadPicture(box->picture, r.size()),
                                       ToQColor(box->back_color));
                windowed.push_back(view);
                break;
            }
            case Control::Kind::ComboBox:
                view = new ComboView(this, sink_, *static_cast<ComboBox*>(c));
                windowed.push_back(view);
                break;
            case Control::Kind::CommandButton:
                view = new ButtonView(this, sink_, *static_cast<CommandButton*>(c));
                windowed.push_back(view);
                break;
            case Control::Kind::Line:
                view = new LineView(this, *static_cast<Line*>(c), client);
                break;
            case Control::Kind::Timer:
                break;
        }
        if (view) views_[c->name()] = view;
    }
    // Controls with windows of their own lie above the drawn ones (labels,
    // images, lines), which stack among themselves in design order.
    for (QWidget* w : windowed) w->raise();
    const std::vector<Control*> order = form_->TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(View(order[i - 1]->name()), View(order[i]->name()));
}

void FormWindow::SyncAll() {
    SyncForm();
    if (!form_) return;
    for (Control* c : form_->Controls()) SyncControl(*c);
}

void FormWindow::SyncForm() {
    if (!form_) return;
    back_ = ToQColor(form_->BackColor());
    const QRect outer =
        PxRect(form_->Left(), form_->Top(), form_->Width(), form_->Height()).translated(screen_.topLeft());
    ApplyGeometry(outer);
    for (auto& [name, view] : views_)
        if (auto* line = dynamic_cast<LineView*>(view.data())) line->setGeometry(rect());
    update();
}

void FormWindow::ApplyGeometry(QRect outer) {
    // A borderless window the size of the screen goes full screen, so that a
    // window manager puts it above panels and docks; the geometry is set as
    // well, for desktops that have no window manager.
    const bool whole = border_ == BorderStyle::None && outer == screen_;
    if (whole != full_screen_) {
        if (whole && before_full_screen) before_full_screen();
        full_screen_ = whole;
        if (isVisible()) RequestFullScreen(this, whole);
    }
    if (geometry() != outer) setGeometry(outer);
}

void FormWindow::SetScreen(QRect screen) {
    screen_ = screen;
    SyncForm();
}

bool FormWindow::RestScreen() const {
    return form_ && full_screen_ && isVisible() && back_ == QColor(Qt::black);
}

void FormWindow::SyncControl(const Control& c) {
    if (!form_) return;
    const auto it = views_.find(c.name());
    if (it == views_.end() || !it->second) return;
    QWidget* view = it->second;
    const QRect box = PxRect(c.Left(), c.Top(), c.Width(), c.Height()).translated(frame_, frame_);
    switch (c.kind()) {
        case Control::Kind::Label:
            static_cast<LabelView*>(view)->Sync(static_cast<const Label&>(c), box);
            return;
        case Control::Kind::ComboBox:
            view->setGeometry(box);
            static_cast<ComboView*>(view)->Sync(static_cast<const ComboBox&>(c));
            return;
        case Control::Kind::CommandButton:
            view->setGeometry(box);
            static_cast<ButtonView*>(view)->Sync(static_cast<const CommandButton&>(c));
            return;
        case Control::Kind::Line:
            view->setVisible(c.Visible());
            return;
        default:
            view->setGeometry(box);
            view->setVisible(c.Visible());
            view->update();
    }
}

QWidget* FormWindow::View(const std::string& control) const {
    const auto it = views_.find(control);
    return it == views_.end() ? nullptr : it->second.data();
}

void FormWindow::ShowWindow(FormWindow* owner) {
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
        activateWindow();
        FocusFirstControl();
    }
}

void FormWindow::HideWindow() {
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
            sink_.Key("Enter");
            return;
        case Qt::Key_Escape:
            sink_.Key("Escape");
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
