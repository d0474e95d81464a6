// The lists of the main window: the Hotkeys page's grid sgHotkeys and the Aliases page's
// list lbAliases, the buttons Add, Modify and Remove and File > New > Alias acting on
// the active page, and the hotkey list's sorting.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "window/block_access.h"
#include "window/hotkey_grid.h"
#include "window/hotkey_switch.h"

namespace kl {

// What the lists need of the main window.
class ListsHost {
public:
    virtual bool Closed() const = 0;
    virtual bool Creating() const = 0;
    // The window is visible or being shown: a hidden window's lists are filled when shown.
    virtual bool ListsShown() const = 0;
    virtual int ActivePage() const = 0;
    // The hotkey editor for a new hotkey, or for stored hotkey `id`: 1 when one was stored.
    virtual int mnNewHotkeyClick() = 0;
    virtual int EditHotkey(int id) = 0;
    virtual void ShowData() = 0;

protected:
    ~ListsHost() = default;
};

class Lists {
public:
    struct Places {
        HWND owner;                   // the main window: boxes and the grid's menu
        HWND hotkeysPage, aliasesPage;
        std::array<HWND, 3> buttons;  // Add, Remove, Modify: usable on the list pages only
        HMENU gridMenu;               // pmHotkeys
    };
    // The pages the lists are on, in the page control's order.
    static constexpr int kHotkeysPage = 0;
    static constexpr int kAliasesPage = 4;

    Lists(ListsHost& host, BlockAccess block, HotkeySwitch& hotkeys, const std::string& dataDir)
        : host_(host), block_(block), hotkeys_(hotkeys), dataDir_(dataDir) {}

    void Create(HINSTANCE instance, const Places& places, HFONT font);
    void Layout();
    // The active page's list from the registry.
    void Show();
    HotkeyGrid& grid() { return grid_; }

    // WM_NOTIFY of the grid, WM_COMMAND of the buttons, the alias list and the menus,
    // Enter and Delete in a list, WM_DRAWITEM of the alias list: false when not theirs.
    bool OnNotify(const NMHDR& header);
    bool OnCommand(int id, int code);
    bool KeyDown(const MSG& msg);
    bool DrawAliasItem(const DRAWITEMSTRUCT& item);

private:
    void Add();
    void Modify();
    void Remove();
    int NewAlias();
    std::string SelectedAlias() const;

    ListsHost& host_;
    BlockAccess block_;
    HotkeySwitch& hotkeys_;
    const std::string& dataDir_;
    Places places_{};
    HotkeyGrid grid_;
    HWND aliases_ = nullptr;
};

}  // namespace kl
