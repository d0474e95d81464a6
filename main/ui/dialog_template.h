// Dialog templates built in memory, so that a dialog needs no resource of its own.
// Positions are dialog units: the dialog scales with its font (the system's message
// font) and the display.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl {

// Predefined control classes of a dialog item.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;
inline constexpr WORD kListBoxClass = 0x0083;
inline constexpr WORD kComboBoxClass = 0x0085;
enum class DlgClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083, ComboBox = 0x0085 };

class DialogTemplate {
public:
    // A modal dialog of cx x cy dialog units, centred, in the system's message font.
    DialogTemplate(const char* caption, short cx, short cy, DWORD extraStyle = 0);
    // A dialog of the given styles (DS_SETFONT is added), at 0,0 unless DS_CENTER.
    DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const std::string& caption);
    // An item of a predefined class (WS_CHILD and WS_VISIBLE are added).
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atomClass, const char* text);
    // An item of a registered class given by name (a common control).
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* className, const char* text);
    // An item of a predefined class; WS_CHILD is added, WS_VISIBLE is the caller's choice.
    void Item(DlgClass cls, DWORD style, short x, short y, short cx, short cy, WORD id, const std::string& text,
              DWORD exStyle = 0);
    const DLGTEMPLATE* Get() const;

private:
    void Word(WORD w);
    void Dword(DWORD d);
    void Text(const char* s);
    void Align();
    void Header(DWORD style, DWORD exStyle, short cx, short cy, const char* caption);
    void Begin(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, WORD id);
    void Append(const void* p, std::size_t n);

    std::vector<unsigned char> bytes_;
    WORD items_ = 0;  // kept in the header's item count as items are added
};

}  // namespace kl
