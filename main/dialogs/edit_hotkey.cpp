#include "dialogs/edit_hotkey.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/style.h"
#include "model/editor_sources.h"
#include "model/hotkey_programs.h"
#include "model/program_conflicts.h"
#include "model/hotkey_store.h"
#include "system/library_binding.h"
#include "model/registry_helpers.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "ui/dialog_template.h"
#include "ui/dpi.h"
#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/editor_taken_notice.h"
#include "dialogs/select_dialog.h"
#include "hotkey_record.h"
#include "registry_names.h"
#include "text255.h"
#include "ui/app_identity.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

namespace id = editor_ids;
using editor::kRowCount;

// Process-wide state of the unit: the capture hook, and the last scan code seen with
// virtual-key code 255.
HHOOK g_hook = nullptr;
bool g_hookInstalled = false;
int g_lastScan = 0;
bool g_winDown = false;
TfrmEditHotkey* g_active = nullptr;    // the editor that is open
TfrmEditHotkey* g_creating = nullptr;  // the editor whose window is being created

constexpr UINT kBringToFront = WM_APP + 21;
constexpr UINT kRefitItems = WM_APP + 22;

// cbKey item data.
constexpr LPARAM kGreyLine = 1;    // field 3 is 1: drawn on a grey background
constexpr LPARAM kNotChosen = 2;   // no code of 1 or more, or named "ILLEGAL": cannot be chosen
constexpr LPARAM kDrawNothing = 4;

constexpr COLORREF kGrey = RGB(128, 128, 128);

// The dialog's layout in dialog units.
constexpr short kProgramsY = 206;  // the programs row, below the parameter rows
constexpr short kWidth = 320, kHeight = 246 + EditorProgramsRow::kHeight;
constexpr short kButtonsY = 224 + EditorProgramsRow::kHeight;
constexpr short kLabelX = 14, kLabelW = 106, kFieldX = 124, kFieldW = 184;
constexpr short kEditH = 13, kComboH = 160;
constexpr short kRowY[kRowCount] = {152, 170, 188};

std::string Lang(int n, const char* fallback) { return UiText(n, fallback); }

LanguageText LangFn() {
    return [](int n) { return UiText(n); };
}

std::string WindowText(HWND w) {
    const int n = GetWindowTextLengthA(w);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

bool IsModifierVk(WPARAM vk) { return editor::ModifierForKey(static_cast<int>(vk)) >= 0; }

// The modifier set of the Alt, Ctrl, Shift and Windows keys held now.
int HeldModifiers() {
    int m = 0;
    if (GetKeyState(VK_MENU) < 0) m |= 1;
    if (GetKeyState(VK_CONTROL) < 0) m |= 2;
    if (GetKeyState(VK_SHIFT) < 0) m |= 4;
    if (g_winDown) m |= 8;
    return m;
}

// Characters a captured key would still produce are dropped with it.
void DropPendingCharacters(HWND control) {
    MSG m;
    while (PeekMessageA(&m, control, WM_CHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    }
}

HGDIOBJ DialogFont(HWND dlg) { return reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)); }

