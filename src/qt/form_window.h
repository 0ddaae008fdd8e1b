#pragma once
// One window of the model as a real top-level window. It has no frame from
// the window manager: a window with a border draws its own, so no design
// ever gets a title bar. It takes its place, colour and states from the
// presenter and the model, shows each control in a view of its own, and
// passes clicks, pointer moves, picks and Enter/Escape on to the presenter.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "frontend/front_end.h"
#include "platform/form.h"
#include "qt/accessibility.h"
#include "qt/control_views.h"

namespace vz {
class Control;
class Presenter;
}  // namespace vz

namespace vz::qt {

class FormWindow : public PointerWidget, public Surface, public InputSink {
public:
    // `screen` is where the model's screen lies on the desktop.
    FormWindow(Form& form, Presenter& presenter, QRect screen,
               std::function<void()> before_full_screen = {});

    const std::string& name() const { return name_; }
    Form* form() const { return form_; }
    // The model's screen moved on the desktop (the primary monitor did).
    void SetScreen(QRect screen);
    bool FullScreen() const { return full_screen_; }

    // Surface.
    void Place() override;
    void Paint(const Control& control) override;
    void Show(Surface* owner) override;
    // A hidden window keeps neither its native window nor its backing store.
    void Hide() override;
    void Detach() override;

    // Called just before the window asks to go full screen.
    std::function<void()> before_full_screen;

    // Speaks `text` to a screen reader unasked (frontend/front_end.h).
    void Announce(const std::string& text);

    // The widget that shows a control, by its name ("Label2"); nothing if none.
    QWidget* View(const std::string& control) const;

    // InputSink: to the presenter, from this window.
    void Click(Control* control, QPoint global) override;
    void Hover(Control* control) override;
    void Select(ComboBox& combo, int position) override;
    void Press(Key key) override;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildControls();
    void FocusFirstControl();
    void ApplyGeometry(QRect outer, bool whole);
    // The menu key: a click on the window's own surface, where a menu opens.
    void MenuKey();

    Form* form_;
    Presenter& presenter_;
    std::string name_;
    QRect screen_;
    int frame_ = 0;
    QColor back_;
    bool full_screen_ = false;
    std::map<std::string, QPointer<QWidget>> views_;
    Announcer* announcer_;
};

}  // namespace vz::qt
