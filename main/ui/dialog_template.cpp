#include "ui/dialog_template.h"

#include "ui/dpi.h"

namespace kl {
namespace {
constexpr std::size_t kItemCountOffset = 8;  // cdit of DLGTEMPLATE
}

DialogTemplate::DialogTemplate(const char* caption, short cx, short cy, DWORD extraStyle) {
    Header(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | extraStyle, 0, cx, cy, caption);
}

DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const std::string& caption) {
    Header(style, exStyle, cx, cy, caption.c_str());
}

void DialogTemplate::Header(DWORD style, DWORD exStyle, short cx, short cy, const char* caption) {
    Dword(style | DS_SETFONT);
    Dword(exStyle);
    Word(0);  // items, counted as they are added
    for (short v : {short(0), short(0), cx, cy}) Word(static_cast<WORD>(v));
    Word(0);  // no menu
    Word(0);  // standard class
    Text(caption);
    // The system's message font: the dialog's units follow it, and with them the layout.
    const TemplateFont font = MessageTemplateFont();
    Word(static_cast<WORD>(font.points));
    Text(font.face);
}

void DialogTemplate::Begin(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, WORD id) {
    Align();
    Dword(style | WS_CHILD);
    Dword(exStyle);
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    ++items_;
    bytes_[kItemCountOffset] = static_cast<unsigned char>(items_ & 0xFF);
    bytes_[kItemCountOffset + 1] = static_cast<unsigned char>(items_ >> 8);
}

void DialogTemplate::Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atomClass,
                          const char* text) {
    Begin(style | WS_VISIBLE, 0, x, y, cx, cy, id);
    Word(0xFFFF);
    Word(atomClass);
    Text(text);
    Word(0);
}

void DialogTemplate::Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* className,
                          const char* text) {
    Begin(style | WS_VISIBLE, 0, x, y, cx, cy, id);
    Text(className);
    Text(text);
    Word(0);
}

void DialogTemplate::Item(DlgClass cls, DWORD style, short x, short y, short cx, short cy, WORD id,
                          const std::string& text, DWORD exStyle) {
    Begin(style, exStyle, x, y, cx, cy, id);
    Word(0xFFFF);
    Word(static_cast<WORD>(cls));
    Text(text.c_str());
    Word(0);
}

const DLGTEMPLATE* DialogTemplate::Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

void DialogTemplate::Word(WORD w) { Append(&w, sizeof w); }
void DialogTemplate::Dword(DWORD d) { Append(&d, sizeof d); }

void DialogTemplate::Text(const char* s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    std::vector<wchar_t> w(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), n);
    Append(w.data(), w.size() * sizeof(wchar_t));
}

void DialogTemplate::Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
}

void DialogTemplate::Append(const void* p, std::size_t n) {
    auto* c = static_cast<const unsigned char*>(p);
    bytes_.insert(bytes_.end(), c, c + n);
}

}  // namespace kl
