#include "os/microphone_use.h"

#include <mutex>
#include <set>
#include <utility>

#include "os/pulse_library.h"

namespace vz {

// Lives on libpulse's main loop thread: every callback runs there, with the
// loop's lock held.
struct MicrophoneUse::Watch {
    std::function<void(bool)> changed;
    const Pulse* pulse = nullptr;
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    std::set<std::uint32_t> monitors;  // sources that record what a sink plays
    int recording = 0;                 // counted so far in the list being read
    int known = -1;                    // the last told: -1 none, 0 no, 1 yes
    mutable std::mutex mutex;
    std::string description;

    void Describe(std::string text) {
        std::lock_guard lock(mutex);
        description = std::move(text);
    }
    void Tell(bool in_use) {
        if (int(in_use) == known) return;
        known = in_use;
        changed(in_use);
    }

    // The sources first, to know the monitors, then the recording streams.
    void Count() {
        monitors.clear();
        if (pa_operation* o = pulse->sources(context, OnSource, this)) pulse->operation_unref(o);
    }
    static void OnSource(pa_context*, const pa_source_info* info, int eol, void* self) {
        auto* w = static_cast<Watch*>(self);
        if (eol < 0) return;
        if (!eol) {
            if (info->monitor_of_sink != PA_INVALID_INDEX) w->monitors.insert(info->index);
            return;
        }
        w->recording = 0;
        if (pa_operation* o = w->pulse->source_outputs(w->context, OnOutput, w)) w->pulse->operation_unref(o);
    }
    static void OnOutput(pa_context*, const pa_source_output_info* info, int eol, void* self) {
        auto* w = static_cast<Watch*>(self);
        if (eol < 0) return;
        if (eol) {
            w->Tell(w->recording > 0);
            return;
        }
        // A level meter (pavucontrol's) records through the "peaks" resampler.
        const bool meter = info->resample_method && std::string(info->resample_method) == "peaks";
        if (!info->corked && !meter && !w->monitors.count(info->source)) ++w->recording;
    }
    static void OnEvent(pa_context*, pa_subscription_event_type_t, std::uint32_t, void* self) {
        static_cast<Watch*>(self)->Count();
    }
    static void OnState(pa_context* context, void* self) {
        auto* w = static_cast<Watch*>(self);
        switch (w->pulse->state(context)) {
        case PA_CONTEXT_READY:
            w->Describe("the sound server's recording streams");
            w->pulse->on_event(context, OnEvent, w);
            if (pa_operation* o = w->pulse->subscribe(
                    context, pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SOURCE_OUTPUT),
                    nullptr, nullptr))
                w->pulse->operation_unref(o);
            w->Count();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            w->Describe("no sound server, never seen");
            w->Tell(false);
            break;
        default:
            break;
        }
    }
};

MicrophoneUse::MicrophoneUse(std::function<void(bool in_use)> changed) : watch_(std::make_unique<Watch>()) {
    Watch& w = *watch_;
    w.changed = std::move(changed);
    std::string error;
    w.pulse = LoadPulse(error);
    if (!w.pulse) {
        w.description = "no libpulse (" + error + "), never seen";
        return;
    }
    w.description = "the sound server's recording streams, once it answers";
    w.loop = w.pulse->loop_new();
    w.context = w.loop ? w.pulse->context_new(w.pulse->loop_api(w.loop), "verezerud") : nullptr;
    if (!w.context) {
        w.description = "libpulse cannot start, never seen";
        return;
    }
    w.pulse->on_state(w.context, Watch::OnState, &w);
    // No sound server is started for this: one that is not running is none.
    if (w.pulse->connect(w.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        w.description = "no sound server, never seen";
        return;
    }
    w.pulse->loop_start(w.loop);
}

MicrophoneUse::~MicrophoneUse() {
    Watch& w = *watch_;
    if (!w.loop) return;
    w.pulse->loop_stop(w.loop);  // joins the loop's thread: no callback runs after this
    if (w.context) {
        // Disconnecting tells the state callback at once, on this thread.
        w.pulse->on_state(w.context, nullptr, nullptr);
        w.pulse->on_event(w.context, nullptr, nullptr);
        w.pulse->disconnect(w.context);
        w.pulse->context_unref(w.context);
    }
    w.pulse->loop_free(w.loop);
}

std::string MicrophoneUse::Describe() const {
    std::lock_guard lock(watch_->mutex);
    return watch_->description;
}

}  // namespace vz
