#include "core/file_output.h"

#include <windows.h>

#include "win_handles.h"

namespace kl {

bool WriteWholeFile(const std::string& path, std::string_view contents) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < contents.size()) {
        const std::size_t rest = contents.size() - done;
        const DWORD want = rest > (1u << 20) ? (1u << 20) : static_cast<DWORD>(rest);
        DWORD wrote = 0;
        if (!WriteFile(file.get(), contents.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

}  // namespace kl
