// A list view of another process read and driven through memory of that process: its
// rows and texts, the selection, and where a row or a header item is on the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl::testing {

class RemoteListView {
public:
    explicit RemoteListView(HWND view);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int Count() const;
    std::string Text(int row, int column) const;
    // Column `column` of every row, top to bottom.
    std::vector<std::string> Column(int column) const;
    bool Select(int row);
    int Selected() const;
    // Screen points in the middle of a row and of a header item.
    POINT RowCentre(int row) const;
    POINT HeaderCentre(int column) const;

private:
    template <class T> bool Exchange(UINT msg, WPARAM wp, T& data, HWND target = nullptr) const;

    HWND view_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

// The entries of a list box (with strings) of another process.
std::vector<std::string> RemoteListBoxTexts(HWND list);

}  // namespace kl::testing