DialogTemplate EditorTemplate() {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_3DLOOK;
    DialogTemplate t(style, WS_EX_APPWINDOW, kWidth, kHeight, Lang(editor::kTextCaption, "Edit hotkey"));
    const DWORD vis = WS_VISIBLE;
    const DWORD label = SS_LEFT | vis;
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD drawnList = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
    t.Item(DlgClass::Button, BS_GROUPBOX | vis, 6, 4, 308, 212 + EditorProgramsRow::kHeight, id::grpDefinition, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 14, 200, 9, id::lblDescriptionHeader, "Description");
    t.Item(DlgClass::Static, label, kLabelX, 30, kLabelW, 9, id::lblDescription, "&Description");
    t.Item(DlgClass::Edit, edit | vis, kFieldX, 28, kFieldW, kEditH, id::ebDescription, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 48, 200, 9, id::lblHotkeyHeader, "Hotkey");
    t.Item(DlgClass::Static, label, kLabelX, 64, kLabelW, 9, id::lblModifier, "&Modifier");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 62, kFieldW, kComboH, id::cbModifier, "");
    t.Item(DlgClass::Static, label, kLabelX, 81, kLabelW, 9, id::lblKey, "&Key");
    t.Item(DlgClass::Edit, edit | ES_READONLY | vis, kFieldX, 79, 40, kEditH, id::ebKey, "");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX + 44, 79, kFieldW - 44, kComboH, id::cbKey, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 98, 200, 9, id::lblFunctionHeader, "Action");
    t.Item(DlgClass::Static, label, kLabelX, 114, kLabelW, 9, id::lblCategory, "C&ategory");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 112, kFieldW, kComboH, id::cbCategory, "");
    t.Item(DlgClass::Static, label, kLabelX, 131, kLabelW, 9, id::lblFunction, "&Function");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 129, kFieldW, kComboH, id::cbFunction, "");
    // The parameter rows start hidden; ReloadParameterList shows and places them.
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[0] + 2, kLabelW, 9, id::lblDocument, "");
    t.Item(DlgClass::Edit, edit, kFieldX, kRowY[0], kFieldW - 48, kEditH, id::ebDocument, "");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP, kFieldX + kFieldW - 44, kRowY[0] - 1, 44, 15, id::btnSelect,
           "&Select...");
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[2] + 2, kLabelW, 9, id::lblList, "");
    t.Item(DlgClass::ComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFieldX, kRowY[2], kFieldW, kComboH,
           id::cbList, "");
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[1] + 2, kLabelW, 9, id::lblParameter, "");
    t.Item(DlgClass::Edit, edit, kFieldX, kRowY[1], kFieldW, kEditH, id::ebParameter, "");
    EditorProgramsRow::AddItems(t, kProgramsY, kLabelX, kLabelW, kFieldX, kFieldW);
    t.Item(DlgClass::Button, BS_DEFPUSHBUTTON | WS_TABSTOP | vis, 206, kButtonsY, 52, 15, id::btnOK, "&OK");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 262, kButtonsY, 52, 15, id::btnCancel, "&Cancel");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 6, kButtonsY, 54, 15, id::btnClear, "C&lear");
    return t;
}

RECT ClientRectOf(HWND dlg, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TfrmEditHotkey& TfrmEditHotkey::Instance() {
    static TfrmEditHotkey editor;
    return editor;
}

void TfrmEditHotkey::SetDataDir(const std::string& dataDir) {
    if (catalogue_ && dataDir == dataDir_) return;
    dataDir_ = dataDir;
    catalogue_ = std::make_unique<Catalogue>(dataDir_, LangFn());
}

bool TfrmEditHotkey::HookInstalled() { return g_hookInstalled; }
TfrmEditHotkey* TfrmEditHotkey::Active() { return g_active; }
int TfrmEditHotkey::LastScanCode() { return g_lastScan; }

bool TfrmEditHotkey::CheckDataFiles(HWND owner) {
    if (!catalogue_) SetDataDir(dataDir_);
    auto functions = catalogue_->FunctionCatalogue(0);
    std::string error = functions.error;
    if (error.empty()) {
        auto keys = catalogue_->KeyNameList();
        error = keys.error;
        if (error.empty()) keyLines_ = std::move(keys.value);
    }
    if (error.empty()) return true;
    MessageBoxA(owner, error.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    return false;
}

int TfrmEditHotkey::ShowModal(HWND owner) {
    if (dlg_) {  // never a second one on top of the first
        SetForegroundWindow(dlg_);
        return 2;
    }
    if (!CheckDataFiles(owner)) return 2;
    modal_ = true;
    modalResult_ = 0;
    const DialogTemplate t = EditorTemplate();
    g_creating = this;
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, StaticProc, reinterpret_cast<LPARAM>(this));
    g_creating = nullptr;
    modal_ = false;
    if (dlg_) Destroyed();  // the loop ended without a WM_DESTROY reaching us
    return modalResult_ == 1 ? 1 : 2;
}

HWND TfrmEditHotkey::CreateModeless(HWND owner) {
    if (dlg_) return dlg_;
    if (!CheckDataFiles(owner)) return nullptr;
    modal_ = false;
    modalResult_ = 0;
    const DialogTemplate t = EditorTemplate();
    g_creating = this;
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, StaticProc,
                                         reinterpret_cast<LPARAM>(this));
    g_creating = nullptr;
    if (dlg) ShowWindow(dlg, SW_SHOW);
    return dlg;
}

