#include "window/settings_commands.h"

#include <commctrl.h>

#include <memory>

#include "ui/style.h"
#include "model/catalogue.h"
#include "model/hotkey_programs.h"
#include "system/document_viewer.h"
#include "ui/file_dialogs.h"
#include "model/file_output.h"
#include "hotkey_index.h"
#include "model/key_names.h"
#include "system/active_profile_keys.h"
#include "model/profiles.h"
#include "model/registry_helpers.h"
#include "model/report_lines.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "dialogs/import_dialog.h"
#include "dialogs/skins_dialog.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/exchange_ids.h"
#include "window/option_ids.h"
#include "window/window_texts.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

constexpr char kReportFile[] = "settings_preview.txt";
constexpr int kHotkeyBuffer = 1024;

// The names the report and the import dialog write with; `catalogue` outlives them.
ReportNames NamesFrom(const std::shared_ptr<Catalogue>& catalogue, std::vector<std::string> profiles) {
    ReportNames names;
    names.text = [](int n) { return UiText(n); };
    names.functionName = [catalogue](int id) {
        const Result<std::string> name = catalogue->FunctionName(id);
        return name.ok() ? name.value : std::string();
    };
    names.hotkeyText = [catalogue](int key, int modifier) {
        const Result<std::string> text = catalogue->HotkeyText(key, modifier);
        return text.ok() ? text.value : std::string();
    };
    names.profileName = [profiles = std::move(profiles)](int number) { return ProfileNameByNumber(profiles, number); };
    return names;
}

std::string WindowText(HWND w) {
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool Inside(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The setting line of one control placed directly on a page, or "".
std::string SettingLine(HWND control) {
    const std::string cls = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), WC_BUTTONA) == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_3STATE && type != BS_AUTO3STATE) return {};
        const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        return ReportSettingLine(WindowText(control), UiText(checked ? texts::kYes : texts::kNo, checked ? "Yes" : "No"));
    }
    if (lstrcmpiA(cls.c_str(), WC_COMBOBOXA) == 0) {
        const LRESULT at = SendMessageA(control, CB_GETCURSEL, 0, 0);
        const LRESULT length = at < 0 ? -1 : SendMessageA(control, CB_GETLBTEXTLEN, at, 0);
        std::string entry;
        if (length > 0 && length < 4096) {
            entry.assign(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(control, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(entry.data()));
            entry.resize(static_cast<std::size_t>(length));
        }
        return ReportSettingLine(UiText(texts::kLanguageLabel, "Language"), entry);
    }
    if (lstrcmpiA(cls.c_str(), WC_EDITA) == 0) return ReportSettingLine(UiText(texts::kSpeedStepLabel, "Speed step"), WindowText(control));
    if (lstrcmpiA(cls.c_str(), TRACKBAR_CLASSA) == 0) {
        const bool speed = GetDlgCtrlID(control) == ids::tbMKSpeed;
        return ReportSettingLine(speed ? UiText(texts::kMouseSpeedLabel, "Mouse speed") : UiText(texts::kMouseAccelerationLabel, "Mouse acceleration"),
                                 std::to_string(SendMessageA(control, TBM_GETPOS, 0, 0)));
    }
    return {};
}

struct PageControls {
    HWND page;
    std::vector<HWND> controls;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lp) {
    auto* p = reinterpret_cast<PageControls*>(lp);
    if (GetParent(child) == p->page) p->controls.push_back(child);
    return TRUE;
}

std::string ReportFolderFile(const std::string& folder) { return WithSeparator(folder) + kReportFile; }

}  // namespace

