#pragma once
// The one source of time. Timers are repeating; a timer's first tick comes one
// interval after it starts. The program never reads a clock of its own.

#include <cstdint>
#include <functional>

namespace vz {

class Scheduler {
public:
    using TimerId = std::uint64_t;
    using Tick = std::function<void()>;

    virtual ~Scheduler() = default;
    // Milliseconds since the scheduler began, the time the machine slept
    // included; timers leave the sleep out, going on where they were.
    virtual std::int64_t NowMs() const = 0;
    // Starts a repeating timer; ticks that fall due together come in start order.
    virtual TimerId Start(std::int64_t interval_ms, Tick tick) = 0;
    // Stops a timer; stopping one that has stopped already does nothing.
    virtual void Stop(TimerId id) = 0;
};

}  // namespace vz