void TfrmEditHotkey::Close() {
    if (dlg_) End(2);
}

void TfrmEditHotkey::End(int result) {
    modalResult_ = result;
    UnInstallHook();
    if (!dlg_) return;
    if (modal_)
        EndDialog(dlg_, result);
    else
        DestroyWindow(dlg_);
}

INT_PTR CALLBACK TfrmEditHotkey::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TfrmEditHotkey*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<TfrmEditHotkey*>(lp);
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        self->dlg_ = hwnd;
    }
    if (!self) {
        // Messages before WM_INITDIALOG (fonts, item sizes) come from the window being created.
        self = g_creating;
        if (!self) return FALSE;
        if (!self->dlg_) self->dlg_ = hwnd;
    }
    // What a destroyed dialog still receives is not the open one's business.
    if (self->dlg_ != hwnd) return FALSE;
    return self->Proc(msg, wp, lp);
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
            UnInstallHook();
        else
            InstallHook();
        return FALSE;
    case WM_ENDSESSION:
        // The session ends with the dialog open: the process may be gone before it closes.
        if (wp) UnInstallHook();
        return FALSE;
    case WM_DESTROY:
        Destroyed();
        return FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return TRUE;
    case WM_MEASUREITEM:
        MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
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
    g_active = this;
    loading_ = false;
    modified_ = false;
    focusedOnce_ = false;
    SetWindowContextHelpId(dlg_, kHelpContext);
    ApplyStyleToForm(dlg_);
    // The headers in the bold face of the dialog's font.
    LOGFONTA lf{};
    if (GetObjectA(DialogFont(dlg_), sizeof lf, &lf)) {
        lf.lfWeight = FW_BOLD;
        boldFont_ = CreateFontIndirectA(&lf);
        for (int header : {id::lblDescriptionHeader, id::lblHotkeyHeader, id::lblFunctionHeader})
            SendMessageA(Item(header), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    }
    // The laid-out positions of ebDocument, ebParameter and cbList are the three rows.
    const int rowControls[kRowCount] = {id::ebDocument, id::ebParameter, id::cbList};
    const int rowLabels[kRowCount] = {id::lblDocument, id::lblParameter, id::lblList};
    for (int r = 0; r < kRowCount; ++r) {
        rowTop_[r] = ClientRectOf(dlg_, Item(rowControls[r])).top;
        rowLabelTop_[r] = ClientRectOf(dlg_, Item(rowLabels[r])).top - rowTop_[r];
    }
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    for (int control : {id::ebKey, id::cbKey, id::cbModifier})
        SetWindowSubclass(Item(control), KeySubclass, static_cast<UINT_PTR>(control), reinterpret_cast<DWORD_PTR>(this));
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
    focusedOnce_ = true;
}

void TfrmEditHotkey::Destroyed() {
    UnInstallHook();
    if (boldFont_) DeleteObject(boldFont_);
    boldFont_ = nullptr;
    tips_ = nullptr;
    if (modalResult_ == 0) modalResult_ = 2;
    if (g_active == this) g_active = nullptr;
    dlg_ = nullptr;
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
    SetTip(Item(id::btnClear), Lang(editor::kTextClearHint, "Clear all fields"));
    SetTip(Item(id::btnSelect), Lang(editor::kTextSelectHint, "Pick a program, document or folder"));
    programs_.UpdateLanguage();
    if (loading_) return;
    loading_ = true;
    const int modifier = SelectedIndex(id::cbModifier), key = SelectedIndex(id::cbKey);
    const int category = SelectedIndex(id::cbCategory), function = SelectedIndex(id::cbFunction);
    FillModifiers();
    FillKeys();
    FillCategories();
    const int number = category >= 0 ? static_cast<int>(SendMessageA(Item(id::cbCategory), CB_GETITEMDATA, category, 0)) : 0;
    FillFunctions(number, number == 0);
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

void TfrmEditHotkey::FillModifiers() {
    HWND box = Item(id::cbModifier);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : catalogue_->ModifierList()) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void TfrmEditHotkey::FillKeys() {
    HWND box = Item(id::cbKey);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    SendMessageA(box, CB_INITSTORAGE, keyLines_.size(), keyLines_.size() * 16);
    for (const std::string& line : keyLines_) {
        const std::string_view codeText = Trim(Field(line, 1));
        const int code = ToNumber(codeText, 0);
        const std::string name(Trim(Field(line, 2)));
        LPARAM flags = 0;
        if (NumberField(line, 3) == 1) flags |= kGreyLine;
        if (!IsDigits(codeText) || code < 1) flags |= kNotChosen | kDrawNothing;
        if (name.empty() || name == kIllegalKeyName) flags |= kNotChosen;
        const std::string shown = (flags & kDrawNothing) ? std::string() : name;
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, flags);
    }
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
}

