// What the Open and Save As dialogs are given: the filter's exact UTF-16
// text, titles, flags, the default extension and the name buffer. (The
// dialogs themselves wait for a user, so they are not shown here.)

#include "FileDialogSetupWin.h"

#include "Win32Api.h"

#include <gtest/gtest.h>
#include <string>

namespace curvix {
namespace {

using namespace std::string_literals;

struct FilterCase {
    const char* name;
    const char* filterName;
    const char* filterExtension;
    std::wstring filter;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

class FileDialogFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(FileDialogFilterTest, IsZeroSeparatedWithOneMoreAtTheEnd) {
    const std::wstring filter =
        AfxFileDialogFilter(GetParam().filterName, GetParam().filterExtension);
    EXPECT_EQ(filter, GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FileDialogFilterTest,
    testing::Values(FilterCase{"Document", "Curvix Files (*.cvx)", ".cvx",
                               L"Curvix Files (*.cvx)\0*.cvx\0All Files (*.*)\0*.*\0\0"s},
                    FilterCase{"ExtensionWithoutDot", "Curvix Files (*.cvx)", "cvx",
                               L"Curvix Files (*.cvx)\0*.cvx\0All Files (*.*)\0*.*\0\0"s},
                    FilterCase{"NonAsciiName", "Kurven \xE6\x9B\xB2\xE7\xBA\xBF (*.cvx)", ".cvx",
                               L"Kurven \x66F2\x7EBF (*.cvx)\0*.cvx\0All Files (*.*)\0*.*\0\0"s},
                    FilterCase{"NoTemplate", "", "", L"All Files (*.*)\0*.*\0\0"s},
                    FilterCase{"NoExtension", "Curvix Files", "", L"All Files (*.*)\0*.*\0\0"s},
                    FilterCase{"OnlyADot", "Curvix Files", ".", L"All Files (*.*)\0*.*\0\0"s}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

const ::HWND kOwner = reinterpret_cast<::HWND>(0x1234);

TEST(FileDialogSetupTest, OpenAsksForAnExistingFile) {
    CFileDialogSetup setup(FileDialogKind::open, kOwner, "Curvix Files (*.cvx)", ".cvx", "");
    const OPENFILENAMEW& dialog = setup.Get();
    EXPECT_EQ(dialog.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(dialog.hwndOwner, kOwner);
    EXPECT_EQ(std::wstring(dialog.lpstrTitle), L"Open");
    const std::wstring filter = L"Curvix Files (*.cvx)\0*.cvx\0All Files (*.*)\0*.*\0\0"s;
    EXPECT_EQ(std::wstring(dialog.lpstrFilter, filter.size()), filter);
    EXPECT_EQ(dialog.nFilterIndex, 1u);
    EXPECT_EQ(dialog.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                                               OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(dialog.lpstrDefExt, nullptr);
    EXPECT_EQ(dialog.lpstrFile[0], L'\0');
    EXPECT_GE(dialog.nMaxFile, 32768u);
    EXPECT_EQ(setup.ChosenName(), "");
}

TEST(FileDialogSetupTest, SaveAsAsksBeforeReplacingAndAddsTheExtension) {
    CFileDialogSetup setup(FileDialogKind::saveAs, nullptr, "Curvix Files (*.cvx)", ".cvx",
                           "C:\\Kurve-\xE6\x9B\xB2\xE7\xBA\xBF.cvx");
    const OPENFILENAMEW& dialog = setup.Get();
    EXPECT_EQ(dialog.hwndOwner, nullptr);
    EXPECT_EQ(std::wstring(dialog.lpstrTitle), L"Save As");
    EXPECT_EQ(dialog.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                                               OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT));
    ASSERT_NE(dialog.lpstrDefExt, nullptr);
    EXPECT_EQ(std::wstring(dialog.lpstrDefExt), L"cvx");
    EXPECT_EQ(std::wstring(dialog.lpstrFile), L"C:\\Kurve-\x66F2\x7EBF.cvx");
    EXPECT_EQ(setup.ChosenName(), "C:\\Kurve-\xE6\x9B\xB2\xE7\xBA\xBF.cvx");
}

TEST(FileDialogSetupTest, SaveAsWithoutExtensionAddsNone) {
    CFileDialogSetup setup(FileDialogKind::saveAs, nullptr, "", "", "Untitled");
    EXPECT_EQ(setup.Get().lpstrDefExt, nullptr);
    EXPECT_EQ(std::wstring(setup.Get().lpstrFile), L"Untitled");
}

TEST(FileDialogSetupTest, NamesOfAnyLengthFit) {
    const std::string longName = "C:\\" + std::string(40000, 'n') + ".cvx";
    CFileDialogSetup setup(FileDialogKind::saveAs, nullptr, "", ".cvx", longName);
    EXPECT_GT(setup.Get().nMaxFile, longName.size());
    EXPECT_EQ(setup.ChosenName(), longName);
    // What the dialog leaves in the buffer is what comes back.
    CFileDialogSetup open(FileDialogKind::open, nullptr, "", ".cvx", "");
    const std::wstring chosen = L"C:\\" + std::wstring(32000, L'\x66F2') + L".cvx";
    ASSERT_LT(chosen.size(), open.Get().nMaxFile);
    chosen.copy(open.Get().lpstrFile, chosen.size());
    open.Get().lpstrFile[chosen.size()] = L'\0';
    std::string expected = "C:\\";
    for (int i = 0; i < 32000; ++i)
        expected += "\xE6\x9B\xB2";
    EXPECT_EQ(open.ChosenName(), expected + ".cvx");
}

} // namespace
} // namespace curvix
