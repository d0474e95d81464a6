// The hotkey editor's four drawn lists: cbModifier, cbKey (the lines of keynames.txt,
// some grey, some not to be chosen), cbCategory and cbFunction (the catalogue lines
// behind its items), filled from the catalogue and drawn by the dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/catalogue.h"

namespace kl {

class EditorLists {
public:
    void Attach(HWND dialog, Catalogue* catalogue) {
        dlg_ = dialog;
        catalogue_ = catalogue;
    }
    void Reset() { dlg_ = nullptr; }
    void SetKeyLines(std::vector<std::string> lines) { keyLines_ = std::move(lines); }

    void FillModifiers();
    void FillKeys();
    void FillCategories();
    // The functions of a category (0: all, sorted by name).
    void FillFunctions(int category);

    // The catalogue line behind a cbFunction position; null for none.
    const std::string* FunctionLineAt(int position) const;
    // The cbFunction position of a function, -1 when it is not listed.
    int FunctionPosition(int functionId) const;
    // The cbCategory position of a category number, -1 when it is not listed.
    int CategoryPosition(int category) const;
    int CategoryAt(int position) const;

    // The cbKey position of a key code, -1 when no line has it; whether that line may
    // be chosen; the code of a line.
    int KeyPosition(int code) const;
    bool KeyChoosableAt(int position) const;
    int KeyCodeAt(int position) const;

    // WM_MEASUREITEM and WM_DRAWITEM of the drawn lists.
    static void MeasureItem(HWND dialog, MEASUREITEMSTRUCT& m);
    static void DrawItem(const DRAWITEMSTRUCT& d, int keyListId);

private:
    HWND Item(int id) const { return GetDlgItem(dlg_, id); }

    HWND dlg_ = nullptr;
    Catalogue* catalogue_ = nullptr;
    std::vector<std::string> keyLines_;
    std::vector<std::string> functionLines_;  // the lines behind the items of cbFunction
};

}  // namespace kl
