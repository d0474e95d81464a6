// The owners of drawing objects and menus give back exactly what they hold.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/gdi_owners.h"

using namespace kl;

TEST(GdiOwners, ObjectsAreDeletedWhenTheirOwnerGoesOrTakesAnother) {
    HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    {
        UniqueBrush brush(first);
        EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BRUSH));
        UniqueBrush moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(moved.get(), first);
        moved.reset(second);
        EXPECT_EQ(GetObjectType(first), 0u);
        EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(second), 0u);
}

TEST(GdiOwners, ASelectedFontIsDeselectedAgainAndTheContextReleased) {
    UniqueFont font(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    ASSERT_TRUE(font);
    const WindowDC dc(nullptr);
    ASSERT_TRUE(dc);
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
    {
        const SelectedObject selected(dc.get(), font.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
    const SelectedObject none(dc.get(), nullptr);  // selects nothing
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
}

TEST(GdiOwners, AMenuIsDestroyedUnlessItWasHandedOver) {
    HMENU kept = nullptr;
    HMENU dropped = nullptr;
    {
        UniqueMenu a(CreatePopupMenu());
        UniqueMenu b(CreatePopupMenu());
        kept = a.get();
        dropped = b.get();
        EXPECT_EQ(a.release(), kept);
        EXPECT_FALSE(a);
    }
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_FALSE(IsMenu(dropped));
    DestroyMenu(kept);
}