void SettingsCommands::PrintReport() {
    SettingsBlock* b = block_();
    if (!b) return;
    host_.SaveData();
    const ProfileKeys keys = ActiveProfileKeys();
    auto catalogue = std::make_shared<Catalogue>(dataDir_, [](int n) { return UiText(n); });
    const ReportNames names = NamesFrom(catalogue, host_.GetProfileList());
    SettingsReport report;
    const std::string profile = GetText255(b->ProfileName);
    report.profileName = profile.empty() ? UiText(texts::kDefaultProfileName, "(default)") : profile;

    // ReportHotkeyLines: every ID of every index value, as GetHotkey reads it.
    for (const std::string& name : registry::ListNames(keys.hotkeys, registry::Names::Values)) {
        if (!IsDigits(name)) continue;
        const std::string list = registry::ReadText(keys.hotkeys, name, "", registry::kWholeText);
        for (const std::string_view piece : IndexPieces(list)) {
            const int id = ToNumber(piece, 0);
            std::vector<char> description(kHotkeyBuffer, '\0'), parameter(kHotkeyBuffer, '\0');
            std::int32_t modifier = 0, key = 0, function = 0;
            if (id <= 0 || !CallGetHotkey(id, &modifier, &key, &function, description.data(), parameter.data())) continue;
            description.back() = parameter.back() = '\0';
            const HotkeyPrograms programs = ReadHotkeyPrograms(keys.hotkeys, id);
            report.hotkeyLines.push_back(
                HotkeyReportLine(key, modifier, function, description.data(), parameter.data(), names) +
                ReportProgramsText(static_cast<int>(programs.mode), programs.programs, names));
        }
    }
    SortReportLines(report.hotkeyLines);

    report.bookmarks = !options_.Checked(ids::cbSimpleMode) && options_.Checked(ids::cbBookmarksEnabled);
    report.winDefaults = options_.Checked(ids::cbWinDefaultsEnabled);
    const std::pair<int, const char*> defaults[] = {
        {ids::cbWinD, "Show/hide desktop : WIN+D"}, {ids::cbWinE, "Show Explorer : WIN+E"},
        {ids::cbWinF, "Show Find Files dialog : WIN+F"}, {ids::cbWinM, "Minimize all windows : WIN+M"},
        {ids::cbWinR, "Show Run dialog : WIN+R"}, {ids::cbWinU, "Show Utility Manager : WIN+U"},
        {ids::cbWinV, "Show Voice Control : WIN+V"}};
    for (const auto& [id, text] : defaults)
        if (options_.Checked(id)) report.winDefaultLines.push_back(text);

    // The controls placed directly on each page, in page order; those inside the group
    // box are not visited.
    RECT group{};
    HWND groupBox = options_.Control(ids::grpAdvancedMode);
    if (groupBox) GetWindowRect(groupBox, &group);
    for (HWND page : pages_) {
        PageControls found{page, {}};
        EnumChildWindows(page, CollectChild, reinterpret_cast<LPARAM>(&found));
        for (HWND control : found.controls) {
            RECT rc;
            GetWindowRect(control, &rc);
            if (control == groupBox || (groupBox && GetParent(groupBox) == page && Inside(group, rc))) continue;
            if (std::string line = SettingLine(control); !line.empty()) report.settingLines.push_back(std::move(line));
        }
    }

    report.remapping = b->RemapKeys != 0;
    if (report.remapping) {
        const KeyRemapTable& table = b->KeyRemap;
        int count = table.Count;
        count = count < 0 ? 0 : count > kKeyRemapEntries ? kKeyRemapEntries : count;
        report.remapCaption = UiText(texts::kRemappedKeysCaption, "Remapped keys") + " (" + std::to_string(count) + ")";
        auto keyName = [&catalogue](int code) {
            const Result<std::string> n = catalogue->KeyName(code);
            return n.ok() ? n.value : std::string();
        };
        for (int i = 0; i < count; ++i) {
            const KeyRemapEntry e = table.Entries[i];
            if (!e.FromVk) continue;
            std::string line = UiText(texts::kKeyLabel, "Key") + " " + keyName(e.FromVk) + " -> ";
            if (e.ForceModifiers) line += catalogue->ModifierName(e.ForceModifiers) + "+";
            report.remapLines.push_back(line + keyName(e.ToVk));
        }
    }

    const std::string text = SettingsReportText(report, names);
    // An installed copy may not write into its own folder: the user's temporary
    // folder takes the report then.
    std::string path = ReportFolderFile(dataDir_);
    if (!WriteWholeFile(path, text)) {
        char temp[MAX_PATH] = {};
        const DWORD n = GetTempPathA(MAX_PATH, temp);
        path = n > 0 && n < MAX_PATH ? ReportFolderFile(temp) : std::string();
        if (path.empty() || !WriteWholeFile(path, text)) {
            MessageBoxA(owner_, UiText(texts::kReportNotWritten, "The settings report could not be written.").c_str(),
                        kApplicationTitle, MB_OK | MB_ICONERROR);
            return;
        }
    }
    if (!OpenInViewer(path))
        MessageBoxA(owner_,
                    (UiText(texts::kReportNotOpened, "The settings report could not be opened:") + "\r\n" + path).c_str(),
                    kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
}

void SettingsCommands::ChooseStyle() {
    if (ShowStyleDialog(owner_) == DialogResult::Ok && !host_.Closed()) ApplyStyleToForm(owner_);
}

void SettingsCommands::Export() {
    if (!block_()) return;
    host_.SaveData();
    host_.SaveOptionsNow();  // the registry holds what is in use
    const std::optional<std::string> file = AskSaveFile(owner_);
    if (!file || !block_()) return;
    // The file is replaced only when OK writes it: a cancelled or failed export leaves it.
    auto catalogue = std::make_shared<Catalogue>(dataDir_, [](int n) { return UiText(n); });
    ShowImportDialog(owner_, {TfrmImport::Direction::Export, *file, ActiveProfileKeys(), NamesFrom(catalogue, host_.GetProfileList()), {}});
}

void SettingsCommands::Import() {
    if (!block_()) return;
    const std::optional<std::string> file = AskOpenFile(owner_);
    if (!file || !block_()) return;
    host_.SaveData();
    host_.SaveOptionsNow();  // what the pages show is not lost by the reload
    auto catalogue = std::make_shared<Catalogue>(dataDir_, [](int n) { return UiText(n); });
    ExchangeRequest request{TfrmImport::Direction::Import, *file, ActiveProfileKeys(),
                            NamesFrom(catalogue, host_.GetProfileList()), {}};
    // The imported options may ask for another mode or tray icon: as after a profile
    // switch, hotkey handling is undone and built anew from what was loaded.
    request.reload = [this] {
        std::string error;
        if (!host_.ReloadSettingsLive(std::nullopt, error) && error.empty())
            error = UiText(texts::kSettingsNotLoaded, "Unable to load the settings!");
        return error;
    };
    host_.RunEditingDialog([&] { ShowImportDialog(owner_, std::move(request)); });
    if (host_.Closed() || !block_()) return;
    host_.RefreshPages();
}

bool SettingsCommands::OnCommand(int id) {
    switch (id) {
    case ids::mnExportSettings: Export(); return true;
    case ids::mnImportSettings: Import(); return true;
    case ids::mnPrintSettings: PrintReport(); return true;
    case ids::mmStyle: ChooseStyle(); return true;
    default: return false;
    }
}

}  // namespace kl
