#pragma once
// One window of the model as a real top-level window. It has no frame from
// the window manager: a window with a border draws its own, so no design
// ever gets a title bar. It follows the model's geometry, colour, visibility
// and controls, and passes clicks, pointer moves and Enter/Escape on.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

#include "platform/form.h"
#include "qt/control_views.h"

namespace vz {
class Control;
}

namespace vz::qt {

class FormWindow : public PointerWidget {
public:
    // `screen` is the primary screen's rectangle; the model's origin is its top-left.
    FormWindow(Form& form, InputSink& sink, QRect screen,
               std::function<void()> before_full_screen = {});

    const std::string& name() const { return name_; }
    Form* form() const { return form_; }
    // The model has destroyed its window; nothing here reads it any more.
    void Detach();

    // The primary monitor's rectangle, where the model's screen lies, moved.
    void SetScreen(QRect screen);
    void SyncForm();
    void SyncControl(const Control& control);
    void SyncAll();
    void ShowWindow(FormWindow* owner);
    void HideWindow();
    bool FullScreen() const { return full_screen_; }
    // Shown, black and covering the model's whole screen: the rest screen.
    bool RestScreen() const;

    // Called just before the window asks to go full screen; given to the
    // constructor, it is called for a window built already covering the screen.
    std::function<void()> before_full_screen;

    // The widget that shows a control, by its name ("Label2"); nothing if none.
    QWidget* View(const std::string& control) const;
    // The pixel width of the drawn border.
    int Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildControls();
    void FocusFirstControl();
    void ApplyGeometry(QRect outer);

    Form* form_;
    InputSink& sink_;
    std::string name_;
    QRect screen_;
    int frame_ = 0;
    BorderStyle border_;
    QColor back_;
    bool full_screen_ = false;
    std::map<std::string, QPointer<QWidget>> views_;
};

}  // namespace vz::qt
