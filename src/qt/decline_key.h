#pragma once
// The decline key (Ctrl+Alt+N, frontend/accessible.h) while the banner is
// up: a passive grab on the X root window, so the key reaches the program
// wherever the keyboard is and the focus stays where the user works. Held
// only while the banner is up, so that no other program loses the key for
// good. Under XWayland it is heard while an X11 window has the keyboard.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <vector>

namespace vz::qt {

class DeclineKey : public QAbstractNativeEventFilter {
public:
    explicit DeclineKey(std::function<void()> pressed);
    ~DeclineKey() override;
    DeclineKey(const DeclineKey&) = delete;
    DeclineKey& operator=(const DeclineKey&) = delete;

    // Holds the key (`on`) or lets it go; nothing off X11.
    void Hold(bool on);
    bool Held() const { return !grabbed_.empty(); }

protected:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    std::function<void()> pressed_;
    std::uint8_t keycode_ = 0;
    std::vector<std::uint16_t> grabbed_;  // the modifier sets held
};

}  // namespace vz::qt
