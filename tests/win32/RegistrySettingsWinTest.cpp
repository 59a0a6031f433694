// A Flush that meets a failing registry call, at every step it makes: the
// registry afterwards holds exactly what it held before, the error names
// the step in the system's words, and the changes stay for another Flush.

#include "RegistrySettingsWin.h"

#include "RegistryTestKey.h"

#include <gtest/gtest.h>

namespace curvix {
namespace {

using test::DwordBytes;
using test::SetRaw;
using test::StringBytes;

// The system's writer, with the n-th call that changes the registry (of
// any kind, counted from 1) refused as access denied; 0 refuses none.
class FailingWriter : public CRegistryWriter {
public:
    explicit FailingWriter(int failing) : m_failing(failing) {}

    LSTATUS CreateKey(HKEY parent, const wchar_t* subKey, HKEY* key, DWORD* disposition) override {
        return Refused() ? ERROR_ACCESS_DENIED
                         : AfxSystemRegistryWriter().CreateKey(parent, subKey, key, disposition);
    }
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data,
                     DWORD size) override {
        return Refused() ? ERROR_ACCESS_DENIED
                         : AfxSystemRegistryWriter().SetValue(key, name, type, data, size);
    }
    LSTATUS DeleteTree(HKEY key, const wchar_t* subKey) override {
        return Refused() ? ERROR_ACCESS_DENIED : AfxSystemRegistryWriter().DeleteTree(key, subKey);
    }
    LSTATUS DeleteValue(HKEY key, const wchar_t* name) override {
        return Refused() ? ERROR_ACCESS_DENIED : AfxSystemRegistryWriter().DeleteValue(key, name);
    }

    int Calls() const { return m_calls; }

private:
    bool Refused() { return ++m_calls == m_failing; }

    int m_failing;
    int m_calls = 0;
};

// What the registry holds before the Flush.
enum class Start { noKey, oldSettings };

struct RollbackCase {
    const char* name;
    Start start;
};

void PrintTo(const RollbackCase& c, std::ostream* os) {
    *os << c.name;
}

class FlushRollbackTest : public test::RegistryTestKey,
                          public testing::WithParamInterface<RollbackCase> {
protected:
    void WriteStart() {
        Remove();
        if (GetParam().start == Start::noKey)
            return;
        const std::wstring recent = m_keyPath + L"\\Recent File List";
        SetRaw(recent, L"File1", REG_SZ, StringBytes(L"C:\\old1.cvx"));
        SetRaw(recent, L"File2", REG_SZ, StringBytes(L"C:\\old2.cvx"));
        SetRaw(recent, L"File3", REG_DWORD, DwordBytes(7));
        SetRaw(recent + L"\\Below", L"Deep", REG_SZ, StringBytes(L"kept"));
        SetRaw(m_keyPath + L"\\Settings", L"PreviewPages", REG_DWORD, DwordBytes(2));
        SetRaw(m_keyPath + L"\\Settings", L"Other", REG_BINARY, {1, 2, 3});
        SetRaw(m_keyPath + L"\\Settings\\Deep", L"X", REG_EXPAND_SZ, StringBytes(L"%TEMP%"));
        SetRaw(m_keyPath, L"Version", REG_SZ, StringBytes(L"1"));
        SetRaw(m_keyPath, L"", REG_SZ, StringBytes(L"default value"));
    }

    // The recent-file list rewritten as at exit, values of other types
    // replaced, a new section two keys deep, a subkey removed.
    static void Change(CRegistrySettings& settings) {
        settings.RemoveSection("Recent File List");
        settings.WriteString("Recent File List", "File1", "C:\\Kurve-\xE6\x9B\xB2\xE7\xBA\xBF.cvx");
        settings.WriteString("Recent File List", "File2", "C:\\old1.cvx");
        settings.WriteInt("Settings", "PreviewPages", 3);
        settings.WriteString("Settings", "Other", "text");
        settings.WriteString("New Section\\Sub", "A", "b");
        settings.RemoveSection("Settings\\Deep");
        settings.WriteString("", "Version", "2");
    }
};

TEST_P(FlushRollbackTest, AFailureAtAnyStepLeavesTheOldValues) {
    // The registry after a Flush that succeeds, and how many calls it makes.
    WriteStart();
    const std::string before = test::Dump(m_organisationPath);
    int calls = 0;
    std::string after;
    {
        FailingWriter counting(0);
        CRegistrySettings settings(m_keyPathUtf8, counting);
        Change(settings);
        ASSERT_TRUE(settings.Flush()) << settings.GetFlushError();
        calls = counting.Calls();
        after = test::Dump(m_organisationPath);
    }
    ASSERT_GT(calls, 5);
    ASSERT_NE(after, before);

    const std::string denied = AfxRegistryErrorText(ERROR_ACCESS_DENIED);
    for (int failing = 1; failing <= calls; ++failing) {
        SCOPED_TRACE("call " + std::to_string(failing) + " of " + std::to_string(calls));
        WriteStart();
        FailingWriter writer(failing);
        CRegistrySettings settings(m_keyPathUtf8, writer);
        Change(settings);
        EXPECT_FALSE(settings.Flush());
        EXPECT_EQ(test::Dump(m_organisationPath), before);
        const std::string& error = settings.GetFlushError();
        EXPECT_EQ(error.rfind(denied + " (", 0), 0u) << error;
        EXPECT_EQ(error.back(), ')') << error;
        // Read as before the failure, and written by the next Flush.
        EXPECT_EQ(settings.GetInt("Settings", "PreviewPages", 0), 3);
        EXPECT_EQ(settings.GetString("Recent File List", "File3", "none"), "none");
        EXPECT_TRUE(settings.Flush()) << settings.GetFlushError();
        EXPECT_EQ(test::Dump(m_organisationPath), after);
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, FlushRollbackTest,
                         testing::Values(RollbackCase{"NoKeyYet", Start::noKey},
                                         RollbackCase{"OldSettings", Start::oldSettings}),
                         [](const testing::TestParamInfo<RollbackCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(RegistryErrorTextTest, IsTheSystemsWordsWithoutLineEnd) {
    const std::string text = AfxRegistryErrorText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), '.') << text;
    EXPECT_NE(text.back(), ' ') << text;
    EXPECT_NE(text, AfxRegistryErrorText(ERROR_FILE_NOT_FOUND));
}

} // namespace
} // namespace curvix
