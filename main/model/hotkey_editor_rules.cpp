#include "model/hotkey_editor_rules.h"

#include <algorithm>
#include <cstdio>

#include "model/key_names.h"
#include "model/parameter_slots.h"
#include "model/text_fields.h"

namespace kl::editor {
namespace {

// Language texts of the fixed lists a parameter offers.
constexpr int kTrueText = 7, kFalseText = 8;
constexpr int kShowStateFirst = 265, kShowStateLast = 267;
constexpr int kPlayModeFirst = 331, kPlayModeLast = 335;
constexpr char kActiveSet[] = "Active";
// A damaged descriptor ("1:0,100000") must not fill the list with every text of the file.
constexpr int kMaxTextListEntries = 64;

std::string Text(const LanguageText& text, int number) { return text ? text(number) : std::string(); }

void AddTexts(std::vector<std::string>& entries, const LanguageText& text, int first, int last) {
    for (int n = first; n <= last && n - first < kMaxTextListEntries; ++n) entries.push_back(Text(text, n));
}

void AddOnce(std::vector<std::string>& entries, const std::string& entry) {
    if (std::find(entries.begin(), entries.end(), entry) == entries.end()) entries.push_back(entry);
}

std::vector<std::string> FromSource(const std::function<std::vector<std::string>()>& source) {
    return source ? source() : std::vector<std::string>{};
}

bool IsBlank(unsigned char c) { return c <= ' '; }

// The value of a text field as stored: leading blanks removed, trailing ones kept.
std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    return text;
}

bool IsEmptyAfterTrim(std::string_view text) { return Trim(text).empty(); }

std::string Limited(const std::string& label, int max) {
    return WithoutMnemonics(label) + ": at most " + std::to_string(max) + " characters.";
}

// The store keeps the first 255 characters of a parameter text. What lies beyond them
// is only the separators and a list position that reads the same without them; any
// value that the cut would change or lose makes the text too long.
bool KeptWhole(const EditorInput& in) {
    if (in.parameterText.size() <= static_cast<std::size_t>(kParameterTextMax)) return true;
    const ParameterValues whole = SpreadParameterText(in.layout, in.functionId, in.parameterText);
    const ParameterValues kept = SpreadParameterText(
        in.layout, in.functionId, std::string_view(in.parameterText).substr(0, kParameterTextMax));
    return whole.document == kept.document && whole.listIndex == kept.listIndex && whole.parameter == kept.parameter;
}

}  // namespace

bool StoresListPosition(int functionId) {
    static constexpr int kIds[] = {4, 16, 17, 49, 50, 52, 100, 101, 160, 164, 199, 208, 216};
    return std::find(std::begin(kIds), std::end(kIds), functionId) != std::end(kIds);
}

ParameterLayout LayoutFor(std::string_view catalogueLine, const ListSources& sources) {
    ParameterLayout out;
    if (Trim(catalogueLine).empty()) return out;
    const std::vector<ParameterSlot> slots = ParameterSlots(catalogueLine);
    int s = 0;
    for (const ParameterSlot& slot : slots) {
        if (++s > kRowCount) break;
        const std::string label = Text(sources.text, kParameterTextFirst + slot.label);
        if (IsTextKind(slot.kind)) {
            if (slot.kind == kKindPath) out.selectButton = true;
            int max = slot.arguments.empty() ? 0 : slot.arguments.front();
            if (max < 0) max = 0;
            // The first text slot takes ebDocument; once its label has a caption the
            // others take ebParameter.
            const bool toDocument = out.document.label.empty();
            TextRow& row = toDocument ? out.document : out.parameter;
            row.visible = true;
            row.row = s;
            row.label = label;
            row.maxLength = max;
            row.required = !toDocument && slot.kind == kKindRequiredText;
            continue;
        }
        if (!IsListKind(slot.kind)) continue;
        std::vector<std::string>& entries = out.list.entries;
        switch (slot.kind) {
        case kKindTextList: {
            const int first = slot.arguments.size() > 0 ? slot.arguments[0] : 0;
            const int last = slot.arguments.size() > 1 ? slot.arguments[1] : 0;
            if (first >= 0) AddTexts(entries, sources.text, kParameterTextFirst + first, kParameterTextFirst + last);
            break;
        }
        case kKindYesNo:
            entries.push_back(Text(sources.text, kTrueText));
            entries.push_back(Text(sources.text, kFalseText));
            break;
        case kKindShowState: AddTexts(entries, sources.text, kShowStateFirst, kShowStateLast); break;
        case kKindDirPlaySet:
            AddOnce(entries, kActiveSet);
            for (const std::string& set : FromSource(sources.dirPlaySets)) AddOnce(entries, set);
            break;
        case kKindCDDrive:
            for (const std::string& drive : FromSource(sources.cdDrives)) entries.push_back(drive);
            break;
        case kKindPlayMode: AddTexts(entries, sources.text, kPlayModeFirst, kPlayModeLast); break;
        case kKindProfile:
            for (const std::string& profile : FromSource(sources.profiles)) entries.push_back(profile);
            break;
        default: break;
        }
        out.list.visible = true;
        out.list.row = s;
        out.list.label = label;
    }
    return out;
}

