#include "ShellRegistrationWin.h"

#include <shellapi.h>
#include <shlobj.h>

namespace curvix {

namespace {

constexpr BOOL kIgnoreCase = 1;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), kIgnoreCase) == CSTR_EQUAL;
}

// A program the shell runs by a command line: quoted when a blank in it
// would cut the command there.
std::wstring CommandProgram(const std::wstring& program) {
    return program.find(L' ') == std::wstring::npos ? program : L'"' + program + L'"';
}

class ClosingKey {
public:
    ClosingKey() = default;
    ClosingKey(const ClosingKey&) = delete;
    ClosingKey& operator=(const ClosingKey&) = delete;
    ~ClosingKey() {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// A string value as the registry holds it; nothing for a missing key or
// value, or one of another type.
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name) {
    ClosingKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    return end == std::wstring::npos ? text : text.substr(0, end);
}

bool IsEmptyKey(HKEY root, const std::wstring& path) {
    ClosingKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                            &values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// One value, written only when the registry holds something else. False
// when it cannot be written.
bool WriteString(HKEY key, const wchar_t* name, const std::wstring& text, HKEY root,
                 const std::wstring& path, CRegistryWriter& writer, bool& changed) {
    const std::optional<std::wstring> current = ReadString(root, path, name);
    if (current.has_value() && *current == text)
        return true;
    const auto* data = reinterpret_cast<const BYTE*>(text.c_str());
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (writer.SetValue(key, name, REG_SZ, data, size) != ERROR_SUCCESS)
        return false;
    changed = true;
    return true;
}

// The key with its values; false when any of it cannot be written.
bool WriteKey(HKEY root, const CShellRegistryKey& entry, CRegistryWriter& writer, bool& changed) {
    ClosingKey key;
    DWORD disposition = 0;
    if (writer.CreateKey(root, entry.path.c_str(), key.Out(), &disposition) != ERROR_SUCCESS)
        return false;
    changed = disposition == REG_CREATED_NEW_KEY;
    if (entry.defaultValue.has_value() &&
        !WriteString(key.Get(), nullptr, *entry.defaultValue, root, entry.path, writer, changed))
        return false;
    for (const auto& [name, text] : entry.namedValues)
        if (!WriteString(key.Get(), name.c_str(), text, root, entry.path, writer, changed))
            return false;
    return true;
}

bool WriteKeys(HKEY root, const std::vector<CShellRegistryKey>& keys, CRegistryWriter& writer,
               CShellRegistrationResult& result) {
    for (const CShellRegistryKey& key : keys) {
        bool changed = false;
        const bool written = WriteKey(root, key, writer, changed);
        if (changed)
            ++result.keysChanged;
        if (!written)
            return false;
    }
    return true;
}

} // namespace

std::vector<CShellRegistryKey> ShellDocumentTypeKeys(const CShellDocumentType& type,
                                                     const std::wstring& program, int iconIndex) {
    const std::wstring& id = type.fileTypeId;
    const std::wstring command = CommandProgram(program);
    return {
        {id, type.fileTypeName, {}},
        {id + L"\\DefaultIcon", program + L',' + std::to_wstring(iconIndex), {}},
        {id + L"\\shell\\open\\command", command + L" \"%1\"", {}},
        {id + L"\\shell\\print\\command", command + L" /p \"%1\"", {}},
        {id + L"\\shell\\printto\\command", command + L" /pt \"%1\" \"%2\" \"%3\" \"%4\"", {}},
    };
}

std::vector<CShellRegistryKey> ShellExtensionKeys(const CShellDocumentType& type) {
    return {
        {type.filterExt, type.fileTypeId, {}},
        {type.filterExt + L"\\ShellNew", std::nullopt, {{L"NullFile", L""}}},
    };
}

bool MayClaimExtension(const std::optional<std::wstring>& current, const std::wstring& typeId) {
    return !current.has_value() || current->empty() || SameName(*current, typeId);
}

CShellRegistrationResult RegisterShellDocumentType(HKEY classes, const CShellDocumentType& type,
                                                   const std::wstring& program, int iconIndex,
                                                   CRegistryWriter& writer) {
    CShellRegistrationResult result;
    if (type.fileTypeId.empty())
        return result;
    if (!WriteKeys(classes, ShellDocumentTypeKeys(type, program, iconIndex), writer, result))
        return result;
    if (!type.filterExt.empty() &&
        MayClaimExtension(ReadString(classes, type.filterExt, nullptr), type.fileTypeId) &&
        !WriteKeys(classes, ShellExtensionKeys(type), writer, result))
        return result;
    result.complete = true;
    return result;
}

void UnregisterShellDocumentType(HKEY classes, const CShellDocumentType& type,
                                 CRegistryWriter& writer) {
    if (type.fileTypeId.empty())
        return;
    writer.DeleteTree(classes, type.fileTypeId.c_str());
    if (type.filterExt.empty())
        return;
    const std::optional<std::wstring> current = ReadString(classes, type.filterExt, nullptr);
    if (!current.has_value() || !SameName(*current, type.fileTypeId))
        return;
    const std::wstring shellNew = type.filterExt + L"\\ShellNew";
    writer.DeleteTree(classes, shellNew.c_str());
    ClosingKey key;
    if (RegOpenKeyExW(classes, type.filterExt.c_str(), 0, KEY_READ | KEY_WRITE, key.Out()) ==
        ERROR_SUCCESS)
        writer.DeleteValue(key.Get(), nullptr);
    // Other programs' entries (an Open With list, say) keep the key.
    if (IsEmptyKey(classes, type.filterExt))
        writer.DeleteTree(classes, type.filterExt.c_str());
}

std::wstring AfxModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring AfxShortPath(const std::wstring& path) {
    const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return path;
    std::wstring shortPath(length, L'\0');
    const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), length);
    if (written == 0 || written >= length)
        return path;
    shortPath.resize(written);
    return shortPath;
}

int AfxDocumentIconIndex(const std::wstring& modulePath) {
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), modulePath.c_str(), 1);
    // ExtractIcon gives 1 for a file that is not a program or an icon.
    if (icon == nullptr || icon == reinterpret_cast<HICON>(1))
        return 0;
    DestroyIcon(icon);
    return 1;
}

void AfxNotifyAssociationsChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void AfxRemoveSettingsKey(const std::wstring& organisation, const std::wstring& application) {
    if (organisation.empty() || application.empty())
        return;
    const std::wstring company = L"Software\\" + organisation;
    RegDeleteTreeW(HKEY_CURRENT_USER, (company + L'\\' + application).c_str());
    // Deletes the key only while it has no subkeys: another program of the
    // organisation keeps it.
    RegDeleteKeyW(HKEY_CURRENT_USER, company.c_str());
}

} // namespace curvix
