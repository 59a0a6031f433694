#include "IniText.h"

#include <cstdint>

namespace curvix {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kInvalid = -1;
constexpr int kCutShort = -2; // a sequence the bytes end inside of

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

int HexValue(char32_t c) {
    if (c >= '0' && c <= '9') {
        return static_cast<int>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<int>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<int>(c - 'A' + 10);
    }
    return -1;
}

// The code point whose UTF-8 sequence starts at bytes[at] and the number of
// bytes it takes, kInvalid for a byte that starts no valid sequence, or
// kCutShort when the bytes end inside one that is valid so far.
int DecodeOne(std::string_view bytes, std::size_t at, char32_t& point) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if (lead <= 0xC1 || lead >= 0xF5) {
        return kInvalid;
    }
    if (lead < 0xE0) {
        length = 2;
        least = 0x80;
        point = lead & 0x1Fu;
    } else if (lead < 0xF0) {
        length = 3;
        least = 0x800;
        point = lead & 0x0Fu;
    } else {
        length = 4;
        least = 0x10000;
        point = lead & 0x07u;
    }
    const std::size_t available = bytes.size() - at - 1;
    for (std::size_t k = 1; k < length; ++k) {
        if (k > available) {
            return kCutShort;
        }
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if (!IsContinuation(next)) {
            return kInvalid;
        }
        point = (point << 6) | (next & 0x3Fu);
    }
    if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
        return kInvalid;
    }
    return static_cast<int>(length);
}

void AppendPoint(char32_t point, std::u16string& out) {
    if (point < 0x10000) {
        out += static_cast<char16_t>(point);
        return;
    }
    point -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (point >> 10));
    out += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
}

void AppendUtf8(char32_t point, std::string& out) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// Decodes a value that arrives in pieces, as Qt's stateful decoder does: a
// sequence cut at the end of one piece is finished by the next, one still
// unfinished at the end is lost, and a byte-order mark at the very start
// is dropped.
class PieceDecoder {
public:
    void Decode(std::string_view piece, std::u16string& out) {
        if (piece.empty()) {
            return;
        }
        std::size_t at = 0;
        if (!m_pending.empty() || !m_started) {
            std::string first = m_pending;
            first.append(piece.substr(0, 4 - m_pending.size()));
            char32_t point = 0;
            const int used = DecodeOne(first, 0, point);
            if (used == kCutShort) {
                m_pending = first;
                return;
            }
            if (used == kInvalid) {
                out += kReplacement;
                at = 1; // Qt skips a byte of the new piece here too
            } else {
                if (m_started || point != 0xFEFF) {
                    AppendPoint(point, out);
                }
                at = static_cast<std::size_t>(used) - m_pending.size();
            }
            m_started = true;
            m_pending.clear();
        }
        while (at < piece.size()) {
            char32_t point = 0;
            const int used = DecodeOne(piece, at, point);
            if (used == kCutShort) {
                m_pending.assign(piece.substr(at));
                return;
            }
            if (used == kInvalid) {
                out += kReplacement;
                ++at;
            } else {
                AppendPoint(point, out);
                at += static_cast<std::size_t>(used);
            }
        }
    }

private:
    std::string m_pending;
    bool m_started = false;
};

// Encodes a string one unit at a time, as Qt's stateful encoder does: a
// high surrogate waits for its low one, and one left without becomes
// U+FFFD (or nothing, at the end).
class UnitEncoder {
public:
    void Encode(char16_t unit, std::string& out) {
        if (m_high != 0) {
            const char16_t high = m_high;
            m_high = 0;
            if (IsLowSurrogate(unit)) {
                AppendUtf8(0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) +
                               (static_cast<char32_t>(unit) - 0xDC00),
                           out);
                return;
            }
            AppendUtf8(kReplacement, out);
        }
        if (IsHighSurrogate(unit)) {
            m_high = unit;
        } else if (IsLowSurrogate(unit)) {
            AppendUtf8(kReplacement, out);
        } else {
            AppendUtf8(unit, out);
        }
    }

private:
    char16_t m_high = 0;
};

bool IsQtSpace(char16_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The number QString::toUShort(&ok, 16) reads: blanks around, an optional
// '+' and "0x", then hex digits only.
bool ReadHex(std::u16string_view digits, char16_t& value) {
    while (!digits.empty() && IsQtSpace(digits.front())) {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && IsQtSpace(digits.back())) {
        digits.remove_suffix(1);
    }
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
    }
    if (digits.empty()) {
        return false;
    }
    unsigned total = 0;
    for (const char16_t c : digits) {
        const int digit = HexValue(c);
        if (digit < 0) {
            return false;
        }
        total = total * 16 + static_cast<unsigned>(digit);
    }
    value = static_cast<char16_t>(total);
    return true;
}

char SimpleEscape(char c) {
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
        return c;
    default:
        return 0;
    }
}

void ChopTrailingBlanks(std::u16string& text, std::size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
}

bool StartsWith(std::u16string_view text, std::u16string_view start) {
    return text.substr(0, start.size()) == start;
}

void AppendHex(unsigned value, std::string& out) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    out += digits;
}

} // namespace

std::u16string Utf16FromUtf8(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        char32_t point = 0;
        const int used = DecodeOne(bytes, at, point);
        if (used > 0) {
            AppendPoint(point, out);
            at += static_cast<std::size_t>(used);
        } else {
            out += kReplacement;
            ++at;
        }
    }
    return out;
}

