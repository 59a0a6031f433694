#include "RecentFileList.h"

#include "Profile.h"
#include "ShownName.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace curvix {

namespace {

// The settings hold text. A path that is not valid UTF-8 is kept there as
// a file URL, whose percent-encoding carries every byte; entries are
// absolute paths, so one that starts with the scheme is always such a URL.
constexpr std::string_view kFileScheme = "file://";

// What separates a path's folders; Windows takes either slash.
#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
#else
constexpr const char* kSeparators = "/";
#endif

// The root a shortened path keeps: "/", or a drive's "C:\".
std::string RootOf(const std::string& path) {
    const std::string_view separators(kSeparators);
#ifdef _WIN32
    if (path.size() > 2 && path[1] == ':' && separators.find(path[2]) != std::string_view::npos)
        return path.substr(0, 3);
#endif
    return !path.empty() && separators.find(path.front()) != std::string_view::npos
               ? path.substr(0, 1)
               : std::string();
}

std::string StoredEntry(const std::string& path) {
    if (IsValidUtf8(path)) {
        return path;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string url(kFileScheme);
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && c != '%') {
            url += c;
        } else {
            url += '%';
            url += kDigits[byte / 16];
            url += kDigits[byte % 16];
        }
    }
    return url;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string PathOfEntry(const std::string& entry) {
    if (entry.rfind(kFileScheme, 0) != 0) {
        return entry;
    }
    std::string path;
    for (std::size_t i = kFileScheme.size(); i < entry.size(); ++i) {
        const int high = entry[i] == '%' && i + 2 < entry.size() ? HexValue(entry[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(entry[i + 2]) : -1;
        if (low >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += entry[i];
        }
    }
    return path;
}

} // namespace

CRecentFileList::CRecentFileList(std::string section, std::string entryFormat, std::size_t size)
    : m_section(std::move(section)), m_entryFormat(std::move(entryFormat)), m_size(size) {}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || m_size == 0) {
        return;
    }
    const auto same = std::find(m_entries.begin(), m_entries.end(), path);
    if (same != m_entries.end()) {
        m_entries.erase(same);
    }
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > m_size) {
        m_entries.resize(m_size);
    }
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < m_entries.size()) {
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

std::string CRecentFileList::GetDisplayName(std::size_t index,
                                            const std::string& currentFolder) const {
    if (index >= m_entries.size()) {
        return std::string();
    }
    const std::string& path = m_entries[index];
    const std::size_t slash = path.find_last_of(kSeparators);
    if (slash != std::string::npos && !currentFolder.empty()) {
        std::string folder = currentFolder;
        while (folder.size() > RootOf(folder).size() &&
               folder.find_last_of(kSeparators) == folder.size() - 1) {
            folder.pop_back();
        }
        const std::string root = RootOf(path);
        const std::string pathFolder = slash < root.size() ? root : path.substr(0, slash);
        if (pathFolder == folder) {
            return AbbreviatePath(path.substr(slash + 1), kDisplayLength);
        }
    }
    return AbbreviatePath(path, kDisplayLength);
}

std::string CRecentFileList::EntryName(std::size_t index) const {
    std::string name = m_entryFormat;
    const std::size_t mark = name.find("%d");
    if (mark != std::string::npos) {
        name.replace(mark, 2, std::to_string(index + 1));
    }
    return name;
}

void CRecentFileList::ReadList(CProfile& profile) {
    m_entries.clear();
    for (std::size_t i = 0; i < m_size; ++i) {
        const std::string path =
            PathOfEntry(profile.GetString(m_section, EntryName(i), std::string()));
        if (!path.empty() &&
            std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end()) {
            m_entries.push_back(path);
        }
    }
}

void CRecentFileList::WriteList(CProfile& profile) const {
    profile.RemoveSection(m_section);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        profile.WriteString(m_section, EntryName(i), StoredEntry(m_entries[i]));
    }
}

std::string AbbreviatePath(const std::string& path, std::size_t maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    static const std::string kEllipsis = "...";
    const std::size_t lastSlash = path.find_last_of(kSeparators);
    std::string name = lastSlash == std::string::npos ? path : path.substr(lastSlash + 1);
    if (name.size() + kEllipsis.size() + 2 > maxLength) {
        // Not even "/.../name" fits: show as much of the name as fits.
        if (name.size() <= maxLength) {
            return name;
        }
        return name.substr(0, maxLength - kEllipsis.size()) + kEllipsis;
    }
    const std::string root = RootOf(path);
    // Take whole components from the end while "/.../" plus them fits.
    std::size_t start = lastSlash;
    for (;;) {
        if (start == 0 || start == std::string::npos) {
            break;
        }
        const std::size_t previous = path.find_last_of(kSeparators, start - 1);
        if (previous == std::string::npos) {
            break;
        }
        const std::size_t candidate = root.size() + kEllipsis.size() + (path.size() - previous);
        if (candidate > maxLength) {
            break;
        }
        start = previous;
    }
    return root + kEllipsis + path.substr(start);
}

} // namespace curvix
