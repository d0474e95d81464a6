#include "functions/launch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "fault_guard.h"
#include "functions/path_parts.h"
#include "functions/shell_link.h"
#include "com_apartment.h"
#include "win_handles.h"

namespace kl::support {

int Launch(std::string_view path, std::string_view arguments, int show) {
    if (path.empty()) return kLaunchEmptyPath;
    // The shell runs handlers and extensions of other modules and may dispatch messages.
    const NestedDispatch shell;

    std::string file(path);
    std::string args(arguments);
    std::string directory = FolderPart(path);
    if (UpperAnsi(ExtensionPart(path)) == "LNK") {
        if (auto link = ReadShortcut(path)) {
            file = std::move(link->file);
            args = std::move(link->arguments);
            directory = std::move(link->directory);
            show = link->show;
        }
    }

    // Only a folder that exists is handed on as the working folder: the folder
    // part of an address or of a bare program name would make the start fail.
    const bool haveFolder = FolderExists(directory);
    if (haveFolder) SetCurrentDirectoryA(directory.c_str());

    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = file.c_str();
    info.lpParameters = args.empty() ? nullptr : args.c_str();
    info.lpDirectory = haveFolder ? directory.c_str() : nullptr;
    info.nShow = show;
    EnsureComApartment();
    if (!ShellExecuteExA(&info)) {
        const DWORD error = GetLastError();
        return error ? static_cast<int>(error) : static_cast<int>(ERROR_GEN_FAILURE);
    }
    UniqueHandle process(info.hProcess);
    return 0;
}

}  // namespace kl::support
