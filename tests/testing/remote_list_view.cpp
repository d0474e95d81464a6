#include "testing/remote_list_view.h"

#include <commctrl.h>

namespace kl::testing {
namespace {
constexpr SIZE_T kMemory = 4096;
constexpr SIZE_T kTextOffset = 1024;
}  // namespace

RemoteListView::RemoteListView(HWND view) : view_(view) {
    DWORD pid = 0;
    GetWindowThreadProcessId(view, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, kMemory, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteListView::~RemoteListView() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

// Copies `data` into the other process, sends the message with its address as lParam
// and copies it back.
template <class T>
bool RemoteListView::Exchange(UINT msg, WPARAM wp, T& data, HWND target) const {
    if (!memory_) return false;
    if (!WriteProcessMemory(process_, memory_, &data, sizeof data, nullptr)) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(target ? target : view_, msg, wp, reinterpret_cast<LPARAM>(memory_), SMTO_NORMAL, 5000,
                             &result))
        return false;
    ReadProcessMemory(process_, memory_, &data, sizeof data, nullptr);
    return result != 0 || msg == LVM_GETITEMTEXTA;
}

int RemoteListView::Count() const { return static_cast<int>(SendMessageA(view_, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListView::Text(int row, int column) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(memory_) + kTextOffset;
    item.cchTextMax = 512;
    char empty = 0;
    WriteProcessMemory(process_, item.pszText, &empty, 1, nullptr);
    if (!Exchange(LVM_GETITEMTEXTA, row, item)) return {};
    char text[512] = {};
    ReadProcessMemory(process_, static_cast<char*>(memory_) + kTextOffset, text, sizeof text - 1, nullptr);
    return text;
}

std::vector<std::string> RemoteListView::Column(int column) const {
    std::vector<std::string> texts;
    for (int row = 0, n = Count(); row < n; ++row) texts.push_back(Text(row, column));
    return texts;
}

bool RemoteListView::Select(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return Exchange(LVM_SETITEMSTATE, row, item);
}

int RemoteListView::Selected() const {
    return static_cast<int>(SendMessageA(view_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

POINT RemoteListView::RowCentre(int row) const {
    RECT r{};
    r.left = LVIR_LABEL;
    Exchange(LVM_GETITEMRECT, row, r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(view_, &p);
    return p;
}

POINT RemoteListView::HeaderCentre(int column) const {
    HWND header = reinterpret_cast<HWND>(SendMessageA(view_, LVM_GETHEADER, 0, 0));
    RECT r{};
    Exchange(HDM_GETITEMRECT, column, r, header);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(header, &p);
    return p;
}

std::vector<std::string> RemoteListBoxTexts(HWND list) {
    // The system carries LB_GETTEXT's text across processes itself (as Unicode).
    std::vector<std::string> texts;
    for (int i = 0, n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        wchar_t wide[kMemory] = {};
        char text[kMemory] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(kMemory))
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        texts.push_back(text);
    }
    return texts;
}

}  // namespace kl::testing
