// The Windows sources of presence under Wine, as far as Wine has them: idle
// time, lock and sleep, the microphone's entries in the capability access
// store written as Windows writes them, and what each source says of itself.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/presence.h"
#include "win32/desktop_presence.h"
#include "win32/idle.h"
#include "win32/microphone.h"
#include "win32/notification_state.h"
#include "win32/session_events.h"
#include "win32/window_timer_scheduler.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

struct Told {
    vz::Presence what;
    std::int64_t at_ms;
    std::int64_t heard_ms;
};

class Sink : public vz::PresenceSink {
public:
    explicit Sink(const vz::Scheduler& scheduler) : scheduler_(scheduler) {}
    void Tell(vz::Presence what, std::int64_t at_ms) override { told.push_back({what, at_ms, scheduler_.NowMs()}); }
    bool Has(std::size_t count, vz::Presence what) const { return told.size() >= count && told[count - 1].what == what; }
    std::vector<Told> told;

private:
    const vz::Scheduler& scheduler_;
};

// Runs the message loop until `done` holds, waking for each message, or
// gives up after `limit_ms`.
template <class Condition>
bool PumpUntil(Condition done, DWORD limit_ms = 10000) {
    const ULONGLONG end = ::GetTickCount64() + limit_ms;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
    return true;
}

void MoveThePointer() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = 5;
    input.mi.dy = 5;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof input);
}

void IdleTime() {
    vz::win32::WindowTimerScheduler scheduler;
    Sink sink(scheduler);
    MoveThePointer();
    const std::int64_t moved = scheduler.NowMs();
    vz::win32::Idle idle(scheduler, 400);
    idle.Start(sink);
    Check(PumpUntil([&] { return !sink.told.empty(); }) && sink.Has(1, vz::Presence::Away),
          "away once no input came for the threshold, on the idle timer");
    if (sink.told.empty()) return;
    const Told away = sink.told[0];
    Check(away.at_ms <= moved + 150 && away.at_ms >= moved - 150,
          "away dated back to the last input (" + std::to_string(away.at_ms) + " for " + std::to_string(moved) + ")");
    Check(away.heard_ms - away.at_ms >= 350, "told no sooner than the threshold");
    const std::int64_t back = scheduler.NowMs();
    MoveThePointer();
    Check(PumpUntil([&] { return sink.told.size() >= 2; }, 5000) && sink.Has(2, vz::Presence::Back) &&
              sink.told[1].at_ms >= back,
          "back at the first input, through the hooks");
    Check(PumpUntil([&] { return sink.told.size() >= 3; }) && sink.Has(3, vz::Presence::Away), "away again");
    Check(idle.Describe().front() == "idle: GetLastInputInfo, away after 0 s; back at the first input after, through low-level hooks",
          idle.Describe().front());
    // Refused hooks, or input they missed: read at the next decision, dated
    // to the last sight of the user away.
    idle.Refresh();
    const std::size_t told = sink.told.size();
    const std::int64_t last_seen = scheduler.NowMs();
    idle.Refresh();  // seen away again
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_SHIFT;
    ::SendInput(1, &key, sizeof key);  // no message pumped: the hooks hear nothing yet
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &key, sizeof key);
    idle.Refresh();
    Check(sink.told.size() == told + 1 && sink.told.back().what == vz::Presence::Back &&
              sink.told.back().at_ms >= last_seen && sink.told.back().at_ms <= scheduler.NowMs(),
          "back read at the next decision when the hooks miss it");
}

void SessionAndPower() {
    vz::win32::WindowTimerScheduler scheduler;
    Sink sink(scheduler);
    vz::win32::SessionEvents session(scheduler);
    session.Start(sink);
    HWND w = session.window();
    Check(w != nullptr, "the hidden window is made");
    ::SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    ::SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    ::SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    // The power broadcast goes to every top-level window.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMSUSPEND, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    ::SendMessageW(w, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    ::SendMessageW(w, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    std::vector<vz::Presence> words;
    for (const Told& t : sink.told) words.push_back(t.what);
    Check(words == std::vector<vz::Presence>{vz::Presence::Locked, vz::Presence::Unlocked, vz::Presence::Asleep,
                                            vz::Presence::Awake},
          "locked, unlocked, asleep (broadcast), awake, each once (" + std::to_string(words.size()) + " told)");
    for (const std::string& line : session.Describe()) std::printf("  %s\n", line.c_str());
}

const wchar_t kStore[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone";

void SetUse(HKEY key, ULONGLONG start, ULONGLONG stop) {
    ::RegSetValueExW(key, L"LastUsedTimeStart", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&start), sizeof start);
    ::RegSetValueExW(key, L"LastUsedTimeStop", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&stop), sizeof stop);
}

void MicrophoneStore() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kStore);
    {
        vz::win32::WindowTimerScheduler scheduler;
        Sink sink(scheduler);
        vz::win32::Microphone microphone(scheduler);
        microphone.Start(sink);
        Check(microphone.Describe().front() == "microphone: no capability access store here, never seen",
              microphone.Describe().front());
    }
    HKEY store = nullptr, recorder = nullptr, app = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kStore, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &store, nullptr);
    ::RegCreateKeyExW(store, L"NonPackaged\\C:#Program Files#Recorder#rec.exe", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &recorder, nullptr);
    ::RegCreateKeyExW(store, L"Microsoft.SoundRecorder_8wekyb3d8bbwe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &app, nullptr);
    SetUse(recorder, 100, 200);  // used once, long ago
    vz::win32::WindowTimerScheduler scheduler;
    Sink sink(scheduler);
    vz::win32::Microphone microphone(scheduler);
    microphone.Start(sink);
    Check(microphone.Describe().front() == "microphone: the capability access store's microphone entries",
          microphone.Describe().front());
    SetUse(recorder, 300, 0);
    Check(PumpUntil([&] { return !sink.told.empty(); }) && sink.Has(1, vz::Presence::BusyOn),
          "busy while a program that is not packaged records");
    SetUse(app, 400, 0);
    SetUse(recorder, 300, 500);
    SetUse(app, 400, 600);
    Check(PumpUntil([&] { return sink.told.size() >= 2; }) && sink.Has(2, vz::Presence::BusyOff) &&
              sink.told.size() == 2,
          "free once the last one stops");
    ::RegCloseKey(app);
    ::RegCloseKey(recorder);
    ::RegCloseKey(store);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kStore);
}

void WhatEachSays() {
    vz::win32::WindowTimerScheduler scheduler;
    Sink sink(scheduler);
    auto sources = vz::win32::MakeDesktopPresence(scheduler, 300000);
    for (auto& source : sources) source->Start(sink);
    for (auto& source : sources) source->Refresh();
    for (auto& source : sources)
        for (const std::string& line : source->Describe()) std::printf("  %s\n", line.c_str());
    Check(sink.told.empty() || sink.told[0].what == vz::Presence::Away, "nothing busy or locked at the start");
}

}  // namespace

int main() {
    IdleTime();
    SessionAndPower();
    MicrophoneStore();
    WhatEachSays();
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
