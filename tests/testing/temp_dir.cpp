#include "testing/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace kl::testing {

namespace {

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = dir + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

TempDir::TempDir() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
        const std::string candidate = std::string(base) + "kltest-" + std::to_string(GetCurrentProcessId()) +
                                      "-" + std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate + "\\";
    }
    if (path_.empty()) ADD_FAILURE() << "cannot create a temporary folder";
}

TempDir::~TempDir() {
    if (!path_.empty()) RemoveTree(path_);
}

void TempDir::Write(const std::string& name, std::string_view contents) const {
    const std::string path = path_ + name;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == contents.size()) << path;
}

void TempDir::MakeFolder(const std::string& name) const {
    ASSERT_TRUE(CreateDirectoryA((path_ + name).c_str(), nullptr)) << name;
}

}  // namespace kl::testing
