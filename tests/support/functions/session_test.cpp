// Session commands with their confirmation boxes (answered by a second
// thread), and clearing the traces of the user's work.
#include <vector>

#include "funcs_fixture.h"
#include "testing/message_box_answerer.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::testing;

namespace {

struct SessionCall {
    UINT action;
    UINT flags;
    bool operator==(const SessionCall&) const = default;
};
std::vector<SessionCall> g_calls;

BOOL WINAPI RecordSessionCall(UINT action, UINT flags) {
    g_calls.push_back({action, flags});
    return TRUE;
}

class SessionTest : public FunctionTest {
protected:
    using SetHandlerFn = void WINAPI(BOOL(WINAPI*)(UINT, UINT));
    SetHandlerFn* setHandler_ = lib_.Get<SetHandlerFn>("SetSessionActionHandler");

    void SetUp() override {
        FunctionTest::SetUp();
        ASSERT_NE(setHandler_, nullptr);
        setHandler_(RecordSessionCall);  // nothing may really end the session
        g_calls.clear();
    }
    void TearDown() override { setHandler_(nullptr); }

    // Runs the function while a second thread answers its boxes; returns the questions.
    std::vector<std::string> RunAnswering(unsigned id, const char* param, std::vector<int> answers) {
        MessageBoxAnswerer answerer("Warning", std::move(answers));
        EXPECT_EQ(execute_(id, param), 1);
        return answerer.Stop();
    }
};

constexpr UINT kExit = 0, kLock = 1;

TEST_F(SessionTest, ShutDownAsksUnlessTheFlagSaysNot) {
    EXPECT_EQ(RunAnswering(49, "0", {IDNO}), std::vector<std::string>{"Shut down computer ?"});
    EXPECT_TRUE(g_calls.empty());
    b().MainWindow = 0x7FFF0000;  // a stale owner must not turn the box into a silent No
    EXPECT_EQ(RunAnswering(49, "", {IDYES}).size(), 1u);
    EXPECT_EQ(g_calls, (std::vector<SessionCall>{{kExit, EWX_SHUTDOWN}}));

    g_calls.clear();
    EXPECT_TRUE(RunAnswering(49, "1", {}).empty());
    EXPECT_EQ(g_calls, (std::vector<SessionCall>{{kExit, EWX_SHUTDOWN}}));
}

TEST_F(SessionTest, EachSessionCommandHasItsQuestionAndFlags) {
    EXPECT_EQ(RunAnswering(50, "0", {IDYES}), std::vector<std::string>{"Reboot computer ?"});
    EXPECT_EQ(RunAnswering(52, "", {IDYES}), std::vector<std::string>{"Power down computer ?"});
    EXPECT_TRUE(RunAnswering(50, "x", {}).empty());
    EXPECT_TRUE(RunAnswering(48, "0", {}).empty());  // log off never asks
    EXPECT_TRUE(RunAnswering(51, "", {}).empty());
    EXPECT_EQ(g_calls, (std::vector<SessionCall>{
                           {kExit, EWX_REBOOT}, {kExit, EWX_POWEROFF}, {kExit, EWX_REBOOT}, {kExit, EWX_LOGOFF},
                           {kLock, 0}}));
}

// Saves a registry value and puts it back (or removes it) afterwards.
class SavedValue {
public:
    SavedValue(HKEY root, std::string path, std::string name) : root_(root), path_(std::move(path)), name_(std::move(name)) {
        RegKey key = RegKey::Open(root_, path_.c_str(), KEY_READ);
        DWORD size = sizeof data_;
        had_ = key && RegQueryValueExA(key.get(), name_.c_str(), nullptr, &type_, data_, &size) == ERROR_SUCCESS;
        size_ = size;
    }
    ~SavedValue() {
        RegKey key = RegKey::Create(root_, path_.c_str(), KEY_ALL_ACCESS);
        if (!key) return;
        if (had_)
            RegSetValueExA(key.get(), name_.c_str(), 0, type_, data_, size_);
        else
            RegDeleteValueA(key.get(), name_.c_str());
    }
    void Set(DWORD type, const std::string& text) {
        RegKey key = RegKey::Create(root_, path_.c_str(), KEY_ALL_ACCESS);
        RegSetValueExA(key.get(), name_.c_str(), 0, type, (const BYTE*)text.c_str(), text.size() + 1);
    }
    void Remove() {
        RegKey key = RegKey::Open(root_, path_.c_str(), KEY_ALL_ACCESS);
        if (key) RegDeleteValueA(key.get(), name_.c_str());
    }

private:
    HKEY root_;
    std::string path_, name_;
    DWORD type_ = 0, size_ = 0;
    BYTE data_[2048];
    bool had_ = false;
};

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

class ClearTracesTest : public SessionTest {
protected:
    TempFolder cache_, history_;
    SavedValue cacheValue_{HKEY_CURRENT_USER, kShellFolders, "Cache"};
    SavedValue historyValue_{HKEY_CURRENT_USER, kShellFolders, "History"};
    SavedValue userCacheValue_{HKEY_CURRENT_USER, kUserShellFolders, "Cache"};

