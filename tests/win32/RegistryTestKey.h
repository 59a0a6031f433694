#pragma once

// A settings key of the test's own under HKEY_CURRENT_USER\Software, made
// empty before each test and removed after it, and the registry's contents
// below it as text to compare.

#include "Win32Api.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix::test {

// "Quenmark-Test-<process id>", so that runs side by side keep apart.
inline std::string TestOrganisation() {
    return "Quenmark-Test-" + std::to_string(GetCurrentProcessId());
}

inline std::wstring Widen(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

// Every key and value below path: "[key]" lines in the registry's order,
// each followed by sorted "name|type|hex bytes" lines for its values;
// "(no key)" when path is not there.
inline void DumpKey(HKEY key, const std::wstring& name, std::string& dump) {
    dump += "[" + std::string(name.begin(), name.end()) + "]\n";
    std::vector<std::string> values;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[16384];
        DWORD nameLength = 16384;
        BYTE data[4096];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            break;
        // The tests' names are ASCII.
        std::string line =
            std::string(valueName, valueName + nameLength) + "|" + std::to_string(type) + "|";
        static constexpr char kHex[] = "0123456789abcdef";
        for (DWORD i = 0; i < size; ++i) {
            line += kHex[data[i] / 16];
            line += kHex[data[i] % 16];
        }
        values.push_back(line + "\n");
    }
    // Values put back may come in another order; they are the same values.
    std::sort(values.begin(), values.end());
    for (const std::string& line : values)
        dump += line;
    for (DWORD index = 0;; ++index) {
        wchar_t subName[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, subName, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, subName, 0, KEY_READ, &sub) != ERROR_SUCCESS) {
            dump += "(cannot open)\n";
            continue;
        }
        DumpKey(sub, name + L"\\" + std::wstring(subName, length), dump);
        RegCloseKey(sub);
    }
}

inline std::string Dump(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "(no key)";
    std::string dump;
    DumpKey(key, L"", dump);
    RegCloseKey(key);
    return dump;
}

inline void SetRaw(const std::wstring& path, const wchar_t* name, DWORD type,
                   const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

inline std::vector<BYTE> StringBytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

inline std::vector<BYTE> DwordBytes(DWORD number) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {bytes, bytes + sizeof number};
}

class RegistryTestKey : public testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }

    void Remove() { RegDeleteTreeW(HKEY_CURRENT_USER, m_organisationPath.c_str()); }

    const std::string m_organisation = TestOrganisation();
    const std::wstring m_organisationPath = L"Software\\" + Widen(m_organisation);
    const std::wstring m_keyPath = m_organisationPath + L"\\Curvix";
    const std::string m_keyPathUtf8 = "Software\\" + m_organisation + "\\Curvix";
};

} // namespace curvix::test
