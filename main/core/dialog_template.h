// Dialog templates built in memory, so that a dialog needs no resource of its own.
// Positions are dialog units: the dialog scales with its font and the display.
#pragma once

#include <windows.h>

#include <vector>

namespace kl {

// Predefined control classes of a dialog item.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;
inline constexpr WORD kListBoxClass = 0x0083;
inline constexpr WORD kComboBoxClass = 0x0085;

class DialogTemplate {
public:
    // A modal dialog of cx x cy dialog units, centred, in the system's dialog font.
    DialogTemplate(const char* caption, short cx, short cy, DWORD extraStyle = 0);
    // An item of a predefined class (WS_CHILD and WS_VISIBLE are added).
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atomClass, const char* text);
    // An item of a registered class given by name (a common control).
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* className, const char* text);
    const DLGTEMPLATE* Get();

private:
    void Word(WORD w);
    void Dword(DWORD d);
    void Text(const char* s);
    void Align();
    void Begin(DWORD style, short x, short y, short cx, short cy, WORD id);
    void Append(const void* p, std::size_t n);

    std::vector<unsigned char> bytes_;
    WORD items_ = 0;
};

}  // namespace kl
