#include "model/macro_files.h"

#include <windows.h>

#include <cstring>

#include "model/file_output.h"
#include "text_file.h"
#include "text255.h"

namespace kl {

MacroFile MacroOf(const SettingsBlock& block) {
    MacroFile m;
    m.name = GetText255(block.MacroName);
    std::int32_t length = block.MacroLength;  // read once: the block is shared
    if (length < 0) length = 0;
    if (length > kMacroEventCapacity) length = kMacroEventCapacity;
    m.events.assign(block.MacroEvents, block.MacroEvents + length);
    return m;
}

std::string SaveMacroFile(const std::string& path, const SettingsBlock& block) {
    std::string contents;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !ReadWholeFile(path, contents))
        return "The file \"" + path + "\" could not be read.";
    if (contents.size() > kIniFileLimit) return "The file \"" + path + "\" is too large to hold a macro.";
    IniText file(contents);
    WriteMacroFile(file, MacroOf(block));
    if (!WriteWholeFile(path, file.Text())) return "The macro could not be written to \"" + path + "\".";
    return {};
}

std::string LoadMacroFile(const std::string& path, SettingsBlock& block) {
    if (block.JournalMode != 0) return "A macro is being recorded or played. Load the file when it has ended.";
    std::string contents;
    if (!ReadWholeFile(path, contents)) return "The file \"" + path + "\" could not be read.";
    const MacroFileRead read = ReadMacroFile(contents);
    if (!read.ok) return read.problem;
    const std::size_t n = read.macro.events.size();  // at most kMacroEventCapacity
    block.MacroLength = 0;  // no reader takes events while they change
    block.MacroPosition = 0;
    block.MacroRepeat = 0;
    block.MacroInterval = 0;
    if (n) std::memcpy(block.MacroEvents, read.macro.events.data(), n * sizeof(MacroEvent));
    SetText255(block.MacroName, read.macro.name);
    block.MacroLength = static_cast<std::int32_t>(n);
    return {};
}

}  // namespace kl
