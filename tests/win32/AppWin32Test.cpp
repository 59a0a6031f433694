// The program's documents on Win32: names outside the ANSI code page
// opened and saved, the recent-file list in the registry at exit, the
// question to save through a real message box, and the formula field
// marked with the engine's reports, files dropped on the window, and the
// document type registered for this program file.

#include "FieldMarkWin.h"
#include "MessageBox.h"
#include "Resource.h"
#include "ShellRegistrationWin.h"
#include "Win32App.h"
#include "WinSystem.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <shlobj.h>

namespace curvix::test {
namespace {

// A folder of the test's own with a name outside every ANSI code page.
struct WideFolder {
    WideFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path =
            std::wstring(temp) + L"curvix-\u66f2\u7ebf-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~WideFolder() {
        for (const std::wstring& file : files)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(path.c_str());
    }
    std::string File(const wchar_t* name) {
        files.push_back(path + L"\\" + name);
        return Utf8FromWide(files.back());
    }

    std::wstring path;
    std::vector<std::wstring> files;
};

std::string RegistryString(const wchar_t* key, const wchar_t* value) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_ANY, &type, data, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return "(none)";
    return Utf8FromWide(data);
}

constexpr wchar_t kRecent[] = L"Software\\Quenmark\\Curvix\\Recent File List";

class AppWin32Test : public ::testing::Test {
protected:
    NoSettings noSettings;
    WideFolder folder;
};

TEST_F(AppWin32Test, AWideNameSavesOpensAndIsInTheRegistryAfterTheExit) {
    const std::string first = folder.File(L"Kurve-\u66f2\u7ebf.cvx");
    const std::string second = folder.File(L"\u0394-second.cvx");
    {
        RunningApp app;
        ASSERT_TRUE(app.started);
        app.Frame()->SetFormulaText("x^2");
        SendMessageW(app.FormulaItem(static_cast<int>(IDC_DRAW)), BM_CLICK, 0, 0);
        app.Settle();
        AnswerFileDialog(first);
        app.Command(ID_FILE_SAVE_AS);
        AnswerFileDialog(second);
        app.Command(ID_FILE_SAVE_AS);
        AnswerFileDialog(first);
        app.Command(ID_FILE_OPEN);
        EXPECT_EQ(std::string(app.Doc()->GetFormula().ToNarrow()), "x^2");
        EXPECT_EQ(app.Caption(), "Kurve-\xe6\x9b\xb2\xe7\xba\xbf.cvx - Curvix");
        EXPECT_EQ(app.app->ExitInstance(), 0);
        app.app.reset();
    }
    // Newest first, as UTF-16 strings.
    EXPECT_EQ(RegistryString(kRecent, L"File1"), first);
    EXPECT_EQ(RegistryString(kRecent, L"File2"), second);
    EXPECT_EQ(RegistryString(kRecent, L"File3"), "(none)");
    // The next start reads them back.
    RunningApp again;
    ASSERT_NE(again.app->GetRecentFileList(), nullptr);
    ASSERT_EQ(again.app->GetRecentFileList()->Entries().size(), 2U);
    EXPECT_EQ(again.app->GetRecentFileList()->Entries()[0], first);
}

struct Answer {
    int button;       // what the user presses in the question
    bool newDocument; // whether File New went on
    bool saved;
};

class SaveQuestionTest : public AppWin32Test, public ::testing::WithParamInterface<Answer> {};

TEST_P(SaveQuestionTest, FileNewAsksAboutADrawnFormula) {
    const Answer answer = GetParam();
    const std::string path = folder.File(L"asked.cvx");
    RunningApp app;
    AnswerFileDialog(path);
    app.Command(ID_FILE_SAVE_AS);
    app.Frame()->SetFormulaText("sin(x)");
    SendMessageW(app.FormulaItem(static_cast<int>(IDC_DRAW)), BM_CLICK, 0, 0);
    app.Settle();
    ASSERT_TRUE(app.Doc()->IsModified());
    std::string question;
    std::string caption;
    WhenModal([&](::HWND box) {
        question = DialogMessage(box);
        caption = WindowText(box);
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer.button), 0);
        return true;
    });
    app.Command(ID_FILE_NEW);
    EXPECT_EQ(caption, "Curvix");
    EXPECT_EQ(question, "Save changes to asked.cvx?");
    EXPECT_EQ(app.Caption() == "Untitled - Curvix", answer.newDocument);
    std::ifstream file(std::filesystem::path(WideFromUtf8(path)), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.find("sin(x)") != std::string::npos, answer.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest,
                         ::testing::Values(Answer{IDYES, true, true}, Answer{IDNO, true, false},
                                           Answer{IDCANCEL, false, false}));

