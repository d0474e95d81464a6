// Diagnostic texts for the debugger output, sent only while the block's Debug
// option asks for them: OutputDebugStringA waits for a debug-output listener, and
// one that stops reading would hold up every program that receives input. Nothing
// is traced while a process loads or unloads the library (the loader lock).
#pragma once

#include "platform.h"

namespace kl::hook {

inline void DebugTrace(const SettingsBlock& b, const Platform& p, const char* text) {
    if (b.Debug) p.Trace(text);
}

}  // namespace kl::hook