    void SetUp() override {
        SessionTest::SetUp();
        cacheValue_.Set(REG_SZ, cache_.path());
        historyValue_.Set(REG_SZ, history_.path().substr(0, history_.path().size() - 1));
        for (const TempFolder* f : {&cache_, &history_}) {
            WriteWholeFile(*f / "a.txt", "a");
            WriteWholeFile(*f / "b", "b");
            CreateDirectoryA((*f / "sub").c_str(), nullptr);
            WriteWholeFile(*f / "sub\\kept.txt", "kept");
        }
        SetString(kTypedUrls, "url1", "http://example.org/");
        SetString(std::string(kTypedUrls) + "\\inner\\deeper", "x", "y");
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTypedUrls);
        SessionTest::TearDown();
    }

    static bool Cleared(const TempFolder& f) {
        return !PathExists(f / "a.txt") && !PathExists(f / "b") && PathExists(f / "sub\\kept.txt");
    }
    static bool Untouched(const TempFolder& f) { return PathExists(f / "a.txt") && PathExists(f / "b"); }
    static bool TypedUrlsExist() { return static_cast<bool>(RegKey::Open(HKEY_CURRENT_USER, kTypedUrls, KEY_READ)); }
};

TEST_F(ClearTracesTest, FlagClearsEverythingWithoutAQuestion) {
    EXPECT_TRUE(RunAnswering(199, "1", {}).empty());
    EXPECT_TRUE(Cleared(cache_));
    EXPECT_TRUE(Cleared(history_));
    EXPECT_FALSE(TypedUrlsExist());
}

TEST_F(ClearTracesTest, EachStepAsksAndNoSkipsOnlyThatStep) {
    const auto questions = RunAnswering(199, "0", {IDNO, IDYES, IDNO, IDYES});
    EXPECT_EQ(questions, (std::vector<std::string>{"Delete Recent Documents ?", "Delete " + cache_.path() + "*.*" + " ?",
                                                   "Delete " + history_.path() + "*.*" + " ?",
                                                   "Delete Typed URLs ?"}));
    EXPECT_TRUE(Cleared(cache_));
    EXPECT_TRUE(Untouched(history_));
    EXPECT_FALSE(TypedUrlsExist());
}

TEST_F(ClearTracesTest, UserShellFolderIsExpandedAndAMissingFolderIsSkipped) {
    ScopedEnv env("KL_TEST_CACHE", cache_.path());
    cacheValue_.Remove();
    userCacheValue_.Set(REG_EXPAND_SZ, "%KL_TEST_CACHE%");
    historyValue_.Remove();
    SavedValue userHistory(HKEY_CURRENT_USER, kUserShellFolders, "History");
    userHistory.Remove();

    EXPECT_TRUE(RunAnswering(199, "yes", {}).empty());
    EXPECT_TRUE(Cleared(cache_));
    EXPECT_TRUE(Untouched(history_));
}

}  // namespace
