// What AfxMessageBox gives MessageBoxW: its caption, its style and its
// owner. (The box itself waits for a user, so it is not shown here.)

#include "MessageBoxWin.h"

#include "MessageBox.h"
#include "ResourceTable.h"
#include "Win32Api.h"

#include <gtest/gtest.h>

namespace curvix {
namespace {

// The program's string table for the test's lifetime.
class WithStrings {
public:
    explicit WithStrings(const ResourceTable* table) : m_old(AfxGetResourceTable()) {
        AfxSetResourceTable(table);
    }
    ~WithStrings() { AfxSetResourceTable(m_old); }
    WithStrings(const WithStrings&) = delete;
    WithStrings& operator=(const WithStrings&) = delete;

private:
    const ResourceTable* m_old;
};

TEST(MessageBoxWinTest, CaptionIsTheApplicationsTitle) {
    ResourceTable table;
    table.strings = {{AFX_IDS_APP_TITLE, "Kurve-\xE6\x9B\xB2\xE7\xBA\xBF"}};
    const WithStrings strings(&table);
    EXPECT_EQ(AfxMessageBoxCaption(), L"Kurve-\x66F2\x7EBF");
}

TEST(MessageBoxWinTest, CaptionWithoutATitleIsTheProgramsName) {
    const WithStrings none(nullptr);
    EXPECT_EQ(AfxMessageBoxCaption(), L"curvix-tests-win32-services");
    ResourceTable empty;
    empty.strings = {{AFX_IDS_APP_TITLE, ""}};
    const WithStrings emptyTitle(&empty);
    EXPECT_EQ(AfxMessageBoxCaption(), L"curvix-tests-win32-services");
}

struct StyleCase {
    UINT type;
    bool owned;
    UINT style;
};

class MessageBoxStyleTest : public testing::TestWithParam<StyleCase> {};

TEST_P(MessageBoxStyleTest, KeepsButtonsAndIconWithYesTheDefault) {
    EXPECT_EQ(AfxMessageBoxStyle(GetParam().type, GetParam().owned), GetParam().style);
}

// MessageBoxW's values: MB_YESNOCANCEL 0x3, MB_ICONQUESTION 0x20,
// MB_ICONWARNING 0x30, MB_ICONINFORMATION 0x40, MB_DEFBUTTON2 0x100,
// MB_DEFBUTTON3 0x200, MB_SYSTEMMODAL 0x1000, MB_TASKMODAL 0x2000,
// MB_TOPMOST 0x40000.
INSTANTIATE_TEST_SUITE_P(Types, MessageBoxStyleTest,
                         testing::Values(StyleCase{MB_YESNOCANCEL | MB_ICONQUESTION, true, 0x23},
                                         StyleCase{MB_YESNOCANCEL | MB_ICONQUESTION, false, 0x2023},
                                         StyleCase{MB_OK | MB_ICONWARNING, true, 0x30},
                                         StyleCase{MB_OK | MB_ICONINFORMATION, false, 0x2040},
                                         StyleCase{MB_YESNOCANCEL | 0x200, true, 0x3},
                                         StyleCase{MB_YESNOCANCEL | 0x100 | 0x1000, false, 0x2003},
                                         StyleCase{MB_OK | 0x40000, true, 0x40000}));

::HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(MessageBoxWinTest, OwnerIsTheMainWindowOnlyWhileShown) {
    EXPECT_EQ(AfxMessageBoxOwner(nullptr), nullptr);
    const ::HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(AfxMessageBoxOwner(window), nullptr);
    ShowWindow(window, SW_SHOWNA);
    EXPECT_EQ(AfxMessageBoxOwner(window), window);
    ShowWindow(window, 0);
    EXPECT_EQ(AfxMessageBoxOwner(window), nullptr);
    DestroyWindow(window);
}

} // namespace
} // namespace curvix
