// Dialog templates built in memory (DLGTEMPLATE): the dialogs of keyloom.exe need
// no resource script. Positions are dialog units of the template's font, so every
// dialog scales with the display font and DPI as a resource dialog does.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace kl {

// Predefined window classes of a template item.
enum class DlgClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083, ComboBox = 0x0085 };

class DialogTemplate {
public:
    // The dialog's style (DS_SETFONT is added), its size and caption; "MS Shell Dlg" 8.
    DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const std::string& caption) {
        Dword(style | DS_SETFONT);
        Dword(exStyle);
        countAt_ = bytes_.size();
        Word(0);
        for (short v : {short(0), short(0), cx, cy}) Word(static_cast<WORD>(v));
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(caption);
        Word(8);
        Text("MS Shell Dlg");
    }

    // WS_CHILD is added; WS_VISIBLE is the caller's choice.
    void Item(DlgClass cls, DWORD style, short x, short y, short cx, short cy, WORD id, const std::string& text,
              DWORD exStyle = 0) {
        Align();
        Dword(style | WS_CHILD);
        Dword(exStyle);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(static_cast<WORD>(cls));
        Text(text);
        Word(0);  // no creation data
        ++count_;
        WORD n = count_;
        std::memcpy(bytes_.data() + countAt_, &n, sizeof n);
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Word(WORD w) { Append(&w, sizeof w); }
    void Dword(DWORD d) { Append(&d, sizeof d); }
    void Text(const std::string& s) {
        const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
        std::vector<wchar_t> w(n > 0 ? n : 1, L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), n);
        Append(w.data(), w.size() * sizeof(wchar_t));
    }
    void Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    void Append(const void* p, std::size_t n) {
        auto* c = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), c, c + n);
    }

    std::vector<unsigned char> bytes_;
    std::size_t countAt_ = 0;
    WORD count_ = 0;
};

}  // namespace kl
