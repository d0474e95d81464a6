// Handles as the block keeps them: 32-bit words, the same bytes for 32- and 64-bit
// programs. Used by all three deliverables (no runtime needed).
#pragma once

#include <windows.h>

#include <stdint.h>

#include "settings_block.h"

namespace kl {

// Window, icon, menu and hook handles have 32 significant bits on 64-bit Windows too.
// A word becomes a handle again by sign extension, as Windows itself widens them
// between 32- and 64-bit programs.
template <class H>
inline H HandleFromWord(Handle32 word) {
    return reinterpret_cast<H>(static_cast<INT_PTR>(static_cast<int32_t>(word)));
}
inline HWND WindowFromWord(Handle32 word) { return HandleFromWord<HWND>(word); }
inline Handle32 WordFromHandle(const void* handle) {
    return static_cast<Handle32>(reinterpret_cast<UINT_PTR>(handle));
}

// Module handles are addresses and do not fit a word on 64-bit Windows: the block keeps
// a token of each, which is 0 exactly when the handle is and equals the handle itself on
// 32-bit Windows. Only the process that loaded the module turns a token back into it
// (ModuleMatchingToken); no other process ever does.
inline Handle32 ModuleToken(HMODULE module) {
    const uint64_t address = reinterpret_cast<UINT_PTR>(module);
    if (address == 0) return 0;
    const Handle32 token = static_cast<Handle32>(address) ^ static_cast<Handle32>(address >> 32);
    return token != 0 ? token : 1;
}

// This process's copy of the module named `name` when the block's token names it,
// otherwise null.
inline HMODULE ModuleMatchingToken(Handle32 token, const char* name) {
    if (token == 0) return nullptr;
    const HMODULE module = GetModuleHandleA(name);
    return module != nullptr && ModuleToken(module) == token ? module : nullptr;
}

}  // namespace kl
