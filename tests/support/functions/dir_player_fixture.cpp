#include "dir_player_fixture.h"

#include <fstream>

#include "testing/thread_window.h"

namespace kl::testing {
namespace {

constexpr char kExtension[] = ".kldptest";
constexpr char kProgId[] = "Keyloom.DirPlayTest";
constexpr char kTitlePrefix[] = "dirplay_target ";

std::string TestsDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

void SetClassesDefault(const std::string& key, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create HKCR\\" << key;
        return;
    }
    RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

BOOL CALLBACK CollectHelperWindow(HWND w, LPARAM out) {
    char title[512] = {};
    GetWindowTextA(w, title, sizeof title);
    const std::string t(title);
    if (IsWindowVisible(w) && t.rfind(kTitlePrefix, 0) == 0)
        reinterpret_cast<std::vector<std::pair<HWND, std::string>>*>(out)->emplace_back(w, t.substr(sizeof kTitlePrefix - 1));
    return TRUE;
}

std::vector<std::pair<HWND, std::string>> HelperWindows() {
    std::vector<std::pair<HWND, std::string>> found;
    EnumWindows(CollectHelperWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::string DirPlayerTest::Folder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "kl_dirplay";
}

void DirPlayerTest::SetUpTestSuite() {
    SetClassesDefault(kExtension, kProgId);
    SetClassesDefault(std::string(kProgId) + "\\shell\\open\\command",
                      "\"" + TestsDir() + "dirplay_target.exe\" \"%1\"");
    CreateDirectoryA(Folder().c_str(), nullptr);
    for (const char* name : {"b.kldptest", "a.kldptest", "C.kldptest"}) std::ofstream(File(name)) << name;
}

void DirPlayerTest::TearDownTestSuite() {
    CloseAll();
    for (const char* name : {"b.kldptest", "a.kldptest", "C.kldptest"}) DeleteFileA(File(name).c_str());
    RemoveDirectoryA(Folder().c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kExtension);
}

void DirPlayerTest::SetUp() {
    FunctionTest::SetUp();
    CloseAll();
    SetText255(b().DirPlayDir, "");
    b().DirPlayPos = 0;
    b().DirPlayMode = 0;
}

void DirPlayerTest::TearDown() { CloseAll(); }

bool DirPlayerTest::AssociateWithHelper(const char* extension) {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
        RegCloseKey(existing);
        return false;
    }
    SetClassesDefault(extension, kProgId);
    return true;
}

void DirPlayerTest::RemoveAssociation(const char* extension) { RegDeleteTreeA(HKEY_CLASSES_ROOT, extension); }

std::vector<std::string> DirPlayerTest::Playing() {
    std::vector<std::string> files;
    for (auto& [w, file] : HelperWindows()) files.push_back(file);
    return files;
}

bool DirPlayerTest::Opened(const std::string& file) {
    return PollFor([&] {
        for (const auto& playing : Playing())
            if (lstrcmpiA(playing.c_str(), file.c_str()) == 0) return true;
        return false;
    }, 10000);
}

void DirPlayerTest::CloseAll() {
    for (auto& [w, file] : HelperWindows()) PostMessageA(w, WM_CLOSE, 0, 0);
    if (!PollFor([] { return HelperWindows().empty(); }, 10000)) ADD_FAILURE() << "helper windows stay open";
}

::testing::AssertionResult DirPlayerTest::Played(const std::string& file) {
    HWND window = nullptr;
    PollFor([&] {
        for (auto& [w, playing] : HelperWindows())
            if (lstrcmpiA(playing.c_str(), file.c_str()) == 0) window = w;
        return window != nullptr;
    }, 10000);
    if (!window) {
        auto failure = ::testing::AssertionFailure() << file << " was not played; playing:";
        for (const auto& p : Playing()) failure << " [" << p << "]";
        failure << "; status: " << Status();
        return failure;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    PollFor([&] { return !IsWindow(window); }, 10000);
    return ::testing::AssertionSuccess();
}

}  // namespace kl::testing
