#include "RegistrySettingsWin.h"

#include "WinSystem.h"

#include <cstring>
#include <functional>
#include <iostream>
#include <utility>

namespace curvix {

namespace {

// Longest value name the registry takes, with its terminating zero.
constexpr DWORD kMaxValueName = 16384;
constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
// CompareStringOrdinal's flag: names compare as the registry compares them.
constexpr BOOL kIgnoreCase = 1;

class SystemRegistryWriter : public CRegistryWriter {
public:
    LSTATUS CreateKey(HKEY parent, const wchar_t* subKey, HKEY* key, DWORD* disposition) override {
        return RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite,
                               nullptr, key, disposition);
    }
    LSTATUS SetValue(HKEY key, const wchar_t* name, DWORD type, const BYTE* data,
                     DWORD size) override {
        return RegSetValueExW(key, name, 0, type, data, size);
    }
    LSTATUS DeleteTree(HKEY key, const wchar_t* subKey) override {
        return RegDeleteTreeW(key, subKey);
    }
    LSTATUS DeleteValue(HKEY key, const wchar_t* name) override {
        return RegDeleteValueW(key, name);
    }
};

// UTF-16 of UTF-8 text; what is not UTF-8 becomes U+FFFD rather than
// losing the whole text.
std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

// A key path with its parts separated by one '\' each, none at either end:
// the registry refuses a path that starts with one.
std::wstring NormalPath(const std::wstring& path) {
    std::wstring normal;
    for (const wchar_t c : path)
        if (c != L'\\' || (!normal.empty() && normal.back() != L'\\'))
            normal += c;
    if (!normal.empty() && normal.back() == L'\\')
        normal.pop_back();
    return normal;
}

bool SameName(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength) {
    return CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength),
                                kIgnoreCase) == CSTR_EQUAL;
}

// section is removed itself or lies below removed ("" holds every one).
bool IsUnder(const std::wstring& section, const std::wstring& removed) {
    if (removed.empty())
        return true;
    if (section.size() < removed.size() ||
        (section.size() > removed.size() && section[removed.size()] != L'\\'))
        return false;
    return SameName(section.data(), removed.size(), removed.data(), removed.size());
}

std::wstring Join(const std::wstring& path, const std::wstring& part) {
    return path.empty() || part.empty() ? path + part : path + L'\\' + part;
}

// A key of HKEY_CURRENT_USER, closed when it goes.
class OpenedKey {
public:
    OpenedKey() = default;
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() { Close(); }

    // The empty path is HKEY_CURRENT_USER itself.
    LSTATUS Open(const std::wstring& path, REGSAM access) {
        Close();
        if (path.empty()) {
            m_key = HKEY_CURRENT_USER;
            return ERROR_SUCCESS;
        }
        return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &m_key);
    }
    void Take(HKEY key) {
        Close();
        m_key = key;
    }
    HKEY Get() const { return m_key; }

private:
    void Close() {
        if (m_key != nullptr && m_key != HKEY_CURRENT_USER)
            RegCloseKey(m_key);
        m_key = nullptr;
    }

    HKEY m_key = nullptr;
};

// A value as the registry holds it, whatever its type.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// A key's values and subkeys as they were, to put them back.
struct KeyTree {
    std::wstring name; // below its parent; empty for the key read
    std::vector<std::pair<std::wstring, RawValue>> values;
    std::vector<KeyTree> keys;
};

LSTATUS QueryValue(HKEY key, const wchar_t* name, RawValue& value) {
    for (;;) {
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        value.data.resize(size);
        status = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
        if (status != ERROR_MORE_DATA) { // grown since it was measured: measured again
            value.data.resize(size);
            return status;
        }
    }
}

LSTATUS ReadTree(HKEY key, KeyTree& tree) {
    std::vector<wchar_t> name(kMaxValueName);
    for (DWORD index = 0;; ++index) {
        auto length = static_cast<DWORD>(name.size());
        LSTATUS status =
            RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return status;
        std::wstring valueName(name.data(), length);
        RawValue value;
        status = QueryValue(key, valueName.c_str(), value);
        if (status != ERROR_SUCCESS)
            return status;
        tree.values.emplace_back(std::move(valueName), std::move(value));
    }
    for (DWORD index = 0;; ++index) {
        auto length = static_cast<DWORD>(name.size());
        LSTATUS status =
            RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return status;
        KeyTree subtree;
        subtree.name.assign(name.data(), length);
        HKEY child = nullptr;
        status = RegOpenKeyExW(key, subtree.name.c_str(), 0, KEY_READ, &child);
        if (status != ERROR_SUCCESS)
            return status;
        OpenedKey opened;
        opened.Take(child);
        status = ReadTree(child, subtree);
        if (status != ERROR_SUCCESS)
            return status;
        tree.keys.push_back(std::move(subtree));
    }
    return ERROR_SUCCESS;
}

