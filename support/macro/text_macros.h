// The text translators run on the block: the macro they build replaces the
// block's macro and is played at once or handed to the main window's timer.
#pragma once

#include <cstdint>
#include <string_view>

#include "macro/event_language.h"
#include "macro/typing_engine.h"
#include "settings_block.h"

namespace kl::support {

// The typing engine: "sendkeys". Nothing happens for an empty text; a playback
// waiting for a timer period is cancelled instead of typing.
void TypeText(SettingsBlock& block, std::string_view text, std::int32_t repeat, std::int32_t startMode,
              const TypingServices& services);

// The event language: "tarn".
void PlayEventText(SettingsBlock& block, std::string_view text, std::int32_t repeat, std::int32_t interval,
                   std::int32_t startMode, const KeyNameLookup& keyName);

}  // namespace kl::support
