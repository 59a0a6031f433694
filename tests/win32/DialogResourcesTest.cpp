// The dialog templates in this program's module: the template bytes field
// by field against the resource table, and the dialogs the system builds
// from them.
#include "DialogTemplateReader.h"
#include "ModuleResources.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

bool IsIconStatic(const DialogItemResource& item) {
    return std::string_view(item.className) == "STATIC" && (item.style & SS_TYPEMASK) == SS_ICON;
}

TEST(DialogResources, EveryTemplateHoldsItsTableDialog) {
    ASSERT_FALSE(GetCurvixResources().dialogs.empty());
    for (const DialogResource& table : GetCurvixResources().dialogs) {
        SCOPED_TRACE(testing::Message() << "dialog " << table.id);
        DialogTemplate dialog;
        std::string error;
        ASSERT_TRUE(ReadDialogTemplate(ModuleResourceBytes(RT_DIALOG, table.id), dialog, error))
            << error;
        // The template names a font, which the style says with DS_SETFONT.
        EXPECT_EQ(dialog.style, table.style | DS_SETFONT);
        EXPECT_EQ(dialog.exStyle, 0u);
        EXPECT_EQ(dialog.helpId, 0u);
        EXPECT_EQ(dialog.x, 0);
        EXPECT_EQ(dialog.y, 0);
        EXPECT_EQ(dialog.cx, table.cx);
        EXPECT_EQ(dialog.cy, table.cy);
        EXPECT_FALSE(dialog.menu.isNumber || !dialog.menu.text.empty()) << "no menu";
        EXPECT_FALSE(dialog.windowClass.isNumber || !dialog.windowClass.text.empty())
            << "the system's dialog class";
        EXPECT_EQ(dialog.title, Widened(table.caption));
        EXPECT_EQ(dialog.pointSize, table.pointSize);
        EXPECT_EQ(dialog.weight, 0);
        EXPECT_EQ(dialog.italic, 0);
        EXPECT_EQ(dialog.typeface, Widened(table.fontName));
        ASSERT_EQ(dialog.controls.size(), table.items.size());
        for (std::size_t i = 0; i < table.items.size(); ++i) {
            const DialogItemResource& item = table.items[i];
            const TemplateControl& control = dialog.controls[i];
            SCOPED_TRACE(testing::Message() << "control " << i << " (\"" << item.text << "\")");
            EXPECT_EQ(control.style, item.style | WS_CHILD | WS_VISIBLE);
            EXPECT_EQ(control.exStyle, 0u);
            EXPECT_EQ(control.x, item.x);
            EXPECT_EQ(control.y, item.y);
            EXPECT_EQ(control.cx, item.cx);
            EXPECT_EQ(control.cy, item.cy);
            EXPECT_EQ(control.id, static_cast<std::uint32_t>(item.id));
            EXPECT_EQ(ClassName(control.windowClass), Widened(item.className));
            if (IsIconStatic(item)) {
                // The icon static's text is the icon resource's number.
                EXPECT_TRUE(control.title.isNumber);
                EXPECT_EQ(control.title.number, item.id);
            } else {
                EXPECT_FALSE(control.title.isNumber);
                EXPECT_EQ(control.title.text, Widened(item.text));
            }
            EXPECT_EQ(control.extraBytes, 0);
        }
    }
}

TEST(DialogResources, TemplateReaderRefusesCutTemplates) {
    std::vector<std::uint8_t> bytes = ModuleResourceBytes(RT_DIALOG, 100);
    ASSERT_FALSE(bytes.empty());
    DialogTemplate dialog;
    std::string error;
    for (const std::size_t keep :
         {std::size_t{0}, std::size_t{3}, bytes.size() / 2, bytes.size() - 1}) {
        const std::vector<std::uint8_t> cut(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_FALSE(ReadDialogTemplate(cut, dialog, error)) << keep << " bytes";
    }
}

INT_PTR CALLBACK NoHandling(HWND /*dialog*/, UINT /*message*/, WPARAM /*w*/, LPARAM /*l*/) {
    return 0; // nothing handled
}

std::wstring WindowClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring WindowTextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

// Both dialogs built hidden by the system's dialog manager from the
// module's templates (the formula bar's is a child page, so it gets a
// hidden parent): each control in table order with its class, ID, text and
// style, and the icon static holding the program's icon.
TEST(DialogResources, SystemBuildsEveryDialogWithItsControls) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  ThisModule(), nullptr);
    ASSERT_NE(parent, nullptr) << "windows need a display, or Wine's null graphics driver";
    for (const DialogResource& table : GetCurvixResources().dialogs) {
        SCOPED_TRACE(testing::Message() << "dialog " << table.id);
        HWND dialog =
            CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(table.id),
                               (table.style & WS_CHILD) ? parent : nullptr, NoHandling, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_EQ(WindowTextOf(dialog), Widened(table.caption));
        HWND control = GetWindow(dialog, GW_CHILD);
        for (const DialogItemResource& item : table.items) {
            SCOPED_TRACE(testing::Message() << "control \"" << item.text << "\"");
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(GetDlgCtrlID(control), item.id);
            EXPECT_EQ(CompareStringOrdinal(WindowClassName(control).c_str(), -1,
                                           Widened(item.className).c_str(), -1,
                                           /*ignore case*/ true),
                      CSTR_EQUAL)
                << "class " << testing::PrintToString(WindowClassName(control));
            // The dialog manager shows an edit field's border as the 3-D
            // client edge instead.
            auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
            if (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                style |= WS_BORDER;
            const DWORD expected = item.style | WS_CHILD | WS_VISIBLE;
            EXPECT_EQ(style & expected, expected);
            if (IsIconStatic(item)) {
                EXPECT_NE(SendMessageW(control, STM_GETICON, 0, 0), 0) << "no icon shown";
            } else {
                EXPECT_EQ(WindowTextOf(control), Widened(item.text));
            }
            control = GetWindow(control, GW_HWNDNEXT);
        }
        EXPECT_EQ(control, nullptr) << "more controls than the table's";
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}

} // namespace
} // namespace curvix::test
