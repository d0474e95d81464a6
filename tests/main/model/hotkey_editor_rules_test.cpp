// The hotkey editor's rules without its window: parameter rows from catalogue lines,
// the parameter text joined and spread, key codes and the validation rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/hotkey_editor_rules.h"

using namespace kl;
using namespace kl::editor;

namespace {

std::string FakeText(int n) { return "T" + std::to_string(n); }

ListSources Sources() {
    ListSources s;
    s.text = FakeText;
    s.dirPlaySets = [] { return std::vector<std::string>{"Jazz", "Active", "Rock", "Jazz"}; };
    s.cdDrives = [] { return std::vector<std::string>{"D:\\"}; };
    s.profiles = [] { return std::vector<std::string>{"(default)", "Work"}; };
    return s;
}

constexpr char kFF = '\xFF';
std::string Fields(std::initializer_list<const char*> fields) {
    std::string text;
    for (const char* f : fields) text += std::string(f) + kFF;
    return text;
}

}  // namespace

TEST(EditorRules, FunctionWithoutSlotsShowsNothingAndStoresAnEmptyText) {
    const ParameterLayout layout = LayoutFor("1;0;1;0", Sources());
    EXPECT_FALSE(layout.document.visible);
    EXPECT_FALSE(layout.parameter.visible);
    EXPECT_FALSE(layout.list.visible);
    EXPECT_FALSE(layout.selectButton);
    EXPECT_EQ(CollectParameterText(layout, 1, {"ignored", 0, "ignored"}), "");
    EXPECT_FALSE(LayoutFor("", Sources()).document.visible);
}

TEST(EditorRules, PathThenTextUsesDocumentRowOneAndParameterRowTwo) {
    const ParameterLayout layout = LayoutFor("50;1;1;2;0:4,255;2:0,100", Sources());
    ASSERT_TRUE(layout.document.visible);
    EXPECT_EQ(layout.document.row, 1);
    EXPECT_EQ(layout.document.label, "T461");
    EXPECT_EQ(layout.document.maxLength, 255);
    EXPECT_TRUE(layout.selectButton);
    ASSERT_TRUE(layout.parameter.visible);
    EXPECT_EQ(layout.parameter.row, 2);
    EXPECT_EQ(layout.parameter.label, "T463");
    EXPECT_EQ(layout.parameter.maxLength, 100);
    EXPECT_FALSE(layout.parameter.required);
    EXPECT_TRUE(LayoutFor("50;1;1;2;0:4,255;2:9,100", Sources()).parameter.required);
}

TEST(EditorRules, TwoListSlotsShareTheListAndTheSecondLabelWins) {
    const ParameterLayout layout = LayoutFor("60;1;1;2;1:3;4:2", Sources());
    ASSERT_TRUE(layout.list.visible);
    EXPECT_EQ(layout.list.entries, (std::vector<std::string>{"T265", "T266", "T267", "T7", "T8"}));
    EXPECT_EQ(layout.list.label, "T465");
    EXPECT_EQ(layout.list.row, 2);
}

TEST(EditorRules, ListKindsOfferTheirEntries) {
    EXPECT_EQ(LayoutFor("1;0;1;1;7:1,19,20", Sources()).list.entries, (std::vector<std::string>{"T480", "T481"}));
    EXPECT_EQ(LayoutFor("1;0;1;1;17:7", Sources()).list.entries.size(), 5u);
    EXPECT_EQ(LayoutFor("1;0;1;1;21:6", Sources()).list.entries, (std::vector<std::string>{"D:\\"}));
    EXPECT_EQ(LayoutFor("1;0;1;1;3:8", Sources()).list.entries, (std::vector<std::string>{"(default)", "Work"}));
    // Kind 5: "Active" once, then each set name once.
    EXPECT_EQ(LayoutFor("1;0;1;1;16:5", Sources()).list.entries,
              (std::vector<std::string>{"Active", "Jazz", "Rock"}));
    // A damaged descriptor gives a bounded list, an unknown kind no control.
    EXPECT_LE(LayoutFor("1;0;1;1;1:1,0,100000", Sources()).list.entries.size(), 64u);
    const ParameterLayout unknown = LayoutFor("1;0;1;1;1:42", Sources());
    EXPECT_FALSE(unknown.list.visible || unknown.document.visible || unknown.parameter.visible);
}

TEST(EditorRules, MissingDescriptorsGiveFewerControlsAndAtMostThreeRows) {
    const ParameterLayout fewer = LayoutFor("16;4;2;3;0:4,255", Sources());
    EXPECT_TRUE(fewer.document.visible);
    EXPECT_FALSE(fewer.list.visible);
    EXPECT_FALSE(fewer.parameter.visible);
    const ParameterLayout many = LayoutFor("16;4;2;9;0:0;1:0;2:0;3:0;4:0", Sources());
    EXPECT_EQ(many.parameter.row, 3);  // the fourth slot is never read
    EXPECT_EQ(many.parameter.label, "T463");
}

