#include "MimeAppsList.h"

#include <optional>
#include <utility>
#include <vector>

namespace curvix {
namespace {

const char* const kDefaultGroup = "[Default Applications]";

std::string Trimmed(const std::string& s) {
    const char* const blanks = " \t\r";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// The file cut after each line feed; the last piece has none when the file
// does not end with one. Joining the pieces gives the text back unchanged.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line;
    return text;
}

std::string WithoutLineFeed(const std::string& line) {
    return !line.empty() && line.back() == '\n' ? line.substr(0, line.size() - 1) : line;
}

bool IsGroupHeader(const std::string& line) {
    const std::string t = Trimmed(line);
    return !t.empty() && t.front() == '[';
}

// key and value of a "key=value" line
using Entry = std::pair<std::string, std::string>;

std::optional<Entry> ParseEntry(const std::string& line) {
    const std::string t = Trimmed(WithoutLineFeed(line));
    if (t.empty() || t.front() == '#')
        return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return Entry{Trimmed(t.substr(0, eq)), Trimmed(t.substr(eq + 1))};
}

std::vector<std::string> SplitList(const std::string& value) {
    std::vector<std::string> items;
    std::string::size_type start = 0;
    while (start <= value.size()) {
        auto end = value.find(';', start);
        if (end == std::string::npos)
            end = value.size();
        std::string item = Trimmed(value.substr(start, end - start));
        if (!item.empty())
            items.push_back(item);
        start = end + 1;
    }
    return items;
}

// Where the group and the type's line are, as indices into the lines.
struct Location {
    std::optional<std::size_t> group;
    std::optional<std::size_t> entry;
    std::vector<std::string> ids;
};

Location Find(const std::vector<std::string>& lines, const std::string& mimeType,
              const std::string& group = kDefaultGroup) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsGroupHeader(lines[i])) {
            if (where.group)
                break; // only the first such group counts
            if (Trimmed(WithoutLineFeed(lines[i])) == group)
                where.group = i;
            continue;
        }
        if (!where.group)
            continue;
        const auto entry = ParseEntry(lines[i]);
        if (entry && entry->first == mimeType) {
            where.entry = i;
            where.ids = SplitList(entry->second);
            break;
        }
    }
    return where;
}

} // namespace

std::vector<std::string> ApplicationsListed(const std::string& text, const std::string& group,
                                            const std::string& mimeType) {
    return Find(Lines(text), mimeType, group).ids;
}

bool HoldsNoEntries(const std::string& text) {
    for (const auto& line : Lines(text)) {
        const std::string t = Trimmed(WithoutLineFeed(line));
        if (!t.empty() && !IsGroupHeader(t))
            return false;
    }
    return true;
}

std::string DefaultApplicationFor(const std::string& text, const std::string& mimeType) {
    const Location where = Find(Lines(text), mimeType);
    return where.ids.empty() ? std::string() : where.ids.front();
}

std::string WithDefaultApplication(const std::string& text, const std::string& mimeType,
                                   const std::string& desktopId) {
    std::vector<std::string> lines = Lines(text);
    const Location where = Find(lines, mimeType);
    const std::string line = mimeType + "=" + desktopId + ";\n";
    if (where.entry) {
        lines[*where.entry] = line;
    } else if (where.group) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*where.group) + 1, line);
        if (lines[*where.group].back() != '\n')
            lines[*where.group] += '\n';
    } else {
        if (!lines.empty() && lines.back().back() != '\n')
            lines.back() += '\n';
        lines.push_back(std::string(kDefaultGroup) + "\n");
        lines.push_back(line);
    }
    return Joined(lines);
}

std::string WithoutDefaultApplication(const std::string& text, const std::string& mimeType,
                                      const std::string& desktopId) {
    std::vector<std::string> lines = Lines(text);
    const Location where = Find(lines, mimeType);
    if (!where.entry)
        return text;
    if (where.ids.empty() || where.ids.front() != desktopId)
        return text; // another program is the default: not ours to change
    std::string rest;
    for (const auto& id : where.ids)
        if (id != desktopId)
            rest += id + ";";
    if (rest.empty())
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*where.entry));
    else
        lines[*where.entry] = mimeType + "=" + rest + "\n";
    return Joined(lines);
}

} // namespace curvix
