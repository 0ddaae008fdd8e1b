#pragma once
// libpulse-simple, loaded when the first chime plays rather than linked: a
// desktop with a PulseAudio-compatible sound server has the library, and the
// program needs neither it nor the codecs it brings until a chime is heard.

#include <pulse/error.h>
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

// The library's functions, or nullptr with the reason in `error`. The library
// named `soname` is loaded once and stays loaded; safe from any thread.
const PulseSimple* LoadPulseSimple(std::string& error, const char* soname = kPulseSimpleLibrary);

}  // namespace vz
