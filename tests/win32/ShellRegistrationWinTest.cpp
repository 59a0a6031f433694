// The shell registration written into a classes root of the test's own
// (below HKEY_CURRENT_USER): every key and value, the rule for taking the
// extension, a key that cannot be written, what unregistering takes back,
// and the settings key removed with its organisation.

#include "ShellRegistrationWin.h"

#include "RegistryTestKey.h"

#include <gtest/gtest.h>
#include <optional>

namespace curvix {
namespace {

using test::SetRaw;
using test::StringBytes;

const CShellDocumentType kType{L"Curvix.Document", L"Curvix Function", L".cvx"};
constexpr wchar_t kProgram[] = L"C:\\PROGRA~1\\Curvix\\curvix.exe";

// The system's writer, refusing to make or open one key.
class RefusingWriter : public CRegistryWriter {
public:
    explicit RefusingWriter(std::wstring refused) : m_refused(std::move(refused)) {}

    LSTATUS CreateKey(HKEY parent, const wchar_t* subKey, HKEY* key, DWORD* disposition) override {
        return subKey == m_refused
                   ? ERROR_ACCESS_DENIED
                   : AfxSystemRegistryWriter().CreateKey(parent, subKey, key, disposition);
    }
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data,
                     DWORD size) override {
        return AfxSystemRegistryWriter().SetValue(key, name, type, data, size);
    }
    LSTATUS DeleteTree(HKEY key, const wchar_t* subKey) override {
        return AfxSystemRegistryWriter().DeleteTree(key, subKey);
    }
    LSTATUS DeleteValue(HKEY key, const wchar_t* name) override {
        return AfxSystemRegistryWriter().DeleteValue(key, name);
    }

private:
    std::wstring m_refused;
};

class ShellRegistrationTest : public test::RegistryTestKey {
protected:
    void SetUp() override {
        RegistryTestKey::SetUp();
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_classesPath.c_str(), 0, nullptr, 0,
                                  KEY_READ | KEY_WRITE, nullptr, &m_classes, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(m_classes);
        RegistryTestKey::TearDown();
    }

    CShellRegistrationResult Register(const std::wstring& program = kProgram,
                                      CRegistryWriter& writer = AfxSystemRegistryWriter()) {
        return RegisterShellDocumentType(m_classes, kType, program, 1, writer);
    }

