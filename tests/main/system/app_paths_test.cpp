// Program aliases in the real registry ("App Paths"), a per-machine write refused by
// Windows, and the alias dialog offering the per-user key then.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "system/app_paths.h"
#include "dialogs/alias_dialog.h"
#include "testing/keyloom_process.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kName[] = "klaliastest";
constexpr char kKey[] = "klaliastest.exe";

// Every key a test writes goes again, in both scopes: the Wine prefix is shared.
class AppPaths : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override {
        SetAppPathsOpener(nullptr);
        Clean();
    }
    static void Clean() {
        SetAppPathsOpener(nullptr);
        for (const char* name : {kKey, "klaliastest.com", "klaliastest2.exe"}) {
            for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
                RegDeleteTreeA(root, (std::string(kAppPathsKey) + name).c_str());
        }
    }
    static bool Listed(const std::string& name) {
        const auto list = ListAliases();
        return std::find(list.begin(), list.end(), name) != list.end();
    }
};

// Windows refuses writes under HKEY_LOCAL_MACHINE to a user without administrator rights.
LONG RefusingMachine(AliasScope scope, const std::string& subkey, REGSAM access, bool create, HKEY* key) {
    if (scope == AliasScope::Machine && create) return ERROR_ACCESS_DENIED;
    const HKEY root = scope == AliasScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::string path = std::string(kAppPathsKey) + subkey;
    if (create) return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, key, nullptr);
    return RegOpenKeyExA(root, path.c_str(), 0, access, key);
}

}  // namespace

