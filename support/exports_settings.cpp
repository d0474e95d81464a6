// Exports: LoadDefaultSettings, LoadSettingsIntoMap, SaveSettingsFromMap, GetSettingsError.
#include <windows.h>

#include <cstring>

#include "block_view.h"
#include "export_guard.h"
#include "settings.h"
#include "settings_error.h"
#include "text255.h"

using namespace kl;
using namespace kl::support;

namespace {
constexpr char kTooManyHotkeys[] = "too many hotkeys";
}

extern "C" {

BOOL WINAPI LoadDefaultSettings() {
    return Guarded<BOOL>(FALSE, [] {
        SettingsBlock* b = Block();
        if (!b) return FALSE;
        ApplyDefaults(*b);
        return TRUE;
    });
}

// False when the base key is missing or the block is not mapped. When the
// hotkey table overflows, the hotkeys stop with the rows read so far (the
// remapping table is still read), the load returns false and GetSettingsError
// reports "too many hotkeys".
BOOL WINAPI LoadSettingsIntoMap() {
    return Guarded<BOOL>(FALSE, [] {
        ClearSettingsError();
        SettingsBlock* b = Block();
        if (!b) return FALSE;
        switch (LoadSettings(*b)) {
            case LoadResult::Loaded: return TRUE;
            case LoadResult::BaseKeyMissing: return FALSE;
            case LoadResult::TooManyHotkeys:
                SetSettingsError(kTooManyHotkeys);
                SetText255(b->StatusText, kTooManyHotkeys);
                return FALSE;
        }
        return FALSE;
    });
}

BOOL WINAPI SaveSettingsFromMap() {
    return Guarded<BOOL>(FALSE, [] {
        SettingsBlock* b = MapBlock();
        if (!b) return FALSE;
        return SaveSettings(*b) ? TRUE : FALSE;
    });
}

// Copies the error text of the last LoadSettingsIntoMap, zero-terminated and cut
// to the buffer, and returns its full length; 0 when that load raised no error.
int WINAPI GetSettingsError(char* buffer, int size) {
    return Guarded<int>(0, [&] {
        const std::string_view text = SettingsError();
        if (buffer && size > 0) {
            const std::size_t n = text.size() < std::size_t(size) ? text.size() : std::size_t(size) - 1;
            std::memcpy(buffer, text.data(), n);
            buffer[n] = '\0';
        }
        return static_cast<int>(text.size());
    });
}

}  // extern "C"
