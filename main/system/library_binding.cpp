#include "system/library_binding.h"

#include "system/hook_install.h"
#include "system/library_check.h"
#include "system/program_filter_sync.h"
#include "model/reg_text.h"
#include "system/step_trace.h"
#include "committed_view.h"
#include "handle_words.h"
#include "registry_names.h"
#include "text255.h"

namespace kl {
namespace {

struct Binding {
    HANDLE mapping = nullptr;
    SettingsBlock* block = nullptr;
    // The modules as loaded here; the block carries tokens of them for the other
    // processes, which the program never turns back into handles.
    HMODULE hook = nullptr;
    HMODULE support = nullptr;
    std::string loadFailure;  // why the first library that would not load did not
};

Binding& State() {
    static Binding binding;
    return binding;
}

std::string SystemMessage(DWORD error) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
    return n > 0 ? std::string(text, n) : "error " + std::to_string(error);
}

// Loads one library of the data folder; a failure is noted with its reason.
HMODULE LoadDataFolderLibrary(const char* file, std::string& failure) {
    const std::string path = LibraryPath(file);
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module && failure.empty()) failure = path + ": " + SystemMessage(GetLastError());
    return module;
}

int g_callDepth = 0;
void (*g_whenIdle)() = nullptr;

}  // namespace

LibraryCall::LibraryCall() : outer_(g_callDepth) { ++g_callDepth; }

LibraryCall::~LibraryCall() {
    g_callDepth = outer_;
    if (g_callDepth == 0 && g_whenIdle) g_whenIdle();
}

int LibraryCallDepth() { return g_callDepth; }

void OnLibraryCallsEnded(void (*whenIdle)()) { g_whenIdle = whenIdle; }

SettingsBlock* Block() { return State().block; }

bool OpenSettingsMap() {
    Binding& s = State();
    if (s.mapping && s.block) return true;
    s.block = nullptr;
    if (!s.mapping) {
        s.mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kSettingsMapName);
        if (!s.mapping)
            s.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSettingsBlockSize,
                                           kSettingsMapName);
    }
    if (s.mapping) s.block = static_cast<SettingsBlock*>(MapViewOfFile(s.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    // A mapping of that name made first by another program may be too small or only
    // reserved: the program would fault on its first write. It is not used.
    if (s.block && !ViewCommittedFor(s.block, sizeof(SettingsBlock))) {
        UnmapViewOfFile(s.block);
        s.block = nullptr;
    }
    if (!s.block && s.mapping) {
        CloseHandle(s.mapping);
        s.mapping = nullptr;
    }
    return s.block != nullptr;
}

std::string LibraryPath(const char* fileName) {
    SettingsBlock* b = Block();
    return WithTrailingBackslash(b ? GetText255(b->DataDir) : std::string()) + fileName;
}

void InitializeLibraries() {
    OpenSettingsMap();
    TraceStep("block");
    SettingsBlock* b = Block();
    if (b) {
        b->MainWindow = 0;
        b->NotifyMessage = 0;
        b->IconPlaying = b->IconRecording = b->IconDefault = 0;
        // Hooks die with the process that set them: whatever a previous instance left
        // here (one that was killed, say) is gone.
        b->GetMsgHook = b->KbdHook = b->JournalHook = 0;
        b->HooksInstalled = kFalse;
        b->JournalMode = 0;
        b->NoSysTray = 0;
        b->WinComboUsed = 0;
        b->SuppressStartMenu = 0;
        b->HotkeysSuspended = 0;
        b->SimpleMode = kTrue;
        // Every run starts in the default profile, even where other processes kept the
        // block of an earlier run alive with another profile's name in it.
        SetText255(b->ProfileName, "");
        // The stored folder when it holds this program's own libraries (another copy,
        // of the other architecture or version, may have stored its own); otherwise
        // the program's folder.
        SetText255(b->DataDir, ChooseDataFolder(ReadRegText(reg::kBaseKey, reg::kDataDir).value_or("")).folder);
    }
    if (!b) return;

    Binding& s = State();
    s.loadFailure.clear();
    CreateProgramFilter();  // before klhook.dll, which opens it when it attaches
    if (!s.hook) s.hook = LoadDataFolderLibrary(kHookLibraryFile, s.loadFailure);
    b->HookModule = ModuleToken(s.hook);
    if (!s.support) s.support = LoadDataFolderLibrary(kSupportLibraryFile, s.loadFailure);
    b->SupportModule = ModuleToken(s.support);
    TraceStep("libraries");
    if (auto load = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(SupportExport("LoadSettingsIntoMap")))) {
        LibraryCall call;
        load();
    }
    RefreshProgramFilter();
    TraceStep("settings");
}

std::string LibraryLoadFailure() { return State().loadFailure; }

void FinalizeLibraries(bool saveSettings) {
    Binding& s = State();
    SettingsBlock* b = s.block;
    if (!b) return;
    if (b->HooksInstalled) Unhook();
    auto save = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(SupportExport("SaveSettingsFromMap")));
    if (save && saveSettings) {
        LibraryCall call;
        save();
    }
    // A library still running a call further up this thread's stack stays loaded; the
    // end of the process releases it.
    if (!b->HooksInstalled && LibraryCallDepth() == 0) {
        if (s.hook && FreeLibrary(s.hook)) s.hook = nullptr;
        b->HookModule = ModuleToken(s.hook);
        if (s.support && FreeLibrary(s.support)) s.support = nullptr;
        b->SupportModule = ModuleToken(s.support);
    }
    if (UnmapViewOfFile(b)) s.block = nullptr;
    if (s.mapping && CloseHandle(s.mapping)) s.mapping = nullptr;
}

std::string LastSettingsError() {
    auto fn = reinterpret_cast<int(WINAPI*)(char*, int)>(reinterpret_cast<void*>(SupportExport("GetSettingsError")));
    if (!fn) return {};
    char text[256] = {};
    LibraryCall call;
    const int n = fn(text, sizeof text);
    return n > 0 ? std::string(text) : std::string();
}

FARPROC SupportExport(const char* name) {
    const Binding& s = State();
    if (!s.block || !s.support) return nullptr;
    return GetProcAddress(s.support, name);
}

HMODULE HookModuleHandle() { return State().block ? State().hook : nullptr; }

FARPROC HookExport(const char* name) {
    const Binding& s = State();
    if (!s.block || !s.hook) return nullptr;
    return GetProcAddress(s.hook, name);
}

}  // namespace kl
