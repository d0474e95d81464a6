#include <windows.h>

#include <string>

#include "functions/launch.h"
#include "functions/launch_functions.h"
#include "functions/path_parts.h"
#include "text255.h"

namespace kl::support {

// Runs the "open" entry of the "autorun.inf" in the folder or drive of field 1.
void RunAutorun(SettingsBlock& block, const Params& params) {
    const std::string inf = WithBackslash(FolderPart(params.Field(1))) + "autorun.inf";
    if (!FileExists(inf)) {
        SetText255(block.StatusText, "No Autorun on " + inf);
        return;
    }
    const std::string folder = FolderPart(inf);
    char entry[251] = {};
    GetPrivateProfileStringA("autorun", "open", folder.c_str(), entry, sizeof entry, inf.c_str());

    // The entry names a program relative to the folder of the file, then its
    // arguments. It is split at its own first blank, so that a folder with
    // blanks in its name stays whole.
    const std::string_view text(entry);
    const auto blank = text.find(' ');
    const std::string program = WithBackslash(folder) + std::string(text.substr(0, blank));
    std::string rest = blank == std::string_view::npos ? std::string() : std::string(text.substr(blank + 1));
    if (rest.find(' ') != std::string::npos) rest = '"' + rest + '"';
    Launch(program, rest, SW_SHOWNORMAL);
}

}  // namespace kl::support
