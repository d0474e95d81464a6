#include "dialogs/edit_hotkey.h"

#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/editor_taken_notice.h"
#include "dialogs/editor_template.h"
#include "dialogs/select_dialog.h"
#include "model/editor_sources.h"
#include "model/hotkey_programs.h"
#include "model/hotkey_store.h"
#include "model/program_conflicts.h"
#include "model/program_control_texts.h"
#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "registry_names.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "text255.h"
#include "ui/app_identity.h"
#include "ui/dpi.h"
#include "ui/help_pages.h"
#include "ui/style.h"
#include "ui/window_text.h"

namespace kl {
namespace {

namespace id = editor_ids;

constexpr UINT kBringToFront = WM_APP + 21;
constexpr UINT kRefitItems = WM_APP + 22;
constexpr int kWindowsModifier = 8;  // the modifier set a cleared editor starts with
constexpr int kTextDefaultProfile = 238;

std::string Lang(int n, const char* fallback) { return UiText(n, fallback); }

LanguageText LangFn() {
    return [](int n) { return UiText(n); };
}

HGDIOBJ DialogFont(HWND dlg) { return reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)); }

}  // namespace

TfrmEditHotkey::TfrmEditHotkey() : capture_(*this, [] { return Block(); }) {}

TfrmEditHotkey& TfrmEditHotkey::Instance() {
    static TfrmEditHotkey editor;
    return editor;
}

void TfrmEditHotkey::SetDataDir(const std::string& dataDir) {
    if (catalogue_ && dataDir == dataDir_) return;
    dataDir_ = dataDir;
    catalogue_ = std::make_unique<Catalogue>(dataDir_, LangFn());
}

