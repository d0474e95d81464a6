#include "testing/support_library.h"

#include <gtest/gtest.h>

namespace kl::testing {

std::string BinDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of("\\/") + 1);  // ...\build\<arch>\tests\ -> ...\bin\ beside it.
    dir.erase(dir.find_last_of("\\/", dir.size() - 2) + 1);
    return dir + "bin\\";
}

Library::Library(const char* fileName) {
    const std::string path = BinDir() + fileName;
    module_ = LoadLibraryA(path.c_str());
    if (!module_) ADD_FAILURE() << "cannot load " << path << " (error " << GetLastError() << ")";
}

Library::~Library() {
    if (module_) FreeLibrary(module_);
}

FARPROC Library::Raw(const char* exportName) const {
    FARPROC p = module_ ? GetProcAddress(module_, exportName) : nullptr;
    if (!p) ADD_FAILURE() << "missing export " << exportName;
    return p;
}

}  // namespace kl::testing