    bool HasKey(const std::wstring& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(m_classes, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    // A string value below the classes root; nothing when it is not there.
    std::optional<std::wstring> Value(const std::wstring& path, const wchar_t* name = nullptr) {
        wchar_t text[1024];
        DWORD size = sizeof text;
        DWORD type = 0;
        if (RegGetValueW(m_classes, path.c_str(), name, RRF_RT_ANY, &type, text, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return std::nullopt;
        return std::wstring(text);
    }

    void SetDefault(const std::wstring& path, const std::wstring& text) {
        SetRaw(m_classesPath + L"\\" + path, nullptr, REG_SZ, StringBytes(text));
    }

    const std::wstring m_classesPath = m_organisationPath + L"\\Classes";
    HKEY m_classes = nullptr;
};

TEST_F(ShellRegistrationTest, WritesEveryKeyOfTheDocumentTypeAndItsExtension) {
    const CShellRegistrationResult result = Register();
    EXPECT_TRUE(result.complete);
    struct Expected {
        const wchar_t* path;
        const wchar_t* value;
    };
    const Expected expected[] = {
        {L"Curvix.Document", L"Curvix Function"},
        {L"Curvix.Document\\DefaultIcon", L"C:\\PROGRA~1\\Curvix\\curvix.exe,1"},
        {L"Curvix.Document\\shell\\open\\command", L"C:\\PROGRA~1\\Curvix\\curvix.exe \"%1\""},
        {L"Curvix.Document\\shell\\print\\command", L"C:\\PROGRA~1\\Curvix\\curvix.exe /p \"%1\""},
        {L"Curvix.Document\\shell\\printto\\command",
         L"C:\\PROGRA~1\\Curvix\\curvix.exe /pt \"%1\" \"%2\" \"%3\" \"%4\""},
        {L".cvx", L"Curvix.Document"},
    };
    for (const Expected& key : expected)
        EXPECT_EQ(Value(key.path), std::optional<std::wstring>(key.value)) << key.path;
    EXPECT_EQ(Value(L".cvx\\ShellNew"), std::nullopt) << "ShellNew has no default value";
    EXPECT_EQ(Value(L".cvx\\ShellNew", L"NullFile"), std::optional<std::wstring>(L""));
    EXPECT_FALSE(HasKey(L"Curvix.Document\\shell\\open\\ddeexec"));
    // Made: the type, its icon, three commands, the extension and ShellNew.
    EXPECT_EQ(result.keysChanged, 7);
}

TEST_F(ShellRegistrationTest, ChangesNothingTheSecondTimeAndOnlyTheProgramWhenItMoved) {
    Register();
    EXPECT_EQ(Register().keysChanged, 0);
    EXPECT_EQ(Register(L"D:\\Tools\\curvix.exe").keysChanged, 4);
    EXPECT_EQ(Value(L"Curvix.Document\\DefaultIcon"),
              std::optional<std::wstring>(L"D:\\Tools\\curvix.exe,1"));
}

TEST_F(ShellRegistrationTest, QuotesAProgramWithABlankInItsCommands) {
    // A volume without short names leaves the blanks in.
    Register(L"C:\\Program Files\\Curvix\\curvix.exe");
    EXPECT_EQ(Value(L"Curvix.Document\\shell\\open\\command"),
              std::optional<std::wstring>(L"\"C:\\Program Files\\Curvix\\curvix.exe\" \"%1\""));
    EXPECT_EQ(Value(L"Curvix.Document\\shell\\printto\\command"),
              std::optional<std::wstring>(
                  L"\"C:\\Program Files\\Curvix\\curvix.exe\" /pt \"%1\" \"%2\" \"%3\" \"%4\""));
    EXPECT_EQ(Value(L"Curvix.Document\\DefaultIcon"),
              std::optional<std::wstring>(L"C:\\Program Files\\Curvix\\curvix.exe,1"));
}

// What .cvx held before, and whether Curvix may take it.
struct ExtensionCase {
    const char* name;
    std::optional<std::wstring> before; // nothing: no key at all
    bool valueless;                     // the key without a default value
    std::wstring after;
    bool shellNew;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtensionRuleTest : public ShellRegistrationTest,
                          public testing::WithParamInterface<ExtensionCase> {};

TEST_P(ExtensionRuleTest, TakesTheExtensionOnlyFromNobodyOrItself) {
    const ExtensionCase& c = GetParam();
    if (c.valueless)
        SetRaw(m_classesPath + L"\\.cvx", L"Other", REG_SZ, StringBytes(L"kept"));
    if (c.before.has_value())
        SetDefault(L".cvx", *c.before);
    EXPECT_TRUE(Register().complete);
    EXPECT_EQ(Value(L".cvx"), std::optional<std::wstring>(c.after));
    EXPECT_EQ(HasKey(L".cvx\\ShellNew"), c.shellNew);
    // The type's own keys are written whoever has the extension.
    EXPECT_EQ(Value(L"Curvix.Document"), std::optional<std::wstring>(L"Curvix Function"));
    if (c.valueless) {
        EXPECT_EQ(Value(L".cvx", L"Other"), std::optional<std::wstring>(L"kept"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Before, ExtensionRuleTest,
    testing::Values(
        ExtensionCase{"no key", std::nullopt, false, L"Curvix.Document", true},
        ExtensionCase{"key without value", std::nullopt, true, L"Curvix.Document", true},
        ExtensionCase{"empty", L"", false, L"Curvix.Document", true},
        ExtensionCase{"ours", L"Curvix.Document", false, L"Curvix.Document", true},
        ExtensionCase{"ours in other case", L"curvix.document", false, L"Curvix.Document", true},
        ExtensionCase{"another type", L"Plotter.Graph", false, L"Plotter.Graph", false},
        ExtensionCase{"another type with our prefix", L"Curvix.Document.2", false,
                      L"Curvix.Document.2", false}));

// The key that cannot be written, and the keys there must be afterwards.
struct RefusalCase {
    const wchar_t* refused;
    int written; // of kWrittenInOrder, the first ones
};

const wchar_t* const kWrittenInOrder[] = {
    L"Curvix.Document",
    L"Curvix.Document\\DefaultIcon",
    L"Curvix.Document\\shell\\open\\command",
    L"Curvix.Document\\shell\\print\\command",
    L"Curvix.Document\\shell\\printto\\command",
    L".cvx",
    L".cvx\\ShellNew",
};

class RefusedKeyTest : public ShellRegistrationTest,
                       public testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedKeyTest, SkipsEveryKeyAfterTheOneThatCannotBeWritten) {
    RefusingWriter writer(GetParam().refused);
    EXPECT_FALSE(Register(kProgram, writer).complete);
    for (int i = 0; i < 7; ++i) {
        const bool there = Value(kWrittenInOrder[i]).has_value() ||
                           Value(kWrittenInOrder[i], L"NullFile").has_value();
        EXPECT_EQ(there, i < GetParam().written) << "key " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Each, RefusedKeyTest,
    testing::Values(RefusalCase{kWrittenInOrder[0], 0}, RefusalCase{kWrittenInOrder[1], 1},
                    RefusalCase{kWrittenInOrder[2], 2}, RefusalCase{kWrittenInOrder[4], 4},
                    RefusalCase{kWrittenInOrder[5], 5}, RefusalCase{kWrittenInOrder[6], 6}));

TEST_F(ShellRegistrationTest, UnregisteringTakesBackTheTypeAndAnExtensionLeftEmpty) {
    Register();
    UnregisterShellDocumentType(m_classes, kType, AfxSystemRegistryWriter());
    EXPECT_FALSE(HasKey(L"Curvix.Document"));
    EXPECT_FALSE(HasKey(L".cvx"));
}

TEST_F(ShellRegistrationTest, UnregisteringKeepsWhatOtherProgramsPutUnderTheExtension) {
    Register();
    SetRaw(m_classesPath + L"\\.cvx\\OpenWithProgids", L"Plotter.Graph", REG_SZ, StringBytes(L""));
    UnregisterShellDocumentType(m_classes, kType, AfxSystemRegistryWriter());
    EXPECT_FALSE(HasKey(L"Curvix.Document"));
    EXPECT_TRUE(HasKey(L".cvx\\OpenWithProgids"));
    EXPECT_FALSE(HasKey(L".cvx\\ShellNew"));
    EXPECT_EQ(Value(L".cvx"), std::nullopt);
}

TEST_F(ShellRegistrationTest, UnregisteringLeavesAnotherProgramsExtensionAlone) {
    SetDefault(L".cvx", L"Plotter.Graph");
    SetRaw(m_classesPath + L"\\.cvx\\ShellNew", L"NullFile", REG_SZ, StringBytes(L""));
    Register();
    UnregisterShellDocumentType(m_classes, kType, AfxSystemRegistryWriter());
    EXPECT_FALSE(HasKey(L"Curvix.Document"));
    EXPECT_EQ(Value(L".cvx"), std::optional<std::wstring>(L"Plotter.Graph"));
    EXPECT_TRUE(HasKey(L".cvx\\ShellNew"));
}

TEST_F(ShellRegistrationTest, RemovesTheSettingsAndTheOrganisationLeftWithoutSubkeys) {
    SetRaw(m_keyPath + L"\\Recent File List", L"File1", REG_SZ, StringBytes(L"C:\\a.cvx"));
    RegCloseKey(m_classes); // the organisation holds only the settings now
    m_classes = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, m_classesPath.c_str());
    AfxRemoveSettingsKey(test::Widen(m_organisation), L"Curvix");
    EXPECT_EQ(test::Dump(m_organisationPath), "(no key)");
}

TEST_F(ShellRegistrationTest, KeepsAnOrganisationThatHasOtherSubkeys) {
    SetRaw(m_keyPath + L"\\Settings", L"PreviewPages", REG_DWORD, test::DwordBytes(0));
    AfxRemoveSettingsKey(test::Widen(m_organisation), L"Curvix");
    EXPECT_EQ(test::Dump(m_keyPath), "(no key)");
    EXPECT_NE(test::Dump(m_classesPath), "(no key)");
}

TEST(ShellProgramPathTest, ShortPathHasNoBlankAndNamesTheSameFile) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"Curvix shell test " +
                              std::to_wstring(GetCurrentProcessId()) + L".exe";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::wstring shortPath = AfxShortPath(path);
    wchar_t longPath[MAX_PATH];
    const DWORD length = GetLongPathNameW(shortPath.c_str(), longPath, MAX_PATH);
    DeleteFileW(path.c_str());
    EXPECT_EQ(shortPath.find(L' '), std::wstring::npos);
    EXPECT_EQ(std::wstring(longPath, length), path);
    // A file that is not there keeps its name; it has no icon either.
    const std::wstring missing = std::wstring(folder) + L"no such program.exe";
    EXPECT_EQ(AfxShortPath(missing), missing);
    EXPECT_EQ(AfxDocumentIconIndex(missing), 0);
}

} // namespace
} // namespace curvix