void TfrmEditHotkey::FillCategories() {
    HWND box = Item(id::cbCategory);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : catalogue_->CategoryList()) {
        const std::size_t semicolon = entry.rfind(';');
        const std::string name = entry.substr(0, semicolon);
        const int number = semicolon == std::string::npos ? 0 : ToNumber(std::string_view(entry).substr(semicolon + 1));
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, number);
    }
}

void TfrmEditHotkey::FillFunctions(int category, bool sorted) {
    auto lines = catalogue_->FunctionCatalogue(category);
    std::vector<std::string> list = std::move(lines.value);
    if (sorted) list = catalogue_->SortedByName(list);
    // A damaged line whose ID is no number can be neither shown nor stored.
    std::erase_if(list, [](const std::string& line) { return !IsDigits(Trim(Field(line, 1))); });
    functionLines_ = std::move(list);
    HWND box = Item(id::cbFunction);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < functionLines_.size(); ++i) {
        const std::string_view number = Trim(Field(functionLines_[i], 2));
        const int n = ToNumber(number, -1);
        std::string name;
        if (IsDigits(number) && kFunctionTextFirst + n <= kFunctionTextLast) name = UiText(kFunctionTextFirst + n);
        if (name.empty()) name = "(" + std::string(Trim(Field(functionLines_[i], 1))) + ")";
        const auto at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (at >= 0) SendMessageA(box, CB_SETITEMDATA, at, static_cast<LPARAM>(i));
    }
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

void TfrmEditHotkey::SetTip(HWND control, const std::string& text) {
    if (!tips_ || !control) return;
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = dlg_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = const_cast<char*>(text.c_str());
    if (!SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti)) ||
        !SendMessageA(tips_, TTM_GETTOOLCOUNT, 0, 0))
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

// ---- Reading the controls ------------------------------------------------------------

std::string TfrmEditHotkey::ItemText(int control) const { return WindowText(Item(control)); }

int TfrmEditHotkey::SelectedIndex(int control) const {
    return static_cast<int>(SendMessageA(Item(control), CB_GETCURSEL, 0, 0));
}

const std::string* TfrmEditHotkey::SelectedFunctionLine() const {
    const int sel = SelectedIndex(id::cbFunction);
    if (sel < 0) return nullptr;
    const auto index = static_cast<std::size_t>(SendMessageA(Item(id::cbFunction), CB_GETITEMDATA, sel, 0));
    return index < functionLines_.size() ? &functionLines_[index] : nullptr;
}

int TfrmEditHotkey::SelectedFunctionId() const {
    const std::string* line = SelectedFunctionLine();
    return line ? NumberField(*line, 1) : -1;
}

std::string TfrmEditHotkey::ParameterText() {
    editor::ParameterValues values;
    values.document = ItemText(id::ebDocument);
    values.listIndex = layout_.list.visible ? SelectedIndex(id::cbList) : -1;
    values.parameter = ItemText(id::ebParameter);
    return editor::CollectParameterText(layout_, SelectedFunctionId(), values);
}