TEST(EditorRules, ParameterTextOrderAndListValues) {
    // Function 16: program (kind 4), window state (list, stored by position), arguments.
    const ParameterLayout run = LayoutFor("16;4;2;3;0:4,255;1:3;2:0,255", Sources());
    EXPECT_EQ(CollectParameterText(run, 16, {"  notepad.exe ", 2, " a b  "}), Fields({"notepad.exe ", "2", "a b  "}));
    // Function 160 also stores a position; function 209 the entry's text.
    const ParameterLayout typing = LayoutFor("160;52;8;2;13:9,255;7:1,19,20", Sources());
    EXPECT_EQ(CollectParameterText(typing, 160, {"hi", 1, ""}), Fields({"hi", "1"}));
    const ParameterLayout set = LayoutFor("209;77;14;1;16:5", Sources());
    EXPECT_EQ(CollectParameterText(set, 209, {"", 2, ""}), Fields({"Rock"}));
    EXPECT_EQ(CollectParameterText(set, 209, {"", -1, ""}), Fields({""}));
    // Function 4 stores the profile's position.
    const ParameterLayout profile = LayoutFor("4;3;1;1;3:8", Sources());
    EXPECT_EQ(CollectParameterText(profile, 4, {"", 1, ""}), Fields({"1"}));
}

TEST(EditorRules, SpreadingIsTheReverseOfCollecting) {
    const ParameterLayout run = LayoutFor("16;4;2;3;0:4,255;1:3;2:0,255", Sources());
    const ParameterValues v = SpreadParameterText(run, 16, Fields({"notepad.exe", "1", "-x"}));
    EXPECT_EQ(v.document, "notepad.exe");
    EXPECT_EQ(v.listIndex, 1);
    EXPECT_EQ(v.parameter, "-x");
    EXPECT_EQ(CollectParameterText(run, 16, v), Fields({"notepad.exe", "1", "-x"}));
    // A list value that matches nothing leaves the list without a selection.
    const ParameterLayout set = LayoutFor("209;77;14;1;16:5", Sources());
    EXPECT_EQ(SpreadParameterText(set, 209, Fields({"Blues"})).listIndex, -1);
    EXPECT_EQ(SpreadParameterText(set, 209, Fields({"Jazz"})).listIndex, 1);
    EXPECT_EQ(SpreadParameterText(run, 16, Fields({"x", "7", ""})).listIndex, -1);
    // Missing fields are empty; a missing position is the first entry, as the function reads it.
    EXPECT_EQ(SpreadParameterText(run, 16, "only").parameter, "");
    EXPECT_EQ(SpreadParameterText(run, 16, "only").listIndex, 0);
}

TEST(EditorRules, AConvertedMacrosDescriptionFitsTheEditor) {
    EXPECT_EQ(ConvertedMacroDescription("Typed macro", "<CR>"), "Typed macro (<CR>)");
    EXPECT_EQ(ConvertedMacroDescription("Typed macro", "abcdefghijk"), "Typed macro (abcdefghijk)");  // 25
    EXPECT_EQ(ConvertedMacroDescription("Typed macro", "<SHIFT+a><CR>"), "Typed macro (<SHIFT+a...)");
    EXPECT_EQ(ConvertedMacroDescription("Typed macro", std::string(255, 'x')).size(), 25u);
    EXPECT_EQ(ConvertedMacroDescription("A caption of thirty letters", "x"), "A caption of thirty lette");
}

TEST(EditorRules, KeyCodes) {
    EXPECT_EQ(KeyCodeFor(255, 0x5F), 0x15F);
    EXPECT_EQ(KeyHex(KeyCodeFor(255, 0x5F)), "15F");
    EXPECT_EQ(KeyCodeFor('K', 0x5F), 'K');
    EXPECT_EQ(ParseKeyHex("15F"), 0x15F);
    EXPECT_EQ(ParseKeyHex("4b"), 0x4B);
    EXPECT_EQ(ParseKeyHex(""), 0);
    EXPECT_EQ(ParseKeyHex("zz"), 0);
    EXPECT_EQ(KeyHex(0), "");
    EXPECT_EQ(ModifierForKey(VK_SHIFT), 4);
    EXPECT_EQ(ModifierForKey(VK_CONTROL), 2);
    EXPECT_EQ(ModifierForKey(VK_MENU), 1);
    EXPECT_EQ(ModifierForKey(VK_LWIN), 8);
    EXPECT_EQ(ModifierForKey('A'), -1);
}