std::string CollectParameterText(const ParameterLayout& layout, int functionId, const ParameterValues& values) {
    std::string text;
    if (layout.document.visible) {
        text += TrimLeft(values.document);
        text += kFieldSeparator;
    }
    if (layout.list.visible) {
        if (StoresListPosition(functionId))
            text += std::to_string(values.listIndex);
        else if (values.listIndex >= 0 && values.listIndex < static_cast<int>(layout.list.entries.size()))
            text += layout.list.entries[static_cast<std::size_t>(values.listIndex)];
        text += kFieldSeparator;
    }
    if (layout.parameter.visible) {
        text += TrimLeft(values.parameter);
        text += kFieldSeparator;
    }
    return text;
}

ParameterValues SpreadParameterText(const ParameterLayout& layout, int functionId, std::string_view stored) {
    ParameterValues values;
    const std::vector<std::string_view> fields = SplitFields(stored, kFieldSeparator);
    std::size_t next = 0;
    auto take = [&]() -> std::string_view { return next < fields.size() ? fields[next++] : std::string_view(); };
    if (layout.document.visible) values.document = std::string(take());
    if (layout.list.visible) {
        const std::string_view field = take();
        const auto& entries = layout.list.entries;
        if (StoresListPosition(functionId)) {
            // An empty or missing position is the first entry, as the function reads it.
            const int position = Trim(field).empty() ? 0 : ToNumber(field, -1);
            if (position >= 0 && position < static_cast<int>(entries.size())) values.listIndex = position;
        } else {
            const auto at = std::find(entries.begin(), entries.end(), field);
            if (at != entries.end()) values.listIndex = static_cast<int>(at - entries.begin());
        }
    }
    if (layout.parameter.visible) values.parameter = std::string(take());
    return values;
}

int KeyCodeFor(int virtualKey, int lastScanCode) {
    if (virtualKey == 255) return 256 + (lastScanCode & 0xFF);
    return virtualKey;
}

std::string KeyHex(int code) {
    if (code <= 0) return {};
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(code));
    return hex;
}

int ParseKeyHex(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 7) return 0;
    int value = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return 0;
        value = value * 16 + digit;
    }
    return value;
}

int ModifierForKey(int virtualKey) {
    switch (virtualKey) {
    case 16: case 160: case 161: return 4;  // Shift
    case 17: case 162: case 163: return 2;  // Ctrl
    case 18: case 164: case 165: return 1;  // Alt
    case 91: case 92: return 8;             // the Windows keys
    default: return -1;
    }
}

