#include "rig/HamlibGuard.h"

#include <hamlib/rig.h>

#include <cstdarg>

namespace tarnex {

namespace {

std::mutex& HamlibMutex() {
    static std::mutex mutex;
    return mutex;
}

// Hamlib's messages go nowhere: the program reports what matters in its own words.
int DiscardDebugMessage(enum rig_debug_level_e, rig_ptr_t, const char*, va_list) {
    return 0;
}

std::mutex& SilencedMutex() {
    static std::once_flag silenced;
    std::call_once(silenced, [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_set_debug_callback(DiscardDebugMessage, nullptr);
    });
    return HamlibMutex();
}

}  // namespace

HamlibGuard::HamlibGuard() : lock_(SilencedMutex()) {}

}  // namespace tarnex
