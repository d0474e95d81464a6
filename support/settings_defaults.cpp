#include <cstring>

#include "option_table.h"
#include "settings.h"
#include "text255.h"

namespace kl::support {

void ApplyDefaults(SettingsBlock& b) {
    for (const Option& o : LoadedOptions()) {
        if (!o.hasDefault) continue;
        if (o.kind == OptionKind::Text) SetText255(b.*o.text, {});
        else b.*o.field = o.defaultValue;
    }

    b.JournalMode = 0;
    b.LWinDown = b.RWinDown = b.AltDown = b.CtrlDown = b.ShiftDown = 0;
    b.SysModal = b.WinComboUsed = b.SuppressStartMenu = 0;
    b.CounterStarted = 0;
    b.CounterValue = -1;

    std::memset(b.CollapsedWindows, 0, sizeof b.CollapsedWindows);
    std::memset(b.CollapsedHeights, 0, sizeof b.CollapsedHeights);
    std::memset(b.HotkeyCountPerKey, 0, sizeof b.HotkeyCountPerKey);
    std::memset(b.Hotkeys, 0, sizeof b.Hotkeys);
    std::memset(b.Bookmarks, 0, sizeof b.Bookmarks);

    SetText255(b.StatusText, {});
    b.LastStatus = b.CurrentStatus = b.Reserved1568 = 0;
    SetText255(b.DirPlayDir, {});
    b.DirPlayPos = b.DirPlayMode = 0;

    // The recorded events and the repeat interval survive the defaults.
    b.MacroPosition = 0;
    b.MacroLength = 0;
    b.MacroRepeat = 1;
    SetText255(b.MacroName, "default");

    // The stopwatch's date-time values survive as well.
    b.StopwatchStartTicks = b.StopwatchStopTicks = b.StopwatchPauseTicks = 0;
    b.Reserved26928 = 0;

    b.RemapKeys = 0;
    b.MouseHotkeys = 0;
    std::memset(&b.KeyRemap, 0, sizeof b.KeyRemap);
}

}  // namespace kl::support
