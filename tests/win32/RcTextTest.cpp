// The sample table's texts, written into a resource script by the script
// writer and compiled by windres, as the system loads them: every byte and
// every character the script escapes comes back as itself.
#include "DialogTemplateReader.h"
#include "ModuleResources.h"
#include "RcTextSamples.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

std::wstring ModuleString(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ThisModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

TEST(RcText, StringsComeBackByteForByte) {
    for (const StringResource& entry : RcTextSampleTable().strings) {
        SCOPED_TRACE(testing::Message() << "string " << entry.id);
        EXPECT_EQ(ModuleString(entry.id), Widened(entry.text));
    }
}

TEST(RcText, MenuTextsAndStatesComeBack) {
    const MenuResource& menu = RcTextSampleTable().menus.at(0);
    HMENU loaded = LoadMenuW(ThisModule(), MAKEINTRESOURCEW(menu.id));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(GetMenuItemCount(loaded), 1);
    HMENU popup = GetSubMenu(loaded, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(menu.items.size()) - 1);
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItemResource& line = menu.items[i];
        SCOPED_TRACE(testing::Message() << "line " << i);
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        HMENU holder = i == 0 ? loaded : popup;
        ASSERT_TRUE(GetMenuItemInfoW(holder, i == 0 ? 0 : static_cast<UINT>(i - 1),
                                     /*by position*/ true, &info));
        if (line.flags & MF_SEPARATOR) {
            EXPECT_NE(info.fType & MFT_SEPARATOR, 0u);
            continue;
        }
        EXPECT_EQ(std::wstring(text), Widened(line.text));
        EXPECT_EQ(info.fState, line.flags & (MF_GRAYED | MF_CHECKED));
        if (!(line.flags & MF_POPUP)) {
            EXPECT_EQ(info.wID, line.id);
        }
    }
    DestroyMenu(loaded);
}

TEST(RcText, DialogTextsComeBack) {
    const DialogResource& table = RcTextSampleTable().dialogs.at(0);
    DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(ReadDialogTemplate(ModuleResourceBytes(RT_DIALOG, table.id), dialog, error))
        << error;
    EXPECT_EQ(dialog.title, Widened(table.caption));
    EXPECT_EQ(dialog.typeface, Widened(table.fontName));
    EXPECT_EQ(dialog.pointSize, table.pointSize);
    ASSERT_EQ(dialog.controls.size(), table.items.size());
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        EXPECT_EQ(dialog.controls[i].title.text, Widened(table.items[i].text)) << i;
        EXPECT_EQ(ClassName(dialog.controls[i].windowClass), Widened(table.items[i].className));
    }
}

} // namespace
} // namespace curvix::test
