#include "IniSettings.h"

#include "IniText.h"

#include <climits>
#include <iterator>
#include <utility>

namespace curvix {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i];
        if (c != lower[i]) {
            return false;
        }
    }
    return true;
}

bool StartsWith(std::u16string_view text, std::u16string_view start) {
    return text.substr(0, start.size()) == start;
}

bool IsUnder(std::u16string_view key, std::u16string_view parent) {
    return key == parent ||
           (key.size() > parent.size() && StartsWith(key, parent) && key[parent.size()] == '/');
}

std::u16string FromAscii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// The next logical line from dataPos on, as QSettings finds it: blank
// lines and ';' comments are passed over, a '\' joins the line end that
// follows it, and quotes may span line ends. equalsPos is the first '='
// outside quotes, or kNone.
bool ReadLine(std::string_view data, std::size_t& dataPos, std::size_t& lineStart,
              std::size_t& lineLength, std::size_t& equalsPos) {
    const std::size_t size = data.size();
    bool inQuotes = false;
    equalsPos = kNone;
    lineStart = dataPos;
    while (lineStart < size && IsLineSpace(data[lineStart])) {
        ++lineStart;
    }
    std::size_t i = lineStart;
    while (i < size) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equalsPos == kNone) {
                equalsPos = i - 1;
            }
        } else if (c == '\n' || c == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size && ((escaped == '\n' && data[i] == '\r') ||
                                 (escaped == '\r' && data[i] == '\n'))) {
                    ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == lineStart + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r') {
                    ++i;
                }
                while (i < size && IsLineSpace(data[i])) {
                    ++i;
                }
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    dataPos = i;
    lineLength = i - lineStart;
    return lineLength > 0;
}

// QString::toInt: blanks around, an optional sign, decimal digits; 0 when
// that is not what the text holds or it is out of range.
int ToInt(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return 0;
    }
    long long total = 0;
    for (const char16_t c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        total = total * 10 + (c - '0');
        if (total > static_cast<long long>(INT_MAX) + 1) {
            return 0;
        }
    }
    total = negative ? -total : total;
    return total < INT_MIN || total > INT_MAX ? 0 : static_cast<int>(total);
}

// The arguments of "@Rect(1 2 3 4)" from the '(' at open on.
std::vector<std::u16string> Arguments(std::u16string_view text, std::size_t open) {
    std::vector<std::u16string> arguments;
    std::u16string item;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == ')') {
            arguments.push_back(item);
        } else if (text[i] == ' ') {
            arguments.push_back(item);
            item.clear();
        } else {
            item += text[i];
        }
    }
    return arguments;
}

// "@Rect(...)", "@Size(...)" and "@Point(...)" with the right number of
// arguments, respelt as the geometry they read as.
bool Geometry(std::u16string_view text, std::u16string& spelt) {
    const struct {
        std::u16string_view start;
        std::size_t count;
    } kinds[] = {{u"@Rect(", 4}, {u"@Size(", 2}, {u"@Point(", 2}};
    for (const auto& kind : kinds) {
        if (!StartsWith(text, kind.start)) {
            continue;
        }
        const auto arguments = Arguments(text, kind.start.size() - 1);
        if (arguments.size() != kind.count) {
            return false;
        }
        spelt = kind.start;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (i != 0) {
                spelt += ' ';
            }
            spelt += FromAscii(std::to_string(ToInt(arguments[i])));
        }
        spelt += ')';
        return true;
    }
    return false;
}

// How QSettings spells a string it stores: with a '@' more when it starts
// with one, inside "@String()" when it holds a NUL.
std::u16string StringSpelling(std::u16string_view text) {
    if (text.find(u'\0') != std::u16string_view::npos) {
        return u"@String(" + std::u16string(text) + u")";
    }
    if (StartsWith(text, u"@")) {
        return u"@" + std::u16string(text);
    }
    return std::u16string(text);
}

// The spelling QSettings writes back for a string it read: what it read it
// as, spelt again. "@Variant(" and "@DateTime(" data stay as they are.
std::u16string Respelt(std::u16string_view text) {
    if (!StartsWith(text, u"@")) {
        return StringSpelling(text);
    }
    if (text.size() > 1 && text.back() == ')') {
        if (StartsWith(text, u"@ByteArray(")) {
            std::u16string bytes(text);
            for (char16_t& c : bytes) {
                c = c > 0xFF ? u'?' : c;
            }
            return bytes;
        }
        if (StartsWith(text, u"@String(")) {
            return StringSpelling(text.substr(8, text.size() - 9));
        }
        if (StartsWith(text, u"@Variant(") || StartsWith(text, u"@DateTime(") ||
            text == u"@Invalid()") {
            return std::u16string(text);
        }
        std::u16string spelt;
        if (Geometry(text, spelt)) {
            return spelt;
        }
    }
    if (StartsWith(text, u"@@")) {
        return StringSpelling(text.substr(1));
    }
    return StringSpelling(text);
}

CIniSettings::Value ValueFromFile(std::string_view spelling) {
    CIniSettings::Value value;
    std::u16string text;
    value.list = IniValueFromFile(spelling, text, value.items);
    if (!value.list) {
        value.items.assign(1, text);
    }
    for (std::u16string& item : value.items) {
        item = Respelt(item);
    }
    return value;
}