std::wstring TextOf(const RawValue& value) {
    std::wstring text(value.data.size() / sizeof(wchar_t), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
    const std::size_t end = text.find(L'\0');
    return end == std::wstring::npos ? text : text.substr(0, end);
}

// What a value of the settings' own types is as registry bytes; strings
// end with their zero, as the registry's readers expect.
RawValue RawOf(DWORD type, const std::wstring& text, DWORD number) {
    RawValue raw{type, {}};
    if (type == REG_SZ) {
        const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        raw.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    } else {
        const auto* bytes = reinterpret_cast<const BYTE*>(&number);
        raw.data.assign(bytes, bytes + sizeof number);
    }
    return raw;
}

std::string StepName(const char* step, const std::wstring& what) {
    return what.empty() ? std::string(step) : std::string(step) + ' ' + Utf8FromWide(what);
}

} // namespace

CRegistryWriter& AfxSystemRegistryWriter() {
    static SystemRegistryWriter writer;
    return writer;
}

bool RegistryNameLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), kIgnoreCase) == CSTR_LESS_THAN;
}

std::string AfxRegistryErrorText(LSTATUS status) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    // Whoever shows it ends the sentence it is part of.
    if (!text.empty() && text.back() == L'.')
        text.pop_back();
    if (text.empty())
        return "system error " + std::to_string(status);
    return Utf8FromWide(text);
}

// The step of Flush that failed, in words and the system's status.
struct CRegistrySettings::Failure {
    LSTATUS status = ERROR_SUCCESS;
    std::string step;
};

// The registry offers no transaction that works everywhere (transacted
// keys need a kernel transaction, which Microsoft discourages and Wine
// only stubs). So each step that changes the registry leaves a
// step that undoes it: a key made is deleted, a value set gets its old
// bytes (or goes, when it was not there), a tree removed is written again
// from what was read just before. Flush runs them backwards when a later
// step fails. A reader at the same moment may see the change half made,
// and an undo that fails in turn (the registry refusing by then too)
// leaves what it could not put back; the error then says so.
class CRegistrySettings::Transaction {
public:
    explicit Transaction(CRegistryWriter& writer) : m_writer(writer) {}

    // Opens path (below HKEY_CURRENT_USER), making each part that is not
    // there.
    LSTATUS CreatePath(const std::wstring& path, OpenedKey& key) {
        key.Open(std::wstring(), kReadWrite);
        std::wstring done;
        for (std::size_t start = 0; !path.empty() && start <= path.size();) {
            std::size_t end = path.find(L'\\', start);
            end = end == std::wstring::npos ? path.size() : end;
            const std::wstring part = path.substr(start, end - start);
            HKEY child = nullptr;
            DWORD disposition = 0;
            const LSTATUS status =
                m_writer.CreateKey(key.Get(), part.c_str(), &child, &disposition);
            if (status != ERROR_SUCCESS)
                return status;
            key.Take(child);
            if (disposition == REG_CREATED_NEW_KEY)
                m_undo.emplace_back([this, done, part] { return DeleteBelow(done, part.c_str()); });
            done = Join(done, part);
            start = end + 1;
        }
        return ERROR_SUCCESS;
    }

    // Removes the key at path with everything below it; a path that is
    // the settings' own key keeps the key itself.
    LSTATUS RemoveTree(const std::wstring& path, bool keepKey) {
        KeyTree tree;
        {
            OpenedKey key;
            LSTATUS status = key.Open(path, KEY_READ);
            if (status == ERROR_FILE_NOT_FOUND)
                return ERROR_SUCCESS; // nothing there to remove
            if (status == ERROR_SUCCESS)
                status = ReadTree(key.Get(), tree);
            if (status != ERROR_SUCCESS)
                return status;
        }
        LSTATUS status = ERROR_SUCCESS;
        if (keepKey) {
            status = DeleteBelow(path, nullptr);
        } else {
            const std::size_t split = path.rfind(L'\\');
            const std::wstring parent = split == std::wstring::npos ? L"" : path.substr(0, split);
            const std::wstring last = split == std::wstring::npos ? path : path.substr(split + 1);
            status = DeleteBelow(parent, last.c_str());
        }
        // A deletion that fails may have taken part of the tree already;
        // putting back what is there already changes nothing.
        m_undo.emplace_back([this, path, tree] { return Restore(path, tree); });
        return status;
    }