bool TfrmEditHotkey::CheckDataFiles(HWND owner) {
    if (!catalogue_) SetDataDir(dataDir_);
    auto functions = catalogue_->FunctionCatalogue(0);
    std::string error = functions.error;
    if (error.empty()) {
        auto keys = catalogue_->KeyNameList();
        error = keys.error;
        if (error.empty()) lists_.SetKeyLines(std::move(keys.value));
    }
    if (error.empty()) return true;
    MessageBoxA(owner, error.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    return false;
}

DialogTemplate TfrmEditHotkey::BuildTemplate() { return editor::EditorTemplate(); }

DialogResult TfrmEditHotkey::ShowModal(HWND owner) {
    if (dlg_) {  // never a second one on top of the first
        SetForegroundWindow(dlg_);
        return DialogResult::Cancel;
    }
    if (!CheckDataFiles(owner)) return DialogResult::Cancel;
    return DialogBase::ShowModal(owner);
}

HWND TfrmEditHotkey::ShowModeless(HWND owner) {
    if (dlg_) return dlg_;
    if (!CheckDataFiles(owner)) return nullptr;
    return DialogBase::ShowModeless(owner);
}

void TfrmEditHotkey::Close() {
    if (dlg_) Finish(DialogResult::Cancel);
}

void TfrmEditHotkey::Finish(DialogResult result) {
    capture_.Stop();
    End(result);
}

INT_PTR TfrmEditHotkey::Proc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        InitDialog();
        PostMessageA(dlg_, kBringToFront, 0, 0);
        return FALSE;  // the focus is set
    case kBringToFront:
        SetForegroundWindow(dlg_);
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            capture_.Stop();
        else
            capture_.Start();
        return FALSE;
    case WM_ENDSESSION:
        // The session ends with the dialog open: the process may be gone before it closes.
        if (wp) capture_.Stop();
        return FALSE;
    case WM_DESTROY:
        capture_.Stop();
        return FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return TRUE;
    case WM_MEASUREITEM:
        EditorLists::MeasureItem(dlg_, *reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DRAWITEM:
        EditorLists::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp), id::cbKey);
        return TRUE;
    case WM_DPICHANGED:
        // The dialog manager scales the dialog and its font; the drawn lists follow.
        PostMessageA(dlg_, kRefitItems, 0, 0);
        return FALSE;
    case kRefitItems:
        RefitOwnerDrawnItems(dlg_, 4, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void TfrmEditHotkey::InitDialog() {
    loading_ = false;
    modified_ = false;
    SetWindowContextHelpId(dlg_, kHelpContext);
    ApplyStyleToForm(dlg_);
    // The headers in the bold face of the dialog's font.
    LOGFONTA lf{};
    if (GetObjectA(DialogFont(dlg_), sizeof lf, &lf)) {
        lf.lfWeight = FW_BOLD;
        boldFont_.reset(CreateFontIndirectA(&lf));
        for (int header : {id::lblDescriptionHeader, id::lblHotkeyHeader, id::lblFunctionHeader})
            SendMessageA(Item(header), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    }
    lists_.Attach(dlg_, catalogue_.get());
    rows_.Measure(dlg_);
    tips_.Create(dlg_);
    capture_.Attach(Item(id::ebKey), Item(id::cbKey), Item(id::cbModifier));
    SendMessageA(Item(id::ebDescription), EM_LIMITTEXT, editor::kDescriptionMax, 0);
    const SettingsBlock* b = Block();
    hotkeysKey_ = b ? ActiveHotkeysKey(*b) : std::string();
    programs_.Attach(dlg_);
    UpdateLanguage();
    if (hotkeyId >= 0)
        LoadData();
    else
        ClearData();
    if (hotkeyId < 0 && preset) ApplyPreset();
    preset.reset();
    SetFocus(Item(id::ebDescription));
}

void TfrmEditHotkey::Destroyed() {
    capture_.Stop();
    capture_.Detach();
    boldFont_.reset();
    tips_.Reset();
    lists_.Reset();
    rows_.Reset();
}

// ---- Texts and lists --------------------------------------------------------------

void TfrmEditHotkey::UpdateLanguage() {
    if (!dlg_) return;
    SetWindowTextA(dlg_, Lang(editor::kTextCaption, "Edit hotkey").c_str());
    struct Caption {
        int control, text;
        const char* fallback;
    };
    static constexpr Caption kCaptions[] = {
        {id::btnOK, editor::kTextOk, "&OK"},
        {id::btnCancel, editor::kTextCancel, "&Cancel"},
        {id::btnClear, editor::kTextClear, "C&lear"},
        {id::btnSelect, editor::kTextSelect, "&Select..."},
        {id::lblDescriptionHeader, editor::kTextDescriptionHeader, "Description"},
        {id::lblDescription, editor::kTextDescription, "&Description"},
        {id::lblHotkeyHeader, editor::kTextHotkeyHeader, "Hotkey"},
        {id::lblModifier, editor::kTextModifier, "&Modifier"},
        {id::lblKey, editor::kTextKey, "&Key"},
        {id::lblFunctionHeader, editor::kTextFunctionHeader, "Action"},
        {id::lblCategory, editor::kTextCategory, "C&ategory"},
        {id::lblFunction, editor::kTextFunction, "&Function"},
    };
    for (const Caption& c : kCaptions) SetWindowTextA(Item(c.control), Lang(c.text, c.fallback).c_str());
    programs_.UpdateLanguage();
    tips_.Set(Item(id::btnClear), Lang(editor::kTextClearHint, "Clear all fields"));
    tips_.Set(Item(id::btnSelect), Lang(editor::kTextSelectHint, "Pick a program, document or folder"));
    if (loading_) return;
    loading_ = true;
    const int modifier = SelectedIndex(id::cbModifier), key = SelectedIndex(id::cbKey);
    const int category = SelectedIndex(id::cbCategory), function = SelectedIndex(id::cbFunction);
    lists_.FillModifiers();
    lists_.FillKeys();
    lists_.FillCategories();
    lists_.FillFunctions(category >= 0 ? lists_.CategoryAt(category) : 0);
    auto keep = [&](int control, int position) {
        const int count = static_cast<int>(SendMessageA(Item(control), CB_GETCOUNT, 0, 0));
        SendMessageA(Item(control), CB_SETCURSEL, position < count ? position : -1, 0);
    };
    keep(id::cbModifier, modifier);
    keep(id::cbKey, key);
    keep(id::cbCategory, category);
    keep(id::cbFunction, function);
    loading_ = false;
}

// ---- Reading the controls ------------------------------------------------------------

std::string TfrmEditHotkey::ItemText(int control) const { return WindowText(Item(control)); }

int TfrmEditHotkey::SelectedIndex(int control) const {
    return static_cast<int>(SendMessageA(Item(control), CB_GETCURSEL, 0, 0));
}

int TfrmEditHotkey::SelectedFunctionId() const {
    const std::string* line = lists_.FunctionLineAt(SelectedIndex(id::cbFunction));
    return line ? NumberField(*line, 1) : -1;
}

std::string TfrmEditHotkey::ParameterText() {
    return editor::CollectParameterText(rows_.layout(), SelectedFunctionId(), rows_.Values());
}

editor::ListSources TfrmEditHotkey::Sources() {
    editor::ListSources s;
    s.text = LangFn();
    s.dirPlaySets = [key = hotkeysKey_] {
        if (key.empty()) return std::vector<std::string>{};
        return DirPlaySetNames(key, ReaderFrom(CallGetHotkey));
    };
    s.cdDrives = [] { return CDDriveList(); };
    s.profiles = [] { return ProfileList(UiText(kTextDefaultProfile, "(default)")); };
    return s;
}

editor::EditorInput TfrmEditHotkey::CurrentInput() {
    editor::EditorInput in;
    in.ownId = hotkeyId;
    in.description = ItemText(id::ebDescription);
    in.modifier = SelectedIndex(id::cbModifier);
    in.keyCode = editor::ParseKeyHex(ItemText(id::ebKey));
    in.keyLine = SelectedIndex(id::cbKey);
    in.functionId = SelectedFunctionId();
    in.layout = rows_.layout();
    in.document = ItemText(id::ebDocument);
    in.parameter = ItemText(id::ebParameter);
    in.parameterText = ParameterText();
    in.lblDescription = ItemText(id::lblDescription);
    in.lblModifier = ItemText(id::lblModifier);
    in.lblKey = ItemText(id::lblKey);
    in.lblFunction = ItemText(id::lblFunction);
    if (const SettingsBlock* b = Block()) {
        // Two hotkeys may share a combination when their programs cannot meet.
        if (in.keyCode > 0 && in.modifier >= 0)
            in.existingId = ConflictingHotkeyID(hotkeysKey_, in.keyCode, in.modifier, hotkeyId, programs_.Current());
        in.winD = b->WinD != 0;
        in.winE = b->WinE != 0;
        in.winF = b->WinF != 0;
        in.winM = b->WinM != 0;
        in.winR = b->WinR != 0;
        in.defaultProfile = hotkeysKey_ == reg::kHotkeysKey;
    }
    return in;
}

// ---- Selecting -----------------------------------------------------------------------

bool TfrmEditHotkey::SelectKey(int code) {
    if (code == 255) code = editor::KeyCodeFor(255, capture_.LastScanCode());
    HWND box = Item(id::cbKey);
    if (code >= 255) {
        const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        SetWindowTextA(Item(id::ebKey), editor::KeyHex(code).c_str());
        SendMessageA(box, CB_SETCURSEL, count - 1, 0);
        return true;
    }
    const int at = lists_.KeyPosition(code);
    if (at < 0 || !lists_.KeyChoosableAt(at)) return false;
    SetWindowTextA(Item(id::ebKey), editor::KeyHex(code).c_str());
    SendMessageA(box, CB_SETCURSEL, at, 0);
    return true;
}

void TfrmEditHotkey::SelectModifier(int modifier) {
    const int count = static_cast<int>(SendMessageA(Item(id::cbModifier), CB_GETCOUNT, 0, 0));
    SendMessageA(Item(id::cbModifier), CB_SETCURSEL, modifier >= 0 && modifier < count ? modifier : -1, 0);
}

void TfrmEditHotkey::SelectCategory(int category) {
    HWND box = Item(id::cbCategory);
    SetWindowContextHelpId(box, help::kCategoryIndex + category);
    SendMessageA(box, CB_SETCURSEL, lists_.CategoryPosition(category), 0);
    lists_.FillFunctions(category);
}

void TfrmEditHotkey::SelectFunction(int functionId) {
    HWND box = Item(id::cbFunction);
    SetWindowContextHelpId(box, help::kFunctionIndex + functionId);
    if (SelectedFunctionId() != functionId || functionId < 0)
        SendMessageA(box, CB_SETCURSEL, lists_.FunctionPosition(functionId), 0);
    ReloadParameterList(SelectedIndex(id::cbFunction));
}

void TfrmEditHotkey::ReloadParameterList(int position) {
    const std::string* line = lists_.FunctionLineAt(position);
    rows_.Reload(line ? std::string_view(*line) : std::string_view(), Sources(), tips_);
}

// ---- Data -------------------------------------------------------------------------------

void TfrmEditHotkey::ClearData() {
    if (!dlg_) return;
    SetWindowTextA(Item(id::ebDescription), "");
    SelectModifier(kWindowsModifier);
    SetWindowTextA(Item(id::ebKey), "");
    SendMessageA(Item(id::cbKey), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SelectCategory(0);
    SelectFunction(0);
    SetWindowTextA(Item(id::ebDocument), "");
    SetWindowTextA(Item(id::ebParameter), "");
    SendMessageA(Item(id::cbList), CB_RESETCONTENT, 0, 0);
    programs_.Clear();
    modified_ = true;
}

// The function's category is the catalogue's, so that the function is in the list.
void TfrmEditHotkey::ApplyPreset() {
    loading_ = true;
    SetWindowTextA(Item(id::ebDescription), preset->description.c_str());
    loading_ = false;
    SelectCategory(catalogue_->CategoryOf(preset->functionId));
    SelectFunction(preset->functionId);
    // The text goes into the function's first text field; its list keeps the entry the
    // layout chose (the start mode of a typed text).
    SetWindowTextA(Item(rows_.FirstTextField()), preset->parameter.c_str());
    modified_ = true;
}

void TfrmEditHotkey::LoadData() {
    if (!dlg_ || hotkeyId < 0) return;
    loading_ = true;
    ClearData();
    std::vector<char> description(kHotkeyTextBuffer, '\0'), parameter(kHotkeyTextBuffer, '\0');
    std::int32_t modifier = 0, key = 0, function = 0;
    const bool found = CallGetHotkey(hotkeyId, &modifier, &key, &function, description.data(), parameter.data());
    description.back() = parameter.back() = '\0';
    if (!dlg_) return;
    // A definition whose "Function" cannot be read (damaged, overlong, of another type)
    // is shown with what could be read, and OK replaces it under its own ID.
    const std::string subkey = hotkeysKey_ + reg::kHotkeySubkeyPrefix + std::to_string(hotkeyId);
    const bool damaged =
        !found && !hotkeysKey_.empty() && !registry::ListNames(subkey, registry::Names::Values).empty();
    if (!found && !damaged) {
        // Nothing is stored under this ID: the dialog makes a new hotkey instead.
        hotkeyId = -1;
        loading_ = false;
        return;
    }
    if (damaged) function = -1;
    SetWindowTextA(Item(id::ebDescription), description.data());
    SetWindowTextA(Item(id::ebParameter), parameter.data());
    SelectModifier(modifier);
    SelectKey(key);
    loading_ = false;
    SelectCategory(catalogue_->CategoryOf(function));
    SelectFunction(function);
    rows_.Spread(SelectedFunctionId(), parameter.data());
    programs_.Load(ReadHotkeyPrograms(hotkeysKey_, hotkeyId));
    modified_ = damaged;
}

bool TfrmEditHotkey::SaveData() {
    SettingsBlock* b = Block();
    if (!b || !dlg_) return false;
    const std::string description(Trim(ItemText(id::ebDescription)));
    const int function = SelectedFunctionId();
    const std::string parameter = ParameterText();
    if (editor::RestartsCounter(function)) {
        b->CounterStarted = 0;
        b->CounterValue = 0;
    }
    const int modifier = SelectedIndex(id::cbModifier);
    const int key = editor::ParseKeyHex(ItemText(id::ebKey));
    // The block's table belongs to the profile active now: it takes the row only when
    // that is still the dialog's profile (otherwise its next load brings the change).
    SettingsBlock* table = ActiveHotkeysKey(*b) == hotkeysKey_ ? b : nullptr;
    HotkeyStore store(hotkeysKey_, table, ReaderFrom(CallGetHotkey));
    const StoreResult r = store.StoreHotkey(hotkeyId, key, modifier, function, description, parameter);
    if (!r.error.empty())
        MessageBoxA(dlg_, r.error.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    if (r.id <= 0) return false;
    if (!WriteHotkeyPrograms(hotkeysKey_, r.id, programs_.Current()))
        MessageBoxA(dlg_, UiText(program_texts::kProgramsNotStored, "The programs of the hotkey could not be stored.").c_str(),
                    MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    modified_ = false;
    return true;
}

bool TfrmEditHotkey::Validate(std::string& message) {
    const LanguageText text = LangFn();
    editor::Verdict v = editor::Validate(CurrentInput(), text);
    if (v.askNoModifier) {
        const std::string question = editor::NoModifierQuestion(text);
        const int answer = MessageBoxA(dlg_, question.c_str(), Lang(editor::kTextQuestionCaption, "Keyloom").c_str(),
                                       MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) {
            v.ok = false;
            v.message += editor::NoModifierRefused(text);
        }
    }
    message = v.message;
    return v.ok;
}

void TfrmEditHotkey::btnOKClick() {
    std::string message;
    if (!Validate(message)) {
        editor::Verdict v;
        v.message = message;
        if (dlg_)
            MessageBoxA(dlg_, editor::CannotSaveMessage(v, LangFn()).c_str(),
                        MessageCaption().c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!dlg_) return;
    if (!modified_) {
        Finish(DialogResult::Cancel);
        return;
    }
    const SettingsBlock* b = Block();
    if (!AcceptTakenCombination(dlg_, editor::ParseKeyHex(ItemText(id::ebKey)), SelectedIndex(id::cbModifier),
                                b && b->SimpleMode) ||
        !dlg_)
        return;
    if (SaveData()) Finish(DialogResult::Ok);
}

void TfrmEditHotkey::btnSelectClick() {
    if (loading_ || !dlg_) return;
    const std::optional<std::string> selected = ShowSelectDialog(dlg_);
    if (!selected || !dlg_) return;
    const auto [document, parameter] = editor::SplitSelection(*selected);
    SetWindowTextA(Item(id::ebDocument), document.c_str());
    SetWindowTextA(Item(id::ebParameter), parameter.c_str());
    modified_ = true;
}

void TfrmEditHotkey::OnCommand(int control, int code) {
    if (programs_.OnCommand(control, code, modified_)) return;
    switch (control) {
    case id::btnOK:
        if (code == BN_CLICKED) btnOKClick();
        return;
    case id::btnCancel:
        if (code == BN_CLICKED) Finish(DialogResult::Cancel);
        return;
    case id::btnClear:
        if (code == BN_CLICKED) ClearData();
        return;
    case id::btnSelect:
        if (code == BN_CLICKED) btnSelectClick();
        return;
    case id::ebDescription:
    case id::ebDocument:
    case id::ebParameter:
        if (code == EN_CHANGE && !loading_) modified_ = true;
        return;
    default:
        break;
    }
    if (code == CBN_SELCHANGE && !loading_) OnListChange(control);
}

void TfrmEditHotkey::OnListChange(int control) {
    switch (control) {
    case id::cbModifier:
    case id::cbList:
        modified_ = true;
        break;
    case id::cbKey: {
        const int sel = SelectedIndex(id::cbKey);
        if (!lists_.KeyChoosableAt(sel) || !SelectKey(lists_.KeyCodeAt(sel))) {
            // A line that names no key cannot be chosen: the key stays as it was.
            const int current = editor::ParseKeyHex(ItemText(id::ebKey));
            if (current <= 0 || !SelectKey(current)) SendMessageA(Item(id::cbKey), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return;
        }
        modified_ = true;
        break;
    }
    case id::cbCategory: {
        const int sel = SelectedIndex(id::cbCategory);
        if (sel < 0) return;
        const int function = SelectedFunctionId();
        SelectCategory(lists_.CategoryAt(sel));
        SelectFunction(function);
        modified_ = true;
        break;
    }
    case id::cbFunction:
        SelectFunction(SelectedFunctionId());
        modified_ = true;
        break;
    default:
        break;
    }
}

DialogResult ShowHotkeyEditor(HWND owner, const HotkeyEditorRequest& request) {
    TfrmEditHotkey& editor = TfrmEditHotkey::Instance();
    if (editor.IsOpen()) {
        SetForegroundWindow(editor.handle());
        return DialogResult::Cancel;
    }
    editor.SetDataDir(request.dataDir);
    editor.hotkeyId = request.hotkeyId;
    const DialogResult result = editor.ShowModal(owner);
    editor.hotkeyId = -1;
    return result;
}

}  // namespace kl
