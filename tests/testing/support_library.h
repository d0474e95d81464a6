// Loads a deliverable from build/<arch>/bin the way keyloom.exe does: LoadLibrary,
// then GetProcAddress by the export's exact name.
#pragma once

#include <windows.h>

#include <string>

namespace kl::testing {

// The folder of the deliverables, with a trailing backslash.
std::string BinDir();

class Library {
public:
    explicit Library(const char* fileName);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HMODULE handle() const { return module_; }
    FARPROC Raw(const char* exportName) const;

    template <class Fn>
    Fn* Get(const char* exportName) const {
        return reinterpret_cast<Fn*>(reinterpret_cast<void*>(Raw(exportName)));
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace kl::testing