void AppendIniKey(std::u16string_view key, std::string& out) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char16_t c : key) {
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kDigits[c / 16];
            out += kDigits[c % 16];
        } else {
            out += "%U";
            out += kDigits[(c >> 12) & 0xF];
            out += kDigits[(c >> 8) & 0xF];
            out += kDigits[(c >> 4) & 0xF];
            out += kDigits[c & 0xF];
        }
    }
}

std::u16string IniKeyFromFile(std::string_view spelling) {
    const std::u16string decoded = Utf16FromUtf8(spelling);
    const std::size_t size = decoded.size();
    std::u16string key;
    key.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const char16_t c = decoded[i];
        if (c == '\\') {
            key += '/';
            ++i;
            continue;
        }
        if (c != '%' || i == size - 1) {
            key += c;
            ++i;
            continue;
        }
        std::size_t first = i + 1;
        std::size_t count = 2;
        if (decoded[first] == 'U') {
            ++first;
            count = 4;
        }
        char16_t unit = 0;
        if (first + count > size ||
            !ReadHex(std::u16string_view(decoded).substr(first, count), unit)) {
            key += '%';
            ++i;
            continue;
        }
        key += unit;
        i = first + count;
    }
    return key;
}

void AppendIniString(std::u16string_view text, std::string& out) {
    const bool bytes = StartsWith(text, u"@ByteArray(") || StartsWith(text, u"@Variant(") ||
                       StartsWith(text, u"@DateTime(");
    const std::size_t start = out.size();
    bool quote = false;
    // After a numeric escape a hex digit would read as part of it.
    bool escapeDigits = false;
    UnitEncoder encoder;
    for (const char16_t c : text) {
        if (c == ';' || c == ',' || c == '=') {
            quote = true;
        }
        if (escapeDigits && HexValue(c) >= 0) {
            out += "\\x";
            AppendHex(c, out);
            continue;
        }
        escapeDigits = false;
        switch (c) {
        case '\0':
            out += "\\0";
            escapeDigits = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += static_cast<char>(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && bytes)) {
                out += "\\x";
                AppendHex(c, out);
                escapeDigits = true;
            } else if (bytes) {
                out += static_cast<char>(c);
            } else {
                encoder.Encode(c, out);
            }
        }
    }
    if (quote || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, 1, '"');
        out += '"';
    }
}

void AppendIniStringList(const std::vector<std::u16string>& items, std::string& out) {
    if (items.empty()) {
        out += "@Invalid()";
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i != 0) {
            out += ", ";
        }
        AppendIniString(items[i], out);
    }
}

bool IniValueFromFile(std::string_view spelling, std::u16string& text,
                      std::vector<std::u16string>& list) {
    const std::size_t size = spelling.size();
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false; // the current item had a quote: its blanks stay
    PieceDecoder decoder;
    std::size_t i = 0;
    // Blanks before this index are escaped ones, which stay.
    std::size_t chopLimit = text.size();
    const auto skipBlanks = [&] {
        while (i < size && (spelling[i] == ' ' || spelling[i] == '\t')) {
            ++i;
        }
        chopLimit = text.size();
    };
    // Reads the digits of a numeric escape into one unit; false when the
    // value ends with them, which ends it without chopping blanks.
    const auto readNumber = [&](unsigned base, char16_t unit) {
        while (i < size) {
            const int digit = HexValue(static_cast<unsigned char>(spelling[i]));
            if (digit < 0 || static_cast<unsigned>(digit) >= base) {
                break;
            }
            unit = static_cast<char16_t>(unit * base + static_cast<unsigned>(digit));
            ++i;
        }
        text += unit;
        chopLimit = text.size();
        return i < size;
    };

    skipBlanks();
    while (true) {
        if (i >= size) {
            if (!quoted) {
                ChopTrailingBlanks(text, chopLimit);
            }
            break;
        }
        const char c = spelling[i];
        if (c == '\\') {
            if (++i >= size) {
                break;
            }
            const char escaped = spelling[i++];
            if (const char plain = SimpleEscape(escaped); plain != 0) {
                text += static_cast<char16_t>(plain);
                chopLimit = text.size();
                continue;
            }
            if (escaped == 'x') {
                if (i >= size) {
                    break;
                }
                if (HexValue(static_cast<unsigned char>(spelling[i])) >= 0) {
                    if (!readNumber(16, 0)) {
                        break;
                    }
                    continue;
                }
            } else if (escaped >= '0' && escaped <= '7') {
                if (!readNumber(8, static_cast<char16_t>(escaped - '0'))) {
                    break;
                }
                continue;
            } else if (escaped == '\n' || escaped == '\r') {
                // A line continued: "\r\n" and "\n\r" are one line end.
                if (i < size && (spelling[i] == '\n' || spelling[i] == '\r') &&
                    spelling[i] != escaped) {
                    ++i;
                }
            }
            chopLimit = text.size();
            continue;
        }
        if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
            }
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!quoted) {
                ChopTrailingBlanks(text, chopLimit);
            }
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.push_back(text);
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
            continue;
        }
        std::size_t end = i + 1;
        while (end < size && spelling[end] != '\\' && spelling[end] != '"' &&
               spelling[end] != ',') {
            ++end;
        }
        decoder.Decode(spelling.substr(i, end - i), text);
        i = end;
    }
    if (isList) {
        list.push_back(text);
    }
    return isList;
}

} // namespace curvix