    LSTATUS SetValue(HKEY key, const std::wstring& path, const std::wstring& name,
                     const RawValue& value) {
        RawValue old;
        LSTATUS status = QueryValue(key, name.c_str(), old);
        const bool existed = status == ERROR_SUCCESS;
        if (!existed && status != ERROR_FILE_NOT_FOUND)
            return status;
        status = m_writer.SetValue(key, name.c_str(), value.type, value.data.data(),
                                   static_cast<DWORD>(value.data.size()));
        if (status == ERROR_SUCCESS)
            m_undo.emplace_back([this, path, name, existed, old] {
                OpenedKey opened;
                LSTATUS undone = opened.Open(path, kReadWrite);
                if (undone != ERROR_SUCCESS)
                    return undone;
                return existed
                           ? m_writer.SetValue(opened.Get(), name.c_str(), old.type,
                                               old.data.data(), static_cast<DWORD>(old.data.size()))
                           : m_writer.DeleteValue(opened.Get(), name.c_str());
            });
        return status;
    }

    // Undoes every step done, the last first; false when one could not be.
    bool Undo() {
        bool undone = true;
        while (!m_undo.empty()) {
            undone = m_undo.back()() == ERROR_SUCCESS && undone;
            m_undo.pop_back();
        }
        return undone;
    }

private:
    // subKey of the key at path, or what is below that key for none.
    LSTATUS DeleteBelow(const std::wstring& path, const wchar_t* subKey) {
        OpenedKey key;
        const LSTATUS status = key.Open(path, kReadWrite | DELETE);
        return status == ERROR_SUCCESS ? m_writer.DeleteTree(key.Get(), subKey) : status;
    }

    LSTATUS Restore(const std::wstring& path, const KeyTree& tree) {
        HKEY created = nullptr;
        DWORD disposition = 0;
        LSTATUS status =
            m_writer.CreateKey(HKEY_CURRENT_USER, path.c_str(), &created, &disposition);
        if (status != ERROR_SUCCESS)
            return status;
        OpenedKey key;
        key.Take(created);
        for (const auto& [name, value] : tree.values) {
            const LSTATUS set =
                m_writer.SetValue(key.Get(), name.c_str(), value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size()));
            status = status == ERROR_SUCCESS ? set : status;
        }
        for (const KeyTree& subtree : tree.keys) {
            const LSTATUS restored = Restore(Join(path, subtree.name), subtree);
            status = status == ERROR_SUCCESS ? restored : status;
        }
        return status;
    }

    CRegistryWriter& m_writer;
    std::vector<std::function<LSTATUS()>> m_undo;
};

CRegistrySettings::CRegistrySettings(const std::string& keyPath, CRegistryWriter& writer)
    : m_keyPath(NormalPath(Wide(keyPath))), m_writer(writer) {
    OpenedKey key;
    KeyTree tree;
    LSTATUS status = key.Open(m_keyPath, KEY_READ);
    if (status == ERROR_FILE_NOT_FOUND)
        return; // no settings yet
    if (status == ERROR_SUCCESS)
        status = ReadTree(key.Get(), tree);
    if (status != ERROR_SUCCESS) {
        std::cerr << "Cannot read the settings from " << GetKeyName() << ": "
                  << AfxRegistryErrorText(status) << ".\n";
        return;
    }
    // Sections hold only the settings' own types; others read as missing.
    const std::function<void(const std::wstring&, const KeyTree&)> take =
        [&](const std::wstring& section, const KeyTree& keyTree) {
            for (const auto& [name, raw] : keyTree.values) {
                if (raw.type == REG_SZ) {
                    m_sections[section][name] = Value{REG_SZ, TextOf(raw), 0};
                } else if (raw.type == REG_DWORD && raw.data.size() == sizeof(DWORD)) {
                    DWORD number = 0;
                    std::memcpy(&number, raw.data.data(), sizeof number);
                    m_sections[section][name] = Value{REG_DWORD, {}, number};
                }
            }
            for (const KeyTree& subtree : keyTree.keys)
                take(Join(section, subtree.name), subtree);
        };
    take(std::wstring(), tree);
}

