#pragma once
// The front end: it watches the model's runtime and keeps a real window for
// every loaded window of the model, in step with what the model reports, and
// turns the user's input on those windows into the model's input. All the
// program's decisions stay in the model.
//
// A real window is built when its window is first shown (or asked for), not
// when the model loads it: the reminder is loaded at the start but hidden
// until the hour's end, and its widgets, fonts and picture can wait till then.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/event.h"
#include "qt/input_sink.h"

class QMenu;

namespace vz {
class Runtime;
}

namespace vz::qt {

class FormWindow;
class KeyboardHold;
class MonitorCovers;
class PopupMenuView;

class Renderer : public QObject, public Observer, public InputSink {
public:
    // The model's screen, `model_size` pixels, lies at the top left of the
    // primary monitor, wherever that is. The rest screen holds the keyboard
    // when `hold_keyboard` (see KeyboardHold).
    Renderer(Runtime& runtime, QSize model_size, bool hold_keyboard = true);
    ~Renderer() override;

    void OnEvent(const Event& event) override;

    // InputSink: the user's input, to the model.
    void Click(const std::string& target, QPoint global) override;
    void Hover(const std::string& target) override;
    void Select(const std::string& target, int position) override;
    void Key(const std::string& key) override;

    // The real window of a loaded model window (built now if it was not yet),
    // and the open pop-up menu.
    FormWindow* Window(const std::string& name);
    QMenu* OpenMenu() const;

    // Told of each failure that the program reports to the user.
    std::function<void(const std::string&)> on_error;

private:
    void Handle(const Event& event);
    // The real window of a loaded form if it has been built; nothing otherwise.
    FormWindow* WindowOf(Form* form);
    // The real window of a loaded form, built now if need be.
    FormWindow* Build(Form* form);
    // Follows the primary monitor: which one it is, and where.
    void FollowPrimary();
    // The rest screen came or went: the other monitors, the keyboard.
    void UpdateRest();
    void Created(Form& form);
    void Destroyed(Form& form);
    void Shown(Form& form);
    void Restack();
    void OpenPopup(Form& form);

    Runtime& runtime_;
    QRect screen_;
    // Every loaded form; its real window once built.
    std::map<Form*, std::unique_ptr<FormWindow>> windows_;
    std::unique_ptr<PopupMenuView> popup_;
    std::unique_ptr<MonitorCovers> covers_;
    std::unique_ptr<KeyboardHold> keyboard_;
    QPointer<FormWindow> rest_;
    QMetaObject::Connection primary_moved_;
    QPoint last_click_;
};

}  // namespace vz::qt
