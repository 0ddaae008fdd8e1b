#include "qt/x11_idle.h"

#include <QCoreApplication>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "qt/x11_connection.h"

namespace vz::qt {

namespace {

std::int64_t Value(xcb_sync_int64_t v) { return (std::int64_t(v.hi) << 32) | v.lo; }

xcb_sync_int64_t SyncValue(std::int64_t v) {
    return xcb_sync_int64_t{std::int32_t(v >> 32), std::uint32_t(v & 0xffffffffu)};
}

// The server's IDLETIME counter, or 0 when it has none. The list is read by
// hand: each entry is padded to four bytes as a whole, which the
// iterator of libxcb 1.15 misses, finding no counter.
xcb_sync_counter_t IdleCounter(xcb_connection_t* c) {
    xcb_sync_list_system_counters_reply_t* list =
        xcb_sync_list_system_counters_reply(c, xcb_sync_list_system_counters(c), nullptr);
    if (!list) return 0;
    xcb_sync_counter_t found = 0;
    const auto* at = reinterpret_cast<const std::uint8_t*>(list + 1);
    const std::uint8_t* end = reinterpret_cast<const std::uint8_t*>(list + 1) + list->length * 4;
    constexpr std::size_t kHead = 14;  // counter, resolution, name's length
    for (std::uint32_t i = 0; i < list->counters_len && at + kHead <= end; ++i) {
        xcb_sync_systemcounter_t entry;
        std::memcpy(&entry, at, kHead);
        const char* name = reinterpret_cast<const char*>(at + kHead);
        if (at + kHead + entry.name_len > end) break;
        if (entry.name_len == 8 && std::memcmp(name, "IDLETIME", 8) == 0) found = entry.counter;
        at += (kHead + entry.name_len + 3) & ~std::size_t(3);
    }
    std::free(list);
    return found;
}

}  // namespace

X11Idle::X11Idle(const Scheduler& scheduler, std::int64_t away_after_ms)
    : scheduler_(scheduler), away_after_ms_(away_after_ms) {}

X11Idle::~X11Idle() {
    if (qApp) qApp->removeNativeEventFilter(this);
    if (c_ && X11Connection() == c_) {
        if (away_alarm_) xcb_sync_destroy_alarm(c_, away_alarm_);
        if (back_alarm_) xcb_sync_destroy_alarm(c_, back_alarm_);
        xcb_flush(c_);
    }
}

void X11Idle::Start(PresenceSink& sink) {
    sink_ = &sink;
    c_ = X11Connection();
    if (!c_) {
        missing_ = "not an X11 display";
        return;
    }
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(c_, &xcb_sync_id);
    xcb_sync_initialize_reply_t* version =
        sync && sync->present ? xcb_sync_initialize_reply(c_, xcb_sync_initialize(c_, 3, 1), nullptr) : nullptr;
    if (!version) {
        missing_ = "the X server has no SYNC extension";
        return;
    }
    std::free(version);
    alarm_event_ = std::uint8_t(sync->first_event + XCB_SYNC_ALARM_NOTIFY);
    idle_counter_ = IdleCounter(c_);
    if (!idle_counter_) {
        missing_ = "the X server has no IDLETIME counter";
        return;
    }
    qApp->installNativeEventFilter(this);
    SetAlarms();
    Refresh();  // away already when the program starts
}

// Two transition alarms stay armed for good: one as the counter rises
// through the threshold, one as input brings it back below.
void X11Idle::SetAlarms() {
    if (!idle_counter_) return;
    const auto fill = [this](auto& values, std::uint32_t test) {
        values.counter = idle_counter_;
        values.valueType = XCB_SYNC_VALUETYPE_ABSOLUTE;
        values.value = SyncValue(away_after_ms_);
        values.testType = test;
        values.delta = SyncValue(0);
        values.events = 1;
    };
    const std::uint32_t mask = XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                               XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS;
    for (auto [alarm, test] : {std::pair{&away_alarm_, XCB_SYNC_TESTTYPE_POSITIVE_TRANSITION},
                               std::pair{&back_alarm_, XCB_SYNC_TESTTYPE_NEGATIVE_TRANSITION}}) {
        if (*alarm) {
            xcb_sync_change_alarm_value_list_t values{};
            fill(values, test);
            xcb_sync_change_alarm_aux(c_, *alarm, mask, &values);
        } else {
            xcb_sync_create_alarm_value_list_t values{};
            fill(values, test);
            *alarm = xcb_generate_id(c_);
            xcb_sync_create_alarm_aux(c_, *alarm, mask, &values);
        }
    }
    xcb_flush(c_);
}

void X11Idle::AwayAfter(std::int64_t idle_ms) {
    if (idle_ms == away_after_ms_) return;
    away_after_ms_ = idle_ms;
    SetAlarms();
    Refresh();
}

void X11Idle::Refresh() {
    if (!idle_counter_ || X11Connection() != c_) return;
    xcb_sync_query_counter_reply_t* reply =
        xcb_sync_query_counter_reply(c_, xcb_sync_query_counter(c_, idle_counter_), nullptr);
    if (!reply) return;
    const std::int64_t idle = Value(reply->counter_value);
    std::free(reply);
    Heard(idle);
}

void X11Idle::Heard(std::int64_t idle_ms) {
    const bool away = idle_ms >= away_after_ms_;
    if (away == away_ || !sink_) return;
    away_ = away;
    sink_->Tell(away ? Presence::Away : Presence::Back, scheduler_.NowMs() - idle_ms);
}

bool X11Idle::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != alarm_event_) return false;
    const auto* alarm = static_cast<const xcb_sync_alarm_notify_event_t*>(message);
    if (alarm->alarm == away_alarm_ || alarm->alarm == back_alarm_) {
        Heard(Value(alarm->counter_value));
        return true;
    }
    return false;
}

std::vector<std::string> X11Idle::Describe() const {
    if (!missing_.empty()) return {"idle: " + missing_ + ", away is never seen"};
    if (!c_) return {"idle: X server's IDLETIME counter (not started)"};
    return {"idle: X server's IDLETIME counter, away after " + std::to_string(away_after_ms_ / 1000) + " s"};
}

}  // namespace vz::qt