namespace {

EditorInput Complete() {
    EditorInput in;
    in.ownId = 3;
    in.description = "Close";
    in.modifier = 2;
    in.keyCode = 'Q';
    in.keyLine = 'Q';
    in.functionId = 32;
    in.lblDescription = "&Description";
    in.lblModifier = "&Modifier";
    in.lblKey = "&Key";
    in.lblFunction = "&Function";
    return in;
}

}  // namespace

TEST(EditorRules, EmptyFieldsAreCollectedInOneMessage) {
    EditorInput in = Complete();
    EXPECT_TRUE(Validate(in, FakeText).ok);
    in.description = "   ";
    in.modifier = -1;
    in.keyLine = -1;
    in.functionId = -1;
    const Verdict v = Validate(in, FakeText);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.message, "Description T178\r\nModifier T178\r\nKey T178\r\nFunction T178\r\n");
    EXPECT_EQ(CannotSaveMessage(v, FakeText), "T177\r\n\r\n" + v.message);
}

TEST(EditorRules, VisibleEmptyParameterFieldsAreRefused) {
    EditorInput in = Complete();
    in.layout = LayoutFor("50;1;1;2;0:4,255;2:9,100", Sources());
    in.document = " ";
    in.parameter = "";
    EXPECT_EQ(Validate(in, FakeText).message, "T461 T178\r\nT463 T178\r\n");
    in.layout.parameter.required = false;
    EXPECT_EQ(Validate(in, FakeText).message, "T461 T178\r\n");
}

TEST(EditorRules, AnotherHotkeysCombinationIsRefusedButTheOwnOneIsNot) {
    EditorInput in = Complete();
    in.existingId = 3;
    EXPECT_TRUE(Validate(in, FakeText).ok);
    in.existingId = 4;
    EXPECT_EQ(Validate(in, FakeText).message, "T179\r\n");
    in.existingId = -1;
    EXPECT_TRUE(Validate(in, FakeText).ok);
}

TEST(EditorRules, WindowsDefaultCombinationInUseIsRefused) {
    EditorInput in = Complete();
    in.modifier = 8;
    in.keyCode = in.keyLine = 'E';
    in.winE = true;
    EXPECT_EQ(Validate(in, FakeText).message, "T180\r\n");
    in.winE = false;
    EXPECT_TRUE(Validate(in, FakeText).ok);
    // U and V are not checked; D, F, M and R are.
    in.winD = in.winF = in.winM = in.winR = true;
    for (const int key : {'D', 'F', 'M', 'R'}) {
        in.keyCode = in.keyLine = key;
        EXPECT_FALSE(Validate(in, FakeText).ok) << key;
    }
    in.keyCode = in.keyLine = 'U';
    EXPECT_TRUE(Validate(in, FakeText).ok);
    in.modifier = 10;  // Win+Ctrl: not the Windows default
    in.keyCode = in.keyLine = 'D';
    EXPECT_TRUE(Validate(in, FakeText).ok);
}

TEST(EditorRules, NoModifierAsksOnlyInTheDefaultProfile) {
    EditorInput in = Complete();
    in.modifier = 0;
    EXPECT_TRUE(Validate(in, FakeText).askNoModifier);
    EXPECT_EQ(NoModifierQuestion(FakeText), "T181\r\nT182\r\n\r\nT183");
    EXPECT_EQ(NoModifierRefused(FakeText), "T184\r\n");
    in.defaultProfile = false;
    EXPECT_FALSE(Validate(in, FakeText).askNoModifier);
    EXPECT_TRUE(Validate(in, FakeText).ok);
    // The key line 255 (keys without a virtual-key code) needs no question either.
    in.defaultProfile = true;
    in.keyLine = 255;
    in.keyCode = 0x15F;
    EXPECT_FALSE(Validate(in, FakeText).askNoModifier);
    // Nor is it asked when another rule failed already.
    in.keyLine = 'Q';
    in.description.clear();
    EXPECT_FALSE(Validate(in, FakeText).askNoModifier);
}