// The keys of one section's lines, each prefix + name, into keys; false
// when a line is neither a key nor a comment.
bool ReadSection(const std::u16string& prefix, std::string_view data,
                 std::map<std::u16string, CIniSettings::Value>& keys) {
    bool ok = true;
    std::size_t dataPos = 0;
    std::size_t lineStart = 0;
    std::size_t lineLength = 0;
    std::size_t equalsPos = kNone;
    while (ReadLine(data, dataPos, lineStart, lineLength, equalsPos)) {
        const std::string_view line = data.substr(lineStart, lineLength);
        if (equalsPos == kNone) {
            ok = ok && line.front() == ';';
            continue;
        }
        const std::size_t equals = equalsPos - lineStart;
        keys[prefix + IniKeyFromFile(Trimmed(line.substr(0, equals)))] =
            ValueFromFile(line.substr(equals + 1));
    }
    return ok;
}

} // namespace

std::u16string CIniSettings::NormalKey(std::u16string_view key) {
    std::u16string normal;
    for (const char16_t c : key) {
        if (c != '/' || (!normal.empty() && normal.back() != '/')) {
            normal += c;
        }
    }
    if (!normal.empty() && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

bool CIniSettings::Read(std::string_view bytes) {
    // The lines of each section, by its key prefix ("" for [General]); a
    // section that comes twice is read as one.
    std::map<std::u16string, std::string> sections;
    std::u16string current;
    std::size_t currentStart = 0;
    const auto keepLines = [&](std::size_t end) {
        std::string& lines = sections[current];
        if (!lines.empty()) {
            lines += '\n';
        }
        lines.append(bytes.substr(currentStart, end - currentStart));
    };
    bool ok = true;
    // Lines are found after a byte-order mark, but the mark stays in the
    // lines before the first section: as a line of its own it is one that
    // cannot be read.
    std::size_t dataPos = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    std::size_t lineStart = 0;
    std::size_t lineLength = 0;
    std::size_t equalsPos = kNone;
    while (ReadLine(bytes, dataPos, lineStart, lineLength, equalsPos)) {
        const std::string_view line = bytes.substr(lineStart, lineLength);
        if (line.front() != '[') {
            continue;
        }
        keepLines(lineStart);
        std::size_t close = line.find(']');
        if (close == kNone) {
            ok = false;
            close = line.size();
        }
        const std::string_view name = Trimmed(line.substr(1, close - 1));
        current.clear();
        if (!EqualsIgnoringCase(name, "general")) {
            current = EqualsIgnoringCase(name, "%general") ? FromAscii(name.substr(1))
                                                           : IniKeyFromFile(name);
            current += '/';
        }
        currentStart = dataPos;
    }
    keepLines(lineStart);

    m_read.clear();
    for (const auto& [prefix, lines] : sections) {
        ok = ReadSection(prefix, lines, m_read) && ok;
    }
    return ok;
}

void CIniSettings::SetString(std::u16string_view key, std::u16string_view text) {
    const std::u16string normal = NormalKey(key);
    if (normal.empty()) {
        return; // QSettings takes no value without a name
    }
    m_removed.erase(normal);
    m_added[normal] = Value{{StringSpelling(text)}, false};
}

void CIniSettings::SetNumber(std::u16string_view key, int number) {
    const std::u16string normal = NormalKey(key);
    if (normal.empty()) {
        return;
    }
    m_removed.erase(normal);
    m_added[normal] = Value{{FromAscii(std::to_string(number))}, false};
}

void CIniSettings::Remove(std::u16string_view key) {
    const std::u16string normal = NormalKey(key);
    for (auto it = m_added.begin(); it != m_added.end();) {
        it = IsUnder(it->first, normal) || normal.empty() ? m_added.erase(it) : std::next(it);
    }
    for (const auto& entry : m_read) {
        if (IsUnder(entry.first, normal) || normal.empty()) {
            m_removed.insert(entry.first);
        }
    }
}

std::map<std::u16string, CIniSettings::Value> CIniSettings::Merged() const {
    std::map<std::u16string, Value> merged = m_read;
    for (const std::u16string& key : m_removed) {
        merged.erase(key);
    }
    for (const auto& [key, value] : m_added) {
        merged[key] = value;
    }
    return merged;
}

std::string CIniSettings::Text() const {
    // Each section's keys, by the part of the key before its first '/'.
    std::map<std::u16string, std::vector<std::pair<std::u16string, const Value*>>> sections;
    const std::map<std::u16string, Value> merged = Merged();
    for (const auto& [key, value] : merged) {
        const std::size_t slash = key.find('/');
        if (slash == std::u16string::npos) {
            sections[u""].emplace_back(key, &value);
        } else {
            sections[key.substr(0, slash)].emplace_back(key.substr(slash + 1), &value);
        }
    }
    std::string text;
    for (const auto& [name, keys] : sections) {
        if (!text.empty()) {
            text += '\n';
        }
        std::string header;
        AppendIniKey(name, header);
        if (header.empty()) {
            header = "General";
        } else if (EqualsIgnoringCase(header, "general")) {
            header = "%General";
        }
        text += '[' + header + "]\n";
        for (const auto& [key, value] : keys) {
            AppendIniKey(key, text);
            text += '=';
            if (value->list) {
                AppendIniStringList(value->items, text);
            } else {
                AppendIniString(value->items.front(), text);
            }
            text += '\n';
        }
    }
    return text;
}

void CIniSettings::Commit() {
    m_read = Merged();
    m_added.clear();
    m_removed.clear();
}

} // namespace curvix