editor::ListSources TfrmEditHotkey::Sources() {
    editor::ListSources s;
    s.text = LangFn();
    s.dirPlaySets = [key = hotkeysKey_] {
        if (key.empty()) return std::vector<std::string>{};
        return DirPlaySetNames(key, ReaderFrom(CallGetHotkey));
    };
    s.cdDrives = [] { return CDDriveList(); };
    s.profiles = [] { return ProfileList(UiText(238, "(default)")); };
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
    in.layout = layout_;
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
    if (code == 255) code = editor::KeyCodeFor(255, g_lastScan);
    HWND box = Item(id::cbKey);
    const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    if (code >= 255) {
        SetWindowTextA(Item(id::ebKey), editor::KeyHex(code).c_str());
        SendMessageA(box, CB_SETCURSEL, count - 1, 0);
        return true;
    }
    if (code < 1) return false;
    for (int i = 0; i < count && i < static_cast<int>(keyLines_.size()); ++i) {
        const std::string_view codeText = Trim(Field(keyLines_[static_cast<std::size_t>(i)], 1));
        if (!IsDigits(codeText) || ToNumber(codeText) != code) continue;
        if (SendMessageA(box, CB_GETITEMDATA, i, 0) & kNotChosen) return false;
        SetWindowTextA(Item(id::ebKey), editor::KeyHex(code).c_str());
        SendMessageA(box, CB_SETCURSEL, i, 0);
        return true;
    }
    return false;
}

void TfrmEditHotkey::SelectModifier(int modifier) {
    const int count = static_cast<int>(SendMessageA(Item(id::cbModifier), CB_GETCOUNT, 0, 0));
    SendMessageA(Item(id::cbModifier), CB_SETCURSEL, modifier >= 0 && modifier < count ? modifier : -1, 0);
}

void TfrmEditHotkey::SelectCategory(int category) {
    HWND box = Item(id::cbCategory);
    SetWindowContextHelpId(box, 2000 + category);
    const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i)
        if (static_cast<int>(SendMessageA(box, CB_GETITEMDATA, i, 0)) == category) found = i;
    SendMessageA(box, CB_SETCURSEL, found, 0);
    FillFunctions(category, category == 0);
}

void TfrmEditHotkey::SelectFunction(int functionId) {
    HWND box = Item(id::cbFunction);
    SetWindowContextHelpId(box, 1000 + functionId);
    if (SelectedFunctionId() != functionId || functionId < 0) {
        int found = -1;
        const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && found < 0; ++i) {
            const auto index = static_cast<std::size_t>(SendMessageA(box, CB_GETITEMDATA, i, 0));
            if (index < functionLines_.size() && NumberField(functionLines_[index], 1) == functionId) found = i;
        }
        SendMessageA(box, CB_SETCURSEL, found, 0);
    }
    ReloadParameterList(SelectedIndex(id::cbFunction));
}

// ---- Parameter rows --------------------------------------------------------------------

