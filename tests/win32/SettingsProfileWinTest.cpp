// The settings profile on the registry: what it writes where, as the
// application reads it back at its next start.

#include "RegistryTestKey.h"
#include "SettingsProfile.h"

#include <climits>
#include <gtest/gtest.h>

namespace curvix {
namespace {

using test::DwordBytes;
using test::SetRaw;
using test::StringBytes;

const char* const kWideName = "C:\\Kurve-\xE6\x9B\xB2\xE7\xBA\xBF.cvx"; // C:\Kurve-曲线.cvx
const wchar_t* const kWideNameUtf16 = L"C:\\Kurve-\x66F2\x7EBF.cvx";

class SettingsProfileWinTest : public test::RegistryTestKey {
protected:
    CSettingsProfile Profile() const { return CSettingsProfile(m_organisation, "Curvix"); }

    // The value as the registry holds it: its type and bytes.
    std::pair<DWORD, std::vector<BYTE>> Query(const std::wstring& section,
                                              const wchar_t* name) const {
        HKEY key = nullptr;
        const std::wstring path = m_keyPath + L"\\" + section;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {REG_NONE, {}};
        std::vector<BYTE> data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegQueryValueExW(key, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            type = REG_NONE, size = 0;
        RegCloseKey(key);
        data.resize(size);
        return {type, data};
    }

    bool KeyExists(const std::wstring& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST(SettingsProfileNameTest, NamesTheKeyUnderTheCurrentUser) {
    EXPECT_EQ(CSettingsProfile("Quenmark", "Curvix").FileName(),
              "HKEY_CURRENT_USER\\Software\\Quenmark\\Curvix");
}

struct StringCase {
    const char* name;
    std::string value;
};

void PrintTo(const StringCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsStringRoundTrip : public SettingsProfileWinTest,
                                public testing::WithParamInterface<StringCase> {};

TEST_P(SettingsStringRoundTrip, ReadsBackAtTheNextStart) {
    {
        CSettingsProfile profile = Profile();
        profile.WriteString("Recent File List", "File1", GetParam().value);
        EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), GetParam().value);
        ASSERT_TRUE(profile.Flush()) << profile.GetFlushError();
    }
    EXPECT_EQ(Profile().GetString("Recent File List", "File1", "none"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsStringRoundTrip,
    testing::Values(StringCase{"Ascii", "C:\\Users\\u\\doc.cvx"},
                    StringCase{"OutsideTheAnsiCodePage", kWideName},
                    StringCase{"OutsideTheBasicPlane", "C:\\\xF0\x9F\x98\x80.cvx"},
                    StringCase{"Empty", ""}, StringCase{"Spaces", " lead and trail "},
                    StringCase{"Long", std::string(5000, 'x')}),
    [](const testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsProfileWinTest, IntsReadBackAtTheNextStart) {
    const int values[] = {0, 3, -12, INT_MAX, INT_MIN};
    {
        CSettingsProfile profile = Profile();
        for (const int value : values)
            profile.WriteInt("Settings", "N" + std::to_string(value), value);
        ASSERT_TRUE(profile.Flush()) << profile.GetFlushError();
    }
    CSettingsProfile read = Profile();
    for (const int value : values)
        EXPECT_EQ(read.GetInt("Settings", "N" + std::to_string(value), 99), value);
}

TEST_F(SettingsProfileWinTest, WritesTheRegistryLayout) {
    {
        CSettingsProfile profile = Profile();
        profile.RemoveSection("Recent File List");
        profile.WriteString("Recent File List", "File1", kWideName);
        profile.WriteString("Recent File List", "File2", "C:\\b.cvx");
        profile.WriteInt("Settings", "PreviewPages", -2);
        ASSERT_TRUE(profile.Flush()) << profile.GetFlushError();
    }
    EXPECT_EQ(Query(L"Recent File List", L"File1"),
              std::make_pair(static_cast<DWORD>(REG_SZ), StringBytes(kWideNameUtf16)));
    EXPECT_EQ(Query(L"Recent File List", L"File2"),
              std::make_pair(static_cast<DWORD>(REG_SZ), StringBytes(L"C:\\b.cvx")));
    EXPECT_EQ(Query(L"Settings", L"PreviewPages"),
              std::make_pair(static_cast<DWORD>(REG_DWORD), DwordBytes(0xFFFFFFFEu)));
    EXPECT_EQ(test::Dump(m_keyPath),
              "[]\n[\\Recent File List]\n"
              "File1|1|43003a005c004b0075007200760065002d00f266bf7e2e00630076007800"
              "0000\n"
              "File2|1|43003a005c0062002e006300760078000000\n"
              "[\\Settings]\nPreviewPages|4|feffffff\n");
}

TEST_F(SettingsProfileWinTest, TheRecentFileListIsEmptiedAndRewritten) {
    const std::wstring recent = m_keyPath + L"\\Recent File List";
    SetRaw(recent, L"File1", REG_SZ, StringBytes(L"C:\\1.cvx"));
    SetRaw(recent, L"File2", REG_SZ, StringBytes(L"C:\\2.cvx"));
    SetRaw(recent + L"\\Below", L"X", REG_SZ, StringBytes(L"y"));
    SetRaw(m_keyPath + L"\\Settings", L"PreviewPages", REG_DWORD, DwordBytes(4));
    {
        CSettingsProfile profile = Profile();
        EXPECT_EQ(profile.GetString("Recent File List", "File2", "none"), "C:\\2.cvx");
        profile.RemoveSection("Recent File List");
        EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), "none");
        EXPECT_TRUE(KeyExists(recent + L"\\Below")); // not before Flush
        profile.WriteString("Recent File List", "File1", "C:\\new.cvx");
        ASSERT_TRUE(profile.Flush()) << profile.GetFlushError();
    }
    EXPECT_FALSE(KeyExists(recent + L"\\Below"));
    CSettingsProfile read = Profile();
    EXPECT_EQ(read.GetString("Recent File List", "File1", "none"), "C:\\new.cvx");
    EXPECT_EQ(read.GetString("Recent File List", "File2", "none"), "none");
    EXPECT_EQ(read.GetInt("Settings", "PreviewPages", 0), 4);
}

TEST_F(SettingsProfileWinTest, AMissingKeyIsEmptySettingsAndNothingIsMadeWithoutChanges) {
    CSettingsProfile profile = Profile();
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), "none");
    EXPECT_EQ(profile.GetInt("Settings", "PreviewPages", -5), -5);
    EXPECT_TRUE(profile.Flush());
    EXPECT_EQ(profile.GetFlushError(), "");
    EXPECT_FALSE(KeyExists(m_organisationPath));
}

struct WrongTypeCase {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    const char* asString; // what GetString gives with fallback "fb"
    int asInt;            // what GetInt gives with fallback -1
};

void PrintTo(const WrongTypeCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsValueTypes : public SettingsProfileWinTest,
                           public testing::WithParamInterface<WrongTypeCase> {};

TEST_P(SettingsValueTypes, ReadAsTheFallbackWhenOfAnotherType) {
    const WrongTypeCase& c = GetParam();
    SetRaw(m_keyPath + L"\\Settings", L"Value", c.type, c.data);
    CSettingsProfile profile = Profile();
    EXPECT_EQ(profile.GetString("Settings", "Value", "fb"), c.asString);
    EXPECT_EQ(profile.GetInt("Settings", "Value", -1), c.asInt);
}

INSTANTIATE_TEST_SUITE_P(
    Types, SettingsValueTypes,
    testing::Values(WrongTypeCase{"String", REG_SZ, StringBytes(L"5"), "5", -1},
                    WrongTypeCase{"Dword", REG_DWORD, DwordBytes(5), "fb", 5},
                    WrongTypeCase{"StringWithoutItsZero", REG_SZ, {'a', 0, 'b', 0}, "ab", -1},
                    WrongTypeCase{"StringOfOddLength", REG_SZ, {'a', 0, 'b'}, "a", -1},
                    WrongTypeCase{"ShortDword", REG_DWORD, {5, 0}, "fb", -1},
                    WrongTypeCase{"ExpandString", REG_EXPAND_SZ, StringBytes(L"%TEMP%"), "fb", -1},
                    WrongTypeCase{"MultiString", REG_MULTI_SZ, StringBytes(L"a"), "fb", -1},
                    WrongTypeCase{"Binary", REG_BINARY, {5, 0, 0, 0}, "fb", -1},
                    WrongTypeCase{"Qword", REG_QWORD, {5, 0, 0, 0, 0, 0, 0, 0}, "fb", -1}),
    [](const testing::TestParamInfo<WrongTypeCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsProfileWinTest, NamesMatchWithoutRegardToCase) {
    SetRaw(m_keyPath + L"\\recent file list", L"file1", REG_SZ, StringBytes(L"C:\\1.cvx"));
    CSettingsProfile profile = Profile();
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), "C:\\1.cvx");
    profile.RemoveSection("RECENT FILE LIST");
    EXPECT_EQ(profile.GetString("Recent File List", "File1", "none"), "none");
    ASSERT_TRUE(profile.Flush()) << profile.GetFlushError();
    EXPECT_FALSE(KeyExists(m_keyPath + L"\\Recent File List"));
}

TEST_F(SettingsProfileWinTest, ASecondProfileSeesTheFirstsFlushedValues) {
    CSettingsProfile first = Profile();
    CSettingsProfile second = Profile();
    first.WriteString("Recent File List", "File1", kWideName);
    EXPECT_EQ(Profile().GetString("Recent File List", "File1", "none"), "none");
    ASSERT_TRUE(first.Flush()) << first.GetFlushError();
    EXPECT_EQ(Profile().GetString("Recent File List", "File1", "none"), kWideName);
    // The one made before the Flush writes its own changes alone.
    second.WriteInt("Settings", "PreviewPages", 2);
    ASSERT_TRUE(second.Flush()) << second.GetFlushError();
    CSettingsProfile third = Profile();
    EXPECT_EQ(third.GetString("Recent File List", "File1", "none"), kWideName);
    EXPECT_EQ(third.GetInt("Settings", "PreviewPages", 0), 2);
}

} // namespace
} // namespace curvix
