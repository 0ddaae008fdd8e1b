#pragma once
// One window of the model as a real Win32 window: a pop-up window owned by the
// window of the form that opens it, with the system's own controls on it — a
// STATIC for each label, picture and icon, a drop-down COMBOBOX for each list,
// a BUTTON for each button — placed where the presenter's layout says, in
// fonts at the display's dots per inch. The window paints only what has no
// control: its colour, its frame and its lines. The controls report clicks,
// picks and pointer moves as typed input; the keyboard goes through the
// dialog manager (Tab, arrows, Space), except Enter and Escape, which are the
// model's.

#include <windows.h>

#include <vector>

#include "frontend/front_end.h"

namespace vz {
class Control;
class Form;
class Presenter;
}  // namespace vz

namespace vz::win32 {

class Look;
class Pictures;

class FormWindow : public Surface {
public:
    // A hidden window for `form`, owned by `owner` (nullptr for none).
    FormWindow(Form& form, Presenter& presenter, Look& look, Pictures& pictures, HWND owner);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    Form* form() const { return form_; }
    // The system control that shows `control`; nullptr for none.
    HWND ViewOf(const Control& control) const;
    // Raises a system alert whose text a screen reader speaks, from a control
    // of no size that draws nothing.
    void Announce(const std::string& text);
    HWND announcer() const { return announcer_; }
    // A key from the message loop for this window or one of its controls;
    // true when it has been dealt with.
    bool DialogKey(MSG& message);

    // Surface.
    void Place() override;
    void Paint(const Control& control) override;
    void Show(Surface* owner) override;
    void Hide() override { ::ShowWindow(hwnd_, SW_HIDE); }
    void Detach() override;

private:
    struct View {
        Control* control;
        HWND hwnd;
        WNDPROC proc;  // the system control's own
        int dpi = 0;   // the dots per inch its picture was set at
    };

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ViewProc(HWND view, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void MakeViews();
    void Sync(View& view);
    View* Find(HWND view);
    View* Find(const Control& control);
    HBRUSH Colours(HDC dc, HWND view);
    void Command(WPARAM w, LPARAM l);
    // The pointer moved to `at` (in the window) over `view` (nullptr: the window).
    void Hovered(View* view, POINT at);
    void OnPaint();
    int Dpi() const;

    Form* form_;
    Presenter& presenter_;
    Look& look_;
    Pictures& pictures_;
    HWND hwnd_ = nullptr;
    POINT last_move_{-1, -1};
    HWND last_move_in_ = nullptr;
    HWND announcer_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the keyboard when the window was left
    std::vector<View> views_;
};

}  // namespace vz::win32