void TfrmEditHotkey::PlaceRow(int labelId, int controlId, int row, int) {
    const int r = std::clamp(row, 1, kRowCount) - 1;
    RECT c = ClientRectOf(dlg_, Item(controlId));
    RECT l = ClientRectOf(dlg_, Item(labelId));
    SetWindowPos(Item(controlId), nullptr, c.left, rowTop_[r], 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Item(labelId), nullptr, l.left, rowTop_[r] + rowLabelTop_[r], 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmEditHotkey::OrderParameterTabs() {
    struct Entry {
        int row, control;
    };
    std::vector<Entry> entries;
    if (layout_.document.visible) entries.push_back({layout_.document.row * 2, id::ebDocument});
    if (layout_.selectButton) entries.push_back({(layout_.document.visible ? layout_.document.row : 1) * 2 + 1, id::btnSelect});
    if (layout_.list.visible) entries.push_back({layout_.list.row * 2, id::cbList});
    if (layout_.parameter.visible) entries.push_back({layout_.parameter.row * 2, id::ebParameter});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.row < b.row; });
    HWND after = Item(id::cbFunction);
    for (const Entry& e : entries) {
        SetWindowPos(Item(e.control), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = Item(e.control);
    }
}

void TfrmEditHotkey::ReloadParameterList(int position) {
    const int remembered = SelectedIndex(id::cbList);
    for (int label : {id::lblParameter, id::lblDocument, id::lblList}) {
        ShowWindow(Item(label), SW_HIDE);
        SetWindowTextA(Item(label), "");
    }
    for (int control : {id::ebDocument, id::ebParameter, id::btnSelect, id::cbList}) ShowWindow(Item(control), SW_HIDE);
    SendMessageA(Item(id::cbList), CB_RESETCONTENT, 0, 0);
    SendMessageA(Item(id::cbList), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);

    std::string line;
    if (position >= 0) {
        const auto index = static_cast<std::size_t>(SendMessageA(Item(id::cbFunction), CB_GETITEMDATA, position, 0));
        if (index < functionLines_.size()) line = functionLines_[index];
    }
    layout_ = editor::LayoutFor(line, Sources());

    auto showText = [&](const editor::TextRow& row, int labelId, int fieldId) {
        if (!row.visible) return;
        SetWindowTextA(Item(labelId), row.label.c_str());
        PlaceRow(labelId, fieldId, row.row, 0);
        SendMessageA(Item(fieldId), EM_LIMITTEXT, row.maxLength > 0 ? row.maxLength : 0, 0);
        SetTip(Item(fieldId), row.label);
        ShowWindow(Item(labelId), SW_SHOW);
        ShowWindow(Item(fieldId), SW_SHOW);
    };
    showText(layout_.document, id::lblDocument, id::ebDocument);
    showText(layout_.parameter, id::lblParameter, id::ebParameter);
    if (layout_.selectButton) {
        RECT b = ClientRectOf(dlg_, Item(id::btnSelect));
        RECT e = ClientRectOf(dlg_, Item(id::ebDocument));
        const int top = layout_.document.visible ? e.top : rowTop_[0];
        SetWindowPos(Item(id::btnSelect), nullptr, b.left, top - 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Item(id::btnSelect), SW_SHOW);
    }
    if (layout_.list.visible) {
        HWND list = Item(id::cbList);
        for (const std::string& entry : layout_.list.entries)
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        const int count = static_cast<int>(layout_.list.entries.size());
        SendMessageA(list, CB_SETCURSEL, remembered >= 0 && remembered < count ? remembered : (count > 0 ? 0 : -1), 0);
        SetWindowTextA(Item(id::lblList), layout_.list.label.c_str());
        PlaceRow(id::lblList, id::cbList, layout_.list.row, 0);
        SetTip(list, layout_.list.label);
        ShowWindow(Item(id::lblList), SW_SHOW);
        ShowWindow(list, SW_SHOW);
    }
    OrderParameterTabs();
}

void TfrmEditHotkey::SpreadParameters(const std::string& stored) {
    const editor::ParameterValues values = editor::SpreadParameterText(layout_, SelectedFunctionId(), stored);
    if (layout_.document.visible) SetWindowTextA(Item(id::ebDocument), values.document.c_str());
    if (layout_.list.visible) SendMessageA(Item(id::cbList), CB_SETCURSEL, values.listIndex, 0);
    if (layout_.parameter.visible) SetWindowTextA(Item(id::ebParameter), values.parameter.c_str());
}

// ---- Data -------------------------------------------------------------------------------

void TfrmEditHotkey::ClearData() {
    if (!dlg_) return;
    SetWindowTextA(Item(id::ebDescription), "");
    SelectModifier(8);
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
    int category = -1;
    if (auto all = catalogue_->FunctionCatalogue(0); all.ok())
        for (const std::string& line : all.value)
            if (IsDigits(Trim(Field(line, 1))) && NumberField(line, 1) == preset->functionId) {
                category = NumberField(line, 3);
                break;
            }
    SelectCategory(category);
    SelectFunction(preset->functionId);
    // The text goes into the function's first text field; its list keeps the entry the
    // layout chose (the start mode of a typed text).
    SetWindowTextA(Item(layout_.document.visible ? id::ebDocument : id::ebParameter), preset->parameter.c_str());
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
    const bool damaged = !found && !hotkeysKey_.empty() &&
        !registry::ListNames(HotkeySubkeyPath(hotkeysKey_, hotkeyId), registry::Names::Values).empty();
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
    int category = -1;
    if (auto all = catalogue_->FunctionCatalogue(0); all.ok()) {
        for (const std::string& line : all.value) {
            if (IsDigits(Trim(Field(line, 1))) && NumberField(line, 1) == function) {
                category = NumberField(line, 3);
                break;
            }
        }
    }
    SelectCategory(category);
    SelectFunction(function);
    SpreadParameters(parameter.data());
    programs_.Load(ReadHotkeyPrograms(hotkeysKey_, hotkeyId));
    modified_ = damaged;
}

bool TfrmEditHotkey::SaveData() {
    SettingsBlock* b = Block();
    if (!b || !dlg_) return false;
    const std::string description(Trim(ItemText(id::ebDescription)));
    const int function = SelectedFunctionId();
    const std::string parameter = ParameterText();
    if (function == 99) {  // the counter starts again
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
        MessageBoxA(dlg_, "The programs of the hotkey could not be stored.", MessageCaption().c_str(), MB_OK | MB_ICONERROR);
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
        End(2);
        return;
    }
    const SettingsBlock* b = Block();
    if (!AcceptTakenCombination(dlg_, editor::ParseKeyHex(ItemText(id::ebKey)), SelectedIndex(id::cbModifier),
                                b && b->SimpleMode) ||
        !dlg_)
        return;
    if (SaveData()) End(1);
}

void TfrmEditHotkey::btnSelectClick() {
    if (loading_ || !dlg_) return;
    TfrmSelect select;
    if (select.ShowModal(dlg_) != 1 || !dlg_) return;
    const auto [document, parameter] = editor::SplitSelection(select.selected());
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
        if (code == BN_CLICKED) End(2);
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
    if (code != CBN_SELCHANGE || loading_) return;
    switch (control) {
    case id::cbModifier:
    case id::cbList:
        modified_ = true;
        break;
    case id::cbKey: {
        const int sel = SelectedIndex(id::cbKey);
        const LPARAM flags = sel >= 0 ? SendMessageA(Item(id::cbKey), CB_GETITEMDATA, sel, 0) : kNotChosen;
        const int code = sel >= 0 && sel < static_cast<int>(keyLines_.size())
                             ? NumberField(keyLines_[static_cast<std::size_t>(sel)], 1)
                             : 0;
        if ((flags & kNotChosen) || !SelectKey(code)) {
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
        SelectCategory(static_cast<int>(SendMessageA(Item(id::cbCategory), CB_GETITEMDATA, sel, 0)));
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

// ---- Owner-drawn lists --------------------------------------------------------------------

void TfrmEditHotkey::MeasureItem(MEASUREITEMSTRUCT& m) {
    const WindowDC dc(dlg_);
    const SelectedObject selected(dc.get(), DialogFont(dlg_));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    m.itemHeight = static_cast<UINT>(tm.tmHeight + 4);
}

void TfrmEditHotkey::DrawItem(const DRAWITEMSTRUCT& d) {
    if (d.CtlType != ODT_COMBOBOX) return;
    HDC dc = d.hDC;
    RECT r = d.rcItem;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    LPARAM flags = 0;
    std::string text;
    if (d.itemID != static_cast<UINT>(-1)) {
        const auto length = SendMessageA(d.hwndItem, CB_GETLBTEXTLEN, d.itemID, 0);
        if (length > 0) {
            text.assign(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(d.hwndItem, CB_GETLBTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
        }
        if (static_cast<int>(d.CtlID) == id::cbKey) flags = static_cast<LPARAM>(d.itemData);
    }
    COLORREF back = GetSysColor(COLOR_WINDOW), fore = GetSysColor(COLOR_WINDOWTEXT);
    if (flags & kGreyLine) {
        back = kGrey;
        fore = RGB(255, 255, 255);
    }
    if (flags & kNotChosen) fore = GetSysColor(COLOR_GRAYTEXT);
    if (selected) {
        back = GetSysColor(COLOR_HIGHLIGHT);
        fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    FillRect(dc, &r, UniqueBrush(CreateSolidBrush(back)).get());
    if (!(flags & kDrawNothing) && !text.empty()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fore);
        RECT t = r;
        t.left += 3;
        t.right -= 2;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
}

// ---- Key capture -----------------------------------------------------------------------------

bool TfrmEditHotkey::KeyPressedIn(HWND control, UINT msg, WPARAM vk) {
    const bool isList = control == Item(id::cbKey);
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    const bool up = msg == WM_KEYUP || msg == WM_SYSKEYUP;
    const bool character = msg == WM_CHAR || msg == WM_SYSCHAR || msg == WM_DEADCHAR || msg == WM_SYSDEADCHAR;
    if (!down && !up && !character) return false;
    if (isList && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0)) return false;  // the open list works as usual
    if (character) return true;
    // The dialog keys stay the dialog's: Tab moves on, Enter is OK, Escape is Cancel; the
    // key list also opens with F4 and Alt+Up/Down. Those keys are chosen from the list.
    const bool dialogKey = vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE;
    const bool opensList = isList && (vk == VK_F4 || (msg == WM_SYSKEYDOWN && (vk == VK_UP || vk == VK_DOWN)));
    if ((dialogKey && !(HeldModifiers() & ~4)) || opensList) return false;
    if (up) return true;
    if (!SelectKey(static_cast<int>(vk))) return true;
    // A combination pressed in the key field also chooses its modifier set.
    if (!isList && !IsModifierVk(vk)) {
        const int held = HeldModifiers();
        if (held != 0) SelectModifier(held);
    }
    modified_ = true;
    DropPendingCharacters(control);
    return true;
}

bool TfrmEditHotkey::ModifierKeyPressed(UINT msg, WPARAM vk) {
    const int modifier = editor::ModifierForKey(static_cast<int>(vk));
    if (modifier < 0 || modifier == 8) return false;  // the Windows keys come through the hook
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        SelectModifier(modifier);
        modified_ = true;
        return true;
    }
    // Alt released alone would enter the system menu.
    return msg == WM_KEYUP || msg == WM_SYSKEYUP;
}

LRESULT CALLBACK TfrmEditHotkey::KeySubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR which,
                                             DWORD_PTR ref) {
    auto* self = reinterpret_cast<TfrmEditHotkey*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, KeySubclass, which);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (static_cast<int>(which) == id::ebKey && msg == WM_GETDLGCODE) {
        const LRESULT code = DefSubclassProc(hwnd, msg, wp, lp);
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && (m->wParam == VK_TAB || m->wParam == VK_RETURN || m->wParam == VK_ESCAPE) &&
            !(HeldModifiers() & ~4))
            return code;
        return code | DLGC_WANTALLKEYS;
    }
    if (self->dlg_) {
        if (static_cast<int>(which) == id::cbModifier) {
            if (self->ModifierKeyPressed(msg, wp)) return 0;
        } else if (self->KeyPressedIn(hwnd, msg, wp)) {
            return 0;
        }
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void TfrmEditHotkey::OnWindowsKey(bool down) {
    const bool pressed = down && !g_winDown;
    g_winDown = down;
    if (pressed && dlg_ && GetFocus() == Item(id::cbModifier)) {
        SelectModifier(8);
        modified_ = true;
    }
}

bool TfrmEditHotkey::InstallHook() {
    SettingsBlock* b = Block();
    if (!g_hookInstalled) {
        if (b && !winKeySaved_) {
            savedWinKey_ = b->WinKeyEnabled != 0;
            winKeySaved_ = true;
            b->WinKeyEnabled = kFalse;  // the system-wide hook leaves the Windows keys alone
        }
        g_winDown = false;
        g_hook = SetWindowsHookExA(WH_KEYBOARD, EditKbdHookProc, nullptr, GetCurrentThreadId());
        g_hookInstalled = g_hook != nullptr;
    }
    if (b) b->HotkeysSuspended = kTrue;  // no hotkey fires while a key is captured
    return g_hookInstalled;
}

bool TfrmEditHotkey::UnInstallHook() {
    SettingsBlock* b = Block();
    // Put back what InstallHook changed, also when the hook itself could not be set.
    if (winKeySaved_) {
        if (b) b->WinKeyEnabled = savedWinKey_ ? kTrue : kFalse;
        winKeySaved_ = false;
    }
    if (g_hookInstalled) {
        g_hookInstalled = !UnhookWindowsHookEx(g_hook);
        if (!g_hookInstalled) g_hook = nullptr;
    }
    g_winDown = false;
    if (b) b->HotkeysSuspended = kFalse;
    return !g_hookInstalled;
}

}  // namespace kl

extern "C" LRESULT CALLBACK EditKbdHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        if (wParam == 255) {
            kl::g_lastScan = static_cast<int>((lParam >> 16) & 0xFF);
        } else if (wParam == VK_LWIN || wParam == VK_RWIN) {
            // Swallowed: neither the Start menu nor the system-wide hook sees it.
            if (code == HC_ACTION) {
                const bool down = (static_cast<DWORD>(lParam) & 0x80000000u) == 0;
                if (kl::TfrmEditHotkey* editor = kl::TfrmEditHotkey::Active()) editor->OnWindowsKey(down);
            }
            return 1;
        }
    }
    return CallNextHookEx(kl::g_hook, code, wParam, lParam);
}