TEST_F(AppPaths, AnAliasIsWrittenListedCheckedAndDeleted) {
    const std::string program = BinDir() + "keyloom.exe";
    ASSERT_EQ(WriteAlias(AliasScope::Machine, kName, program), AliasWrite::Written);  // ".exe" is added
    EXPECT_EQ(AliasPath(kKey), program);
    EXPECT_TRUE(Listed(kKey));
    EXPECT_TRUE(AliasIsValid(kKey));
    ASSERT_EQ(WriteAlias(AliasScope::Machine, "klaliastest.com", "%SystemRoot%\\no-such-program.exe"),
              AliasWrite::Written);  // an extension is kept
    EXPECT_TRUE(Listed("klaliastest.com"));
    EXPECT_FALSE(AliasIsValid("klaliastest.com"));
    char windir[MAX_PATH] = {};
    GetEnvironmentVariableA("SystemRoot", windir, MAX_PATH);
    ASSERT_EQ(WriteAlias(AliasScope::Machine, "klaliastest.com", "%SystemRoot%\\notepad.exe"), AliasWrite::Written);
    EXPECT_EQ(AliasIsValid("klaliastest.com"),
              GetFileAttributesA((std::string(windir) + "\\notepad.exe").c_str()) != INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(DeleteAlias(kKey), AliasWrite::Written);
    EXPECT_FALSE(Listed(kKey));
    EXPECT_EQ(AliasPath(kKey), "");
    EXPECT_FALSE(AliasIsValid(kKey));
}

// Programs keep subkeys of their own below their registration.
TEST_F(AppPaths, AnAliasWithSubkeysIsDeletedWhole) {
    for (const AliasScope scope : {AliasScope::User, AliasScope::Machine}) {
        const HKEY root = scope == AliasScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        ASSERT_EQ(WriteAlias(scope, kName, "C:\\tool.exe"), AliasWrite::Written);
        HKEY nested = nullptr;
        const std::string sub = std::string(kAppPathsKey) + kKey + "\\SupportedProtocols\\deeper";
        ASSERT_EQ(RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &nested, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(nested, "http", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(nested);

        AliasFailure failure;
        EXPECT_EQ(DeleteAlias(kKey, &failure), AliasWrite::Written);
        EXPECT_FALSE(Listed(kKey));
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(root, (std::string(kAppPathsKey) + kKey).c_str(), 0, KEY_READ, &key),
                  ERROR_FILE_NOT_FOUND);
    }
}

// A removal that fails keeps the alias whole and says what went wrong, and where.
LONG FailingUserOpen(AliasScope scope, const std::string& subkey, REGSAM access, bool create, HKEY* key) {
    if (scope == AliasScope::User && !subkey.empty()) return ERROR_BADKEY;
    return RefusingMachine(scope, subkey, access, create, key);
}
LONG RefusingMachineDelete(AliasScope scope, const std::string& subkey, REGSAM access, bool create, HKEY* key) {
    if (scope == AliasScope::Machine && subkey.empty()) return ERROR_ACCESS_DENIED;
    return RefusingMachine(scope, subkey, access, create, key);
}

TEST_F(AppPaths, AFailedRemovalKeepsTheAliasAndIsReportedByWhatItIs) {
    ASSERT_EQ(WriteAlias(AliasScope::User, kName, "C:\\tool.exe"), AliasWrite::Written);
    SetAppPathsOpener(FailingUserOpen);
    AliasFailure failure;
    EXPECT_EQ(DeleteAlias(kKey, &failure), AliasWrite::Failed);
    EXPECT_EQ(failure.scope, AliasScope::User);
    EXPECT_EQ(failure.error, ERROR_BADKEY);
    const std::string message = AliasDeleteMessage(kKey, failure);
    EXPECT_EQ(message.find("administrator"), std::string::npos) << message;
    EXPECT_NE(message.find("your user account"), std::string::npos) << message;
    EXPECT_NE(message.find(std::to_string(ERROR_BADKEY)), std::string::npos) << message;
    SetAppPathsOpener(nullptr);
    EXPECT_EQ(AliasPath(kKey), "C:\\tool.exe");

    ASSERT_EQ(WriteAlias(AliasScope::Machine, kName, "C:\\tool.exe"), AliasWrite::Written);
    SetAppPathsOpener(RefusingMachineDelete);
    EXPECT_EQ(DeleteAlias(kKey, &failure), AliasWrite::Refused);
    EXPECT_EQ(failure.scope, AliasScope::Machine);
    EXPECT_NE(AliasDeleteMessage(kKey, failure).find("for all users, which needs administrator rights"),
              std::string::npos);
    SetAppPathsOpener(nullptr);
    EXPECT_EQ(AliasPath(kKey), "C:\\tool.exe");  // the per-user registration went, this one stays whole
    EXPECT_FALSE(AliasIsPerUser(kKey));
}

TEST_F(AppPaths, BadNamesAreRefusedAndWriteNothing) {
    EXPECT_EQ(CheckAliasName("   "), AliasNameProblem::Empty);
    EXPECT_EQ(CheckAliasName("a\\b"), AliasNameProblem::Backslash);
    EXPECT_EQ(CheckAliasName(std::string(252, 'x')), AliasNameProblem::TooLong);  // with ".exe": 256
    EXPECT_EQ(CheckAliasName(std::string(251, 'x')), AliasNameProblem::None);
    EXPECT_EQ(WriteAlias(AliasScope::Machine, "..\\klaliastest", "x"), AliasWrite::BadName);
    EXPECT_EQ(WriteAlias(AliasScope::Machine, "", "x"), AliasWrite::BadName);
    EXPECT_EQ(DeleteAlias(""), AliasWrite::BadName);
    EXPECT_EQ(AliasKeyName(" np "), "np.exe");
    EXPECT_FALSE(AliasNameMessage(AliasNameProblem::Backslash).empty());
}

TEST_F(AppPaths, ARefusedPerMachineWriteIsReportedAndThePerUserKeyOffered) {
    SetAppPathsOpener(RefusingMachine);
    EXPECT_EQ(WriteAlias(AliasScope::Machine, kName, "x.exe"), AliasWrite::Refused);

    // The dialog: OK, the question about the per-user key, Yes.
    std::atomic<bool> done{false};
    std::string question;
    std::thread user([&] {
        HWND dlg = nullptr;
        PollUntil([&] { return (dlg = FindWindowA("#32770", "Alias setup")) != nullptr && IsWindowVisible(dlg); });
        if (!dlg) return;
        SendMessageA(GetDlgItem(dlg, alias_dialog::ebAlias), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kName));
        SendMessageA(GetDlgItem(dlg, alias_dialog::ebAliasText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\x.exe"));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        HWND box = nullptr;
        PollUntil([&] { return (box = FindWindowA("#32770", "Keyloom")) != nullptr && IsWindowVisible(box); });
        if (!box) return;
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        question = text;
        PostMessageA(box, WM_COMMAND, IDYES, 0);
        done = true;
    });
    const DialogResult result = ShowAliasDialog(nullptr, "", "");
    user.join();
    ASSERT_TRUE(done);
    EXPECT_EQ(result, DialogResult::Ok);
    EXPECT_NE(question.find("for all users"), std::string::npos) << question;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kAppPathsKey) + kKey).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(AliasPath(kKey), "C:\\x.exe");
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kAppPathsKey) + kKey).c_str(), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(AppPaths, TheDialogRefusesABadNameWithAMessageAndStaysOpen) {
    std::string message;
    bool stayedOpen = false;
    std::thread user([&] {
        HWND dlg = nullptr;
        PollUntil([&] { return (dlg = FindWindowA("#32770", "Alias setup")) != nullptr && IsWindowVisible(dlg); });
        if (!dlg) return;
        SendMessageA(GetDlgItem(dlg, alias_dialog::ebAlias), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("..\\klaliastest"));
        SendMessageA(GetDlgItem(dlg, alias_dialog::ebAliasText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\x.exe"));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        HWND box = nullptr;
        PollUntil([&] { return (box = FindWindowA("#32770", "Error")) != nullptr && IsWindowVisible(box); }, 5000);
        if (box) {
            char text[512] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            message = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            PollUntil([&] { return !IsWindow(box); }, 5000);
        }
        stayedOpen = IsWindow(dlg) != FALSE;
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    const DialogResult result = ShowAliasDialog(nullptr, "", "");
    user.join();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, DialogResult::Cancel);
    EXPECT_NE(message.find("backslash"), std::string::npos) << message;
    EXPECT_EQ(AliasPath(kKey), "");
}

TEST_F(AppPaths, AnAliasOfTheUsersKeyIsChangedThere) {
    SetAppPathsOpener(RefusingMachine);
    ASSERT_EQ(WriteAlias(AliasScope::User, kName, "C:\\old.exe"), AliasWrite::Written);
    SetAppPathsOpener(nullptr);  // an administrator: the per-machine key would take it
    EXPECT_TRUE(AliasIsPerUser(kKey));
    std::thread user([&] {
        HWND dlg = nullptr;
        PollUntil([&] { return (dlg = FindWindowA("#32770", "Alias setup")) != nullptr && IsWindowVisible(dlg); });
        if (!dlg) return;
        SendMessageA(GetDlgItem(dlg, alias_dialog::ebAliasText), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\new.exe"));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const DialogResult result = ShowAliasDialog(nullptr, kKey, AliasPath(kKey));
    user.join();
    EXPECT_EQ(result, DialogResult::Ok);
    EXPECT_EQ(AliasPath(kKey), "C:\\new.exe");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kAppPathsKey) + kKey).c_str(), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}
