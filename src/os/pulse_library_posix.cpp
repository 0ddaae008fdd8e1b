#include "os/pulse_library.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace vz {

namespace {

struct Loaded {
    PulseSimple api{};
    bool ok = false;
    std::string error;
};

template <typename F>
bool Find(void* library, const char* name, F& function, std::string& error) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    if (!function && error.empty()) error = std::string(name) + " is missing";
    return function != nullptr;
}

Loaded Load(const char* soname) {
    Loaded loaded;
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = ::dlerror();
        loaded.error = reason ? reason : std::string(soname) + " cannot be loaded";
        return loaded;
    }
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

}  // namespace

const PulseSimple* LoadPulseSimple(std::string& error, const char* soname) {
    static std::mutex mutex;
    static std::map<std::string, Loaded> libraries;
    std::lock_guard lock(mutex);
    auto it = libraries.find(soname);
    if (it == libraries.end()) it = libraries.emplace(soname, Load(soname)).first;
    error = it->second.error;
    return it->second.ok ? &it->second.api : nullptr;
}

}  // namespace vz