CRegistrySettings::~CRegistrySettings() = default;

std::string CRegistrySettings::GetKeyName() const {
    return "HKEY_CURRENT_USER\\" + Utf8FromWide(m_keyPath);
}

const CRegistrySettings::Value* CRegistrySettings::Find(const std::string& section,
                                                        const std::string& entry) const {
    const auto found = m_sections.find(NormalPath(Wide(section)));
    if (found == m_sections.end())
        return nullptr;
    const auto value = found->second.find(Wide(entry));
    return value != found->second.end() ? &value->second : nullptr;
}

std::string CRegistrySettings::GetString(const std::string& section, const std::string& entry,
                                         const std::string& fallback) const {
    const Value* value = Find(section, entry);
    return value != nullptr && value->type == REG_SZ ? Utf8FromWide(value->text) : fallback;
}

int CRegistrySettings::GetInt(const std::string& section, const std::string& entry,
                              int fallback) const {
    const Value* value = Find(section, entry);
    return value != nullptr && value->type == REG_DWORD ? static_cast<int>(value->number)
                                                        : fallback;
}

void CRegistrySettings::Write(const std::string& section, const std::string& entry, Value value) {
    const std::wstring path = NormalPath(Wide(section));
    const std::wstring name = Wide(entry);
    m_sections[path][name] = value;
    m_writtenSections[path][name] = std::move(value);
}

void CRegistrySettings::WriteString(const std::string& section, const std::string& entry,
                                    const std::string& value) {
    // A string reads back up to its first zero; so it is kept here too.
    std::wstring text = Wide(value);
    if (const std::size_t end = text.find(L'\0'); end != std::wstring::npos)
        text.resize(end);
    Write(section, entry, Value{REG_SZ, std::move(text), 0});
}

void CRegistrySettings::WriteInt(const std::string& section, const std::string& entry, int value) {
    Write(section, entry, Value{REG_DWORD, {}, static_cast<DWORD>(value)});
}

void CRegistrySettings::RemoveSection(const std::string& section) {
    const std::wstring path = NormalPath(Wide(section));
    for (Sections* sections : {&m_sections, &m_writtenSections})
        for (auto it = sections->begin(); it != sections->end();)
            it = IsUnder(it->first, path) ? sections->erase(it) : std::next(it);
    for (const std::wstring& removed : m_removedSections)
        if (SameName(removed.data(), removed.size(), path.data(), path.size()))
            return;
    m_removedSections.push_back(path);
}

CRegistrySettings::Failure CRegistrySettings::Apply(Transaction& transaction) const {
    for (const std::wstring& section : m_removedSections) {
        const LSTATUS status = transaction.RemoveTree(Join(m_keyPath, section), section.empty());
        if (status != ERROR_SUCCESS)
            return {status, StepName("removing", section.empty() ? m_keyPath : section)};
    }
    for (const auto& [section, entries] : m_writtenSections) {
        const std::wstring path = Join(m_keyPath, section);
        OpenedKey key;
        LSTATUS status = transaction.CreatePath(path, key);
        if (status != ERROR_SUCCESS)
            return {status, StepName("making the key", section.empty() ? m_keyPath : section)};
        for (const auto& [name, value] : entries) {
            status = transaction.SetValue(key.Get(), path, name,
                                          RawOf(value.type, value.text, value.number));
            if (status != ERROR_SUCCESS)
                return {status, StepName("writing", Join(section, name))};
        }
    }
    return {};
}

bool CRegistrySettings::Flush() {
    m_flushError.clear();
    if (m_removedSections.empty() && m_writtenSections.empty())
        return true;
    Transaction transaction(m_writer);
    const Failure failure = Apply(transaction);
    if (failure.status != ERROR_SUCCESS) {
        const bool undone = transaction.Undo();
        m_flushError = AfxRegistryErrorText(failure.status) + " (" + failure.step + ")";
        if (!undone)
            m_flushError += "; the settings could not all be put back as they were";
        return false;
    }
    m_removedSections.clear();
    m_writtenSections.clear();
    return true;
}

} // namespace curvix