TEST_F(AppWin32Test, TheFormulaFieldIsMarkedWhileTheFormulaHasReports) {
    RunningApp app;
    ::HWND field = app.FormulaItem(static_cast<int>(IDC_FORMULA));
    app.Frame()->SetFormulaText("foo(x)");
    SendMessageW(app.FormulaItem(static_cast<int>(IDC_DRAW)), BM_CLICK, 0, 0);
    app.Settle();
    EXPECT_TRUE(IsFieldMarkedWin(field));
    EXPECT_NE(FieldProblemsWin(field).find("foo()"), std::string::npos);
    app.Frame()->SetFormulaText("x");
    SendMessageW(app.FormulaItem(static_cast<int>(IDC_DRAW)), BM_CLICK, 0, 0);
    app.Settle();
    EXPECT_FALSE(IsFieldMarkedWin(field));
}

TEST_F(AppWin32Test, AMissingDocumentOnTheCommandLineIsReportedAndEndsTheStart) {
    std::string message;
    WhenModal([&](::HWND box) {
        message = DialogMessage(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    RunningApp app({folder.File(L"missing-\u66f2.cvx")});
    EXPECT_FALSE(app.started);
    EXPECT_NE(message.find("missing-\xe6\x9b\xb2.cvx"), std::string::npos) << message;
    EXPECT_EQ(app.app->m_pMainWnd, nullptr);
}

// A document of formula with the default scene, as the program writes it.
void WriteDocument(const std::string& path, const std::string& formula) {
    std::ofstream file(std::filesystem::path(WideFromUtf8(path)), std::ios::binary);
    // The length counts the formula's bytes; the zero after them is written too.
    const auto length = static_cast<std::uint32_t>(formula.size());
    file.write(reinterpret_cast<const char*>(&length), sizeof length);
    file.write(formula.c_str(), static_cast<std::streamsize>(length + 1));
    const float scene[] = {10, 10, 0, 0, 0, -10, 10, 0.1F};
    file.write(reinterpret_cast<const char*>(scene), sizeof scene);
}

// What the shell hands a window that files are dropped on: a DROPFILES
// block with the names in UTF-16, each ended by a zero, and one more.
HGLOBAL DropOf(const std::vector<std::string>& files) {
    std::wstring names;
    for (const std::string& file : files)
        names += WideFromUtf8(file) + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = 1;
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    return memory;
}

TEST_F(AppWin32Test, DroppedFilesOpenInTurnTheLastStayingOpen) {
    const std::string first = folder.File(L"dropped-\u66f2.cvx");
    const std::string second = folder.File(L"dropped-second.cvx");
    WriteDocument(first, "x^2");
    WriteDocument(second, "sin(x)");
    RunningApp app;
    ASSERT_TRUE(app.started);
    EXPECT_NE(GetWindowLongW(app.FrameWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    PostMessageW(app.FrameWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({first, second})),
                 0);
    app.Settle();
    EXPECT_EQ(app.Caption(), "dropped-second.cvx - Curvix");
    EXPECT_EQ(std::string(app.Doc()->GetFormula().ToNarrow()), "sin(x)");
    const auto& recent = app.app->GetRecentFileList()->Entries();
    ASSERT_GE(recent.size(), 2U);
    EXPECT_EQ(recent[0], second);
    EXPECT_EQ(recent[1], first);
}

TEST_F(AppWin32Test, AStartRegistersTheDocumentTypeForThisProgramFile) {
    RunningApp app;
    ASSERT_TRUE(app.started);
    const std::wstring program = AfxShortPath(AfxModulePath());
    // This program holds the document icon as its second icon.
    EXPECT_EQ(AfxDocumentIconIndex(AfxModulePath()), 1);
    wchar_t icon[MAX_PATH + 8] = {};
    DWORD size = sizeof icon;
    ASSERT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, L"Curvix.Document\\DefaultIcon", nullptr,
                           RRF_RT_REG_SZ, nullptr, icon, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(icon), program + L",1");
}

} // namespace
} // namespace curvix::test