std::string WithoutMnemonics(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

Verdict Validate(const EditorInput& in, const LanguageText& text) {
    Verdict v;
    auto fail = [&](const std::string& line) {
        v.ok = false;
        v.message += line + "\r\n";
    };
    const std::string mustBeFilled = " " + Text(text, kTextMustBeFilled);
    if (IsEmptyAfterTrim(in.description)) fail(WithoutMnemonics(in.lblDescription) + mustBeFilled);
    if (in.modifier < 0) fail(WithoutMnemonics(in.lblModifier) + mustBeFilled);
    if (in.keyCode <= 0 || in.keyLine < 0) fail(WithoutMnemonics(in.lblKey) + mustBeFilled);
    if (in.functionId < 0) fail(WithoutMnemonics(in.lblFunction) + mustBeFilled);
    if (in.layout.document.visible && IsEmptyAfterTrim(in.document))
        fail(WithoutMnemonics(in.layout.document.label) + mustBeFilled);
    if (in.layout.parameter.visible && in.layout.parameter.required && IsEmptyAfterTrim(in.parameter))
        fail(WithoutMnemonics(in.layout.parameter.label) + mustBeFilled);
    if (in.existingId >= 1 && in.existingId != in.ownId) fail(Text(text, kTextComboUsed));
    if (in.modifier == 8) {
        const int low = in.keyCode & 0xFF;
        const bool inUse = (low == 'D' && in.winD) || (low == 'E' && in.winE) || (low == 'F' && in.winF) ||
                           (low == 'M' && in.winM) || (low == 'R' && in.winR);
        if (inUse) fail(Text(text, kTextWindowsCombo));
    }
    // What the store would cut or the dispatcher would split wrongly is refused here.
    if (static_cast<int>(in.description.size()) > kDescriptionMax)
        fail(Limited(in.lblDescription, kDescriptionMax));
    for (const auto* field : {&in.layout.document, &in.layout.parameter}) {
        if (!field->visible) continue;
        const std::string& value = field == &in.layout.document ? in.document : in.parameter;
        const std::size_t length = TrimLeft(value).size();
        if (field->maxLength > 0 && static_cast<int>(length) > field->maxLength)
            fail(Limited(field->label, field->maxLength));
        if (value.find(kFieldSeparator) != std::string::npos)
            fail(WithoutMnemonics(field->label) + ": the character \xFF (255) cannot be used.");
    }
    if (!KeptWhole(in))
        fail("The parameters together are longer than " + std::to_string(kParameterTextMax) + " characters.");
    if (v.ok && in.modifier == 0 && in.keyLine != 255 && in.defaultProfile) v.askNoModifier = true;
    return v;
}

std::string NoModifierRefused(const LanguageText& text) { return Text(text, kTextChooseModifier) + "\r\n"; }

std::string NoModifierQuestion(const LanguageText& text) {
    return Text(text, kTextNoModifier1) + "\r\n" + Text(text, kTextNoModifier2) + "\r\n\r\n" +
           Text(text, kTextNoModifier3);
}

std::string CannotSaveMessage(const Verdict& verdict, const LanguageText& text) {
    return Text(text, kTextCannotSave) + "\r\n\r\n" + verdict.message;
}

std::string ConvertedMacroDescription(std::string_view caption, std::string_view text) {
    const std::size_t max = kDescriptionMax;
    std::string description = std::string(caption) + " (";
    if (description.size() + text.size() + 1 <= max) return description + std::string(text) + ")";
    constexpr std::string_view kCut = "...)";
    if (description.size() + kCut.size() + 1 > max) return (std::string(caption) + " (" + std::string(text)).substr(0, max);
    return description + std::string(text.substr(0, max - description.size() - kCut.size())) + std::string(kCut);
}

std::pair<std::string, std::string> SplitSelection(std::string_view selected) {
    if (!selected.empty() && selected.front() == '"') selected.remove_prefix(1);
    if (!selected.empty() && selected.back() == '"') selected.remove_suffix(1);
    selected = Trim(selected);
    const std::size_t at = selected.find(kFieldSeparator);
    if (at == std::string_view::npos) return {std::string(selected), std::string()};
    return {std::string(selected.substr(0, at)), std::string(selected.substr(at + 1))};
}

bool RestartsCounter(int functionId) { return functionId == kCounterFunction; }

KeyLineLook LookOfKeyLine(std::string_view line) {
    KeyLineLook look;
    const std::string_view codeText = Trim(Field(line, 1));
    const int code = ToNumber(codeText, 0);
    const std::string name(Trim(Field(line, 2)));
    look.grey = NumberField(line, 3) == 1;
    look.drawnEmpty = !IsDigits(codeText) || code < 1;
    look.code = look.drawnEmpty ? 0 : code;
    look.choosable = !look.drawnEmpty && !name.empty() && name != kIllegalKeyName;
    if (!look.drawnEmpty) look.name = name;
    return look;
}

int KeyLineOf(const std::vector<std::string>& lines, int code) {
    if (code < 1) return -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view codeText = Trim(Field(lines[i], 1));
        if (IsDigits(codeText) && ToNumber(codeText) == code) return static_cast<int>(i);
    }
    return -1;
}

CategoryEntry ParseCategoryEntry(std::string_view entry) {
    const std::size_t semicolon = entry.rfind(';');
    CategoryEntry out;
    out.name = std::string(entry.substr(0, semicolon));
    out.number = semicolon == std::string_view::npos ? 0 : ToNumber(entry.substr(semicolon + 1));
    return out;
}

std::vector<std::string> ChoosableFunctionLines(std::vector<std::string> lines) {
    std::erase_if(lines, [](const std::string& line) { return !IsDigits(Trim(Field(line, 1))); });
    return lines;
}

std::string FunctionListName(std::string_view line, const LanguageText& text) {
    const std::string_view number = Trim(Field(line, 2));
    const int n = ToNumber(number, -1);
    std::string name;
    if (IsDigits(number) && n >= 0 && kFunctionTextFirst + n <= kFunctionTextLast) name = Text(text, kFunctionTextFirst + n);
    if (name.empty()) name = "(" + std::string(Trim(Field(line, 1))) + ")";
    return name;
}

}  // namespace kl::editor
