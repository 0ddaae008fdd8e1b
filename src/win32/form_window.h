#pragma once
// One window of the model as a real Win32 window: a plain pop-up window that
// draws its controls itself (painter.h) and turns the user's mouse and keys
// into input for the presenter. It keeps which of its lists and buttons has
// the keyboard: Tab and Shift+Tab move it in the model's tab order, the
// arrows step the list that has it, F4 or Alt+Down opens that list, Space
// presses the button; Enter and Escape go to the model.

#include <windows.h>

#include <memory>

#include "frontend/front_end.h"

namespace vz {
class ComboBox;
class Control;
class Form;
class Presenter;
}  // namespace vz

namespace vz::win32 {

class Pictures;

class FormWindow : public Surface {
public:
    FormWindow(Form& form, Presenter& presenter, Pictures& pictures);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    Form* form() const { return form_; }

    // Surface. Every change draws the whole window afresh.
    void Place() override;
    void Paint(const Control&) override { Redraw(); }
    // A modal window opens with the keyboard on its first control in tab order.
    void Show(Surface* owner) override;
    void Hide() override { ::ShowWindow(hwnd_, SW_HIDE); }
    void Detach() override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void Redraw() { ::InvalidateRect(hwnd_, nullptr, FALSE); }
    void OnPaint();
    void ClickAt(POINT at);
    void HoverAt(POINT at);
    bool FocusKey(WPARAM key, bool alt);
    void MoveFocus(bool back);
    void PickFromList(ComboBox& combo);

    Form* form_;
    Presenter& presenter_;
    Pictures& pictures_;
    HWND hwnd_ = nullptr;
    POINT last_move_{-1, -1};
    Control* focus_ = nullptr;  // the list or button that has the keyboard
    // A list's menu runs a loop of its own, in which the window may go.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vz::win32
