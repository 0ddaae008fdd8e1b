#pragma once
// libpulse-simple, loaded when the first chime plays rather than linked: a
// desktop with a PulseAudio-compatible sound server has the library, and the
// program needs neither it nor the codecs it brings until a chime is heard.
// libpulse itself likewise, for what the sound server tells of its streams.

#include <pulse/error.h>
#include <pulse/pulseaudio.h>
#include <pulse/simple.h>

#include <string>

namespace vz {

struct PulseSimple {
    decltype(&pa_simple_new) new_stream;
    decltype(&pa_simple_write) write;
    decltype(&pa_simple_drain) drain;
    decltype(&pa_simple_flush) flush;
    decltype(&pa_simple_free) free_stream;
    decltype(&pa_strerror) strerror;
};

constexpr char kPulseSimpleLibrary[] = "libpulse-simple.so.0";

// The asynchronous API on a main loop thread of its own.
struct Pulse {
    decltype(&pa_threaded_mainloop_new) loop_new;
    decltype(&pa_threaded_mainloop_free) loop_free;
    decltype(&pa_threaded_mainloop_start) loop_start;
    decltype(&pa_threaded_mainloop_stop) loop_stop;
    decltype(&pa_threaded_mainloop_lock) lock;
    decltype(&pa_threaded_mainloop_unlock) unlock;
    decltype(&pa_threaded_mainloop_get_api) loop_api;
    decltype(&pa_context_new) context_new;
    decltype(&pa_context_unref) context_unref;
    decltype(&pa_context_connect) connect;
    decltype(&pa_context_disconnect) disconnect;
    decltype(&pa_context_get_state) state;
    decltype(&pa_context_set_state_callback) on_state;
    decltype(&pa_context_set_subscribe_callback) on_event;
    decltype(&pa_context_subscribe) subscribe;
    decltype(&pa_context_get_source_info_list) sources;
    decltype(&pa_context_get_source_output_info_list) source_outputs;
    decltype(&pa_operation_unref) operation_unref;
};

constexpr char kPulseLibrary[] = "libpulse.so.0";

// The library's functions, or nullptr with the reason in `error`. The library
// named `soname` is loaded once and stays loaded; safe from any thread.
const PulseSimple* LoadPulseSimple(std::string& error, const char* soname = kPulseSimpleLibrary);
// libpulse's, the same way.
const Pulse* LoadPulse(std::string& error, const char* soname = kPulseLibrary);

}  // namespace vz
