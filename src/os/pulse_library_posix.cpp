#include "os/pulse_library.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace vz {

namespace {

template <typename Api>
struct Loaded {
    Api api{};
    bool ok = false;
    std::string error;
};

template <typename F>
bool Find(void* library, const char* name, F& function, std::string& error) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    if (!function && error.empty()) error = std::string(name) + " is missing";
    return function != nullptr;
}

void* Open(const char* soname, std::string& error) {
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = ::dlerror();
        error = reason ? reason : std::string(soname) + " cannot be loaded";
    }
    return library;
}

Loaded<PulseSimple> LoadSimple(const char* soname) {
    Loaded<PulseSimple> loaded;
    void* library = Open(soname, loaded.error);
    if (!library) return loaded;
    PulseSimple& api = loaded.api;
    // pa_strerror is libpulse's own; the lookup reaches it through libpulse-simple.
    loaded.ok = Find(library, "pa_simple_new", api.new_stream, loaded.error) &
                Find(library, "pa_simple_write", api.write, loaded.error) &
                Find(library, "pa_simple_drain", api.drain, loaded.error) &
                Find(library, "pa_simple_flush", api.flush, loaded.error) &
                Find(library, "pa_simple_free", api.free_stream, loaded.error) &
                Find(library, "pa_strerror", api.strerror, loaded.error);
    if (!loaded.ok) ::dlclose(library);
    return loaded;
}

Loaded<Pulse> LoadAsync(const char* soname) {
    Loaded<Pulse> loaded;
    void* library = Open(soname, loaded.error);
    if (!library) return loaded;
    Pulse& api = loaded.api;
    std::string& e = loaded.error;
    loaded.ok = Find(library, "pa_threaded_mainloop_new", api.loop_new, e) &
                Find(library, "pa_threaded_mainloop_free", api.loop_free, e) &
                Find(library, "pa_threaded_mainloop_start", api.loop_start, e) &
                Find(library, "pa_threaded_mainloop_stop", api.loop_stop, e) &
                Find(library, "pa_threaded_mainloop_lock", api.lock, e) &
                Find(library, "pa_threaded_mainloop_unlock", api.unlock, e) &
                Find(library, "pa_threaded_mainloop_get_api", api.loop_api, e) &
                Find(library, "pa_context_new", api.context_new, e) &
                Find(library, "pa_context_unref", api.context_unref, e) &
                Find(library, "pa_context_connect", api.connect, e) &
                Find(library, "pa_context_disconnect", api.disconnect, e) &
                Find(library, "pa_context_get_state", api.state, e) &
                Find(library, "pa_context_set_state_callback", api.on_state, e) &
                Find(library, "pa_context_set_subscribe_callback", api.on_event, e) &
                Find(library, "pa_context_subscribe", api.subscribe, e) &
                Find(library, "pa_context_get_source_info_list", api.sources, e) &
                Find(library, "pa_context_get_source_output_info_list", api.source_outputs, e) &
                Find(library, "pa_operation_unref", api.operation_unref, e);
    if (!loaded.ok) ::dlclose(library);
    return loaded;
}

template <typename Api, typename LoadFunction>
const Api* Once(const char* soname, std::string& error, LoadFunction load) {
    static std::mutex mutex;
    static std::map<std::string, Loaded<Api>> libraries;
    std::lock_guard lock(mutex);
    auto it = libraries.find(soname);
    if (it == libraries.end()) it = libraries.emplace(soname, load(soname)).first;
    error = it->second.error;
    return it->second.ok ? &it->second.api : nullptr;
}

}  // namespace

const PulseSimple* LoadPulseSimple(std::string& error, const char* soname) {
    return Once<PulseSimple>(soname, error, LoadSimple);
}

const Pulse* LoadPulse(std::string& error, const char* soname) { return Once<Pulse>(soname, error, LoadAsync); }

}  // namespace vz
