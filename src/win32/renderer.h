#pragma once
// The Windows front end: a real window for every loaded window of the model,
// kept in step with what the runtime reports (its events, never its trace
// text), and the user's input on those windows turned into the model's input.
// Every control is drawn by the window itself; pictures come from the
// program's resources (PNG, decoded by GDI+). All the program's decisions
// stay in the model.

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "platform/event.h"

namespace vz {
class Runtime;
class Form;
class Control;
}  // namespace vz

namespace vz::win32 {

class Renderer : public Observer {
public:
    explicit Renderer(Runtime& runtime);
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void OnEvent(const Event& event) override;

    // The real window of a loaded model window; nullptr when there is none.
    HWND Window(const std::string& name) const;
    // Where a control lies in its window's client area; empty when the window has none.
    RECT ControlRect(const Control& control) const;
    // The control that takes a click at a point of a window's client area;
    // nullptr for the window itself.
    const Control* ControlAt(HWND window, POINT client) const;

    // Told of each failure that the program reports to the user.
    std::function<void(const std::string&)> on_error;

private:
    struct View;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(View& view, UINT message, WPARAM w, LPARAM l);
    View* ViewOf(const Form* form) const;
    void Created(Form& form);
    void Destroyed(Form& form);
    void Shown(Form& form);
    void SyncForm(View& view);
    void Restack();
    void Paint(View& view, HDC dc);
    const Control* HitTest(const View& view, POINT at) const;
    void ClickAt(View& view, POINT at);
    bool FocusKey(View& view, WPARAM key, bool alt);
    void MoveFocus(View& view, bool back);
    void OpenPopup(View& view);
    void PickFromCombo(View& view, const Control& combo);

    // A picture by the model's name for it ("rest-picture", "icon"); nullptr
    // when the program carries none.
    HBITMAP Picture(const std::string& name);
    void DrawPicture(HDC dc, const std::string& name, const RECT& r);

    Runtime& runtime_;
    std::map<const Form*, View*> views_;
    std::map<std::string, HBITMAP> pictures_;
    HICON icon_ = nullptr;
    ULONG_PTR gdiplus_ = 0;
    POINT last_click_{};
    bool clicked_ = false;
    bool menu_open_ = false;
};

}  // namespace vz::win32
