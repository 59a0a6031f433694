// The menus and accelerator tables as the system loads them from this
// program's module, against the resource table they were made from.
#include "ModuleResources.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

// The table's lines as the menu tree they stand for: a popup line holds the
// lines after it up to the next popup; lines before any popup belong to the
// menu bar itself.
struct MenuNode {
    const MenuItemResource* line;
    std::vector<const MenuItemResource*> items;
};

std::vector<MenuNode> MenuTree(const MenuResource& menu) {
    std::vector<MenuNode> bar;
    bool inPopup = false;
    for (const MenuItemResource& line : menu.items) {
        if (line.flags & MF_POPUP) {
            bar.push_back({&line, {}});
            inPopup = true;
        } else if (inPopup) {
            bar.back().items.push_back(&line);
        } else {
            bar.push_back({&line, {}});
        }
    }
    return bar;
}

struct LoadedItem {
    UINT type = 0, state = 0, id = 0;
    HMENU popup = nullptr;
    std::wstring text;
};

LoadedItem ItemAt(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text));
    if (!GetMenuItemInfoW(menu, position, /*by position*/ true, &info))
        ADD_FAILURE() << "no menu item at position " << position;
    return {info.fType, info.fState, info.wID, info.hSubMenu, text};
}

// One loaded item against its table line: text, command, separator, and
// the greyed and checked states.
void ExpectItem(HMENU menu, UINT position, const MenuItemResource& line) {
    SCOPED_TRACE(testing::Message() << "menu line \"" << line.text << "\"");
    const LoadedItem item = ItemAt(menu, position);
    const bool isSeparator = (line.flags & MF_SEPARATOR) != 0;
    EXPECT_EQ((item.type & MFT_SEPARATOR) != 0, isSeparator);
    EXPECT_EQ(item.type & ~MFT_SEPARATOR, 0u) << "only text items and separators";
    // A separator's state is the system's: it is never chosen.
    if (!isSeparator) {
        EXPECT_EQ(item.text, Widened(line.text));
        EXPECT_EQ(item.state, line.flags & (MF_GRAYED | MF_CHECKED));
    }
    if (line.flags & MF_POPUP) {
        EXPECT_NE(item.popup, nullptr);
    } else {
        EXPECT_EQ(item.popup, nullptr);
        EXPECT_EQ(item.id, line.id);
    }
}

TEST(MenuResources, EveryMenuLoadsAsItsTableTree) {
    ASSERT_FALSE(GetCurvixResources().menus.empty());
    for (const MenuResource& menu : GetCurvixResources().menus) {
        SCOPED_TRACE(testing::Message() << "menu " << menu.id);
        HMENU loaded = LoadMenuW(ThisModule(), MAKEINTRESOURCEW(menu.id));
        ASSERT_NE(loaded, nullptr);
        const std::vector<MenuNode> bar = MenuTree(menu);
        ASSERT_EQ(GetMenuItemCount(loaded), static_cast<int>(bar.size()));
        for (UINT i = 0; i < bar.size(); ++i) {
            ExpectItem(loaded, i, *bar[i].line);
            HMENU popup = GetSubMenu(loaded, static_cast<int>(i));
            if (popup == nullptr)
                continue;
            ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(bar[i].items.size()))
                << "items of \"" << bar[i].line->text << "\"";
            for (UINT j = 0; j < bar[i].items.size(); ++j)
                ExpectItem(popup, j, *bar[i].items[j]);
        }
        DestroyMenu(loaded);
    }
}

TEST(AcceleratorResources, EveryTableLoadsEntryForEntryInOrder) {
    ASSERT_FALSE(GetCurvixResources().accelerators.empty());
    for (const AccelTableResource& table : GetCurvixResources().accelerators) {
        SCOPED_TRACE(testing::Message() << "accelerator table " << table.id);
        HACCEL loaded = LoadAcceleratorsW(ThisModule(), MAKEINTRESOURCEW(table.id));
        ASSERT_NE(loaded, nullptr);
        const int count = CopyAcceleratorTableW(loaded, nullptr, 0);
        ASSERT_EQ(count, static_cast<int>(table.entries.size()));
        std::vector<ACCEL> entries(static_cast<std::size_t>(count));
        ASSERT_EQ(CopyAcceleratorTableW(loaded, entries.data(), count), count);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "entry " << i);
            EXPECT_EQ(entries[i].fVirt, table.entries[i].fVirt);
            EXPECT_EQ(entries[i].key, table.entries[i].key);
            EXPECT_EQ(entries[i].cmd, table.entries[i].cmd);
        }
        DestroyAcceleratorTable(loaded);
    }
}

} // namespace
} // namespace curvix::test