TEST(EditorRules, OverlongTextsAndTheSeparatorAreRefused) {
    EditorInput in = Complete();
    in.description = std::string(26, 'x');
    EXPECT_EQ(Validate(in, FakeText).message, "Description: at most 25 characters.\r\n");
    in = Complete();
    in.layout = LayoutFor("161;53;8;1;14:0,100", Sources());
    in.document = std::string(101, 'y');
    EXPECT_EQ(Validate(in, FakeText).message, "T475: at most 100 characters.\r\n");
    in.document = "  " + std::string(100, 'y');  // leading blanks are not stored
    EXPECT_TRUE(Validate(in, FakeText).ok);
    in.document = std::string("a") + kFF + "b";
    EXPECT_FALSE(Validate(in, FakeText).ok);
    // The store keeps 255 characters of the parameter text: beyond them only what reads
    // the same without it may go (the separators, a first-entry position).
    in = Complete();
    in.functionId = 160;
    in.layout = LayoutFor("160;52;8;2;13:9,255;7:1,19,20", Sources());
    in.document = std::string(255, 't');
    in.parameterText = CollectParameterText(in.layout, 160, {in.document, 0, ""});
    EXPECT_EQ(in.parameterText.size(), 258u);
    EXPECT_TRUE(Validate(in, FakeText).ok) << Validate(in, FakeText).message;
    in.parameterText = CollectParameterText(in.layout, 160, {in.document, 1, ""});
    EXPECT_NE(Validate(in, FakeText).message.find("255"), std::string::npos);
    in.document.resize(252);
    in.parameterText = CollectParameterText(in.layout, 160, {in.document, 1, ""});
    EXPECT_TRUE(Validate(in, FakeText).ok);
    in.functionId = 16;
    in.layout = LayoutFor("16;4;2;3;0:4,255;1:3;2:0,255", Sources());
    in.document = std::string(200, 'p');
    in.parameter = std::string(53, 'a');
    in.parameterText = CollectParameterText(in.layout, 16, {in.document, 0, in.parameter});
    EXPECT_FALSE(Validate(in, FakeText).ok);  // the arguments' last character would be lost
}

TEST(EditorRules, SelectionIsUnquotedTrimmedAndSplitAtTheSeparator) {
    EXPECT_EQ(SplitSelection("\"C:\\a b\\x.exe\""), (std::pair<std::string, std::string>{"C:\\a b\\x.exe", ""}));
    EXPECT_EQ(SplitSelection(std::string(" prog") + kFF + "args" + kFF + "more "),
              (std::pair<std::string, std::string>{"prog", std::string("args") + kFF + "more"}));
    EXPECT_EQ(WithoutMnemonics("C&ategory && more"), "Category & more");
}

TEST(EditorRules, KeyLinesThatCannotBeChosen) {
    const KeyLineLook plain = LookOfKeyLine("65;A;0");
    EXPECT_EQ(plain.code, 65);
    EXPECT_EQ(plain.name, "A");
    EXPECT_TRUE(plain.choosable);
    EXPECT_FALSE(plain.grey);
    EXPECT_TRUE(LookOfKeyLine("19;Pause;1").grey);
    for (const char* line : {"0;Nothing", "x;Damaged", ";Empty", "-3;Negative"}) {
        const KeyLineLook look = LookOfKeyLine(line);
        EXPECT_TRUE(look.drawnEmpty) << line;
        EXPECT_FALSE(look.choosable) << line;
        EXPECT_EQ(look.name, "") << line;
    }
    EXPECT_FALSE(LookOfKeyLine("7;ILLEGAL").choosable);
    EXPECT_FALSE(LookOfKeyLine("7; ").choosable);
    EXPECT_FALSE(LookOfKeyLine("7;ILLEGAL").drawnEmpty);
    const std::vector<std::string> lines = {"x;Damaged", "65;A", "66;B", "65;Again"};
    EXPECT_EQ(KeyLineOf(lines, 65), 1);
    EXPECT_EQ(KeyLineOf(lines, 66), 2);
    EXPECT_EQ(KeyLineOf(lines, 67), -1);
    EXPECT_EQ(KeyLineOf(lines, 0), -1);
}

TEST(EditorRules, CounterCategoriesAndFunctionLines) {
    EXPECT_TRUE(RestartsCounter(99));
    EXPECT_FALSE(RestartsCounter(98));
    EXPECT_EQ(ParseCategoryEntry("Windows;3").name, "Windows");
    EXPECT_EQ(ParseCategoryEntry("Windows;3").number, 3);
    EXPECT_EQ(ParseCategoryEntry("A;b;12").name, "A;b");
    EXPECT_EQ(ParseCategoryEntry("NoNumber").number, 0);
    const std::vector<std::string> lines = ChoosableFunctionLines({"35;5;2", "x;6;2", ";7;1", "36;6;2"});
    EXPECT_EQ(lines, (std::vector<std::string>{"35;5;2", "36;6;2"}));
    const LanguageText text = [](int n) { return n == kFunctionTextFirst + 5 ? std::string("Minimise") : std::string(); };
    EXPECT_EQ(FunctionListName("35;5;2", text), "Minimise");
    EXPECT_EQ(FunctionListName("36;6;2", text), "(36)");
    EXPECT_EQ(FunctionListName("37;x;2", text), "(37)");
    EXPECT_EQ(FunctionListName("38;9999;2", text), "(38)");
}
