#include "ExprString.h"

#include "NumberText.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

namespace curvix {

namespace {

ExprString::Unit Widen(char c) {
    // Sign-widening: bytes 0x80-0xFF become units 0xFF80-0xFFFF.
    return static_cast<ExprString::Unit>(static_cast<std::int16_t>(static_cast<signed char>(c)));
}

} // namespace

ExprString::ExprString(const char* text) : ExprString(text, text ? int(std::strlen(text)) : 0) {}

ExprString::ExprString(const char* text, int length) {
    AssignNarrow(text, length);
}

ExprString::ExprString(double value) {
    char text[kFixedSixMaxChars];
    const auto length = static_cast<int>(FormatFixedSix(value, text));
    AssignNarrow(text, length);
}

ExprString::ExprString(char character) : ExprString(&character, 1) {}

ExprString::ExprString(Unit unit) {
    Reserve(1);
    m_units[0] = unit;
    m_units[1] = 0;
    m_length = 1;
}

ExprString ExprString::FromUnits(const Unit* units, int length) {
    ExprString result;
    if (units && length > 0) {
        result.Reserve(length);
        std::copy_n(units, length, result.m_units.get());
        result.m_units[length] = 0;
        result.m_length = length;
    }
    return result;
}

ExprString::ExprString(const ExprString& other) {
    if (other.m_units) {
        Reserve(other.m_length);
        std::copy_n(other.m_units.get(), other.m_length + 1, m_units.get());
        m_length = other.m_length;
    }
}

ExprString::ExprString(ExprString&& other) noexcept
    : m_units(std::move(other.m_units)), m_capacity(other.m_capacity), m_length(other.m_length) {
    other.m_capacity = 0;
    other.m_length = 0;
}

ExprString& ExprString::operator=(const ExprString& other) {
    if (this != &other) {
        if (!other.m_units) {
            Truncate(0);
        } else {
            Reserve(other.m_length);
            std::copy_n(other.m_units.get(), other.m_length + 1, m_units.get());
            m_length = other.m_length;
        }
    }
    return *this;
}

ExprString& ExprString::operator=(ExprString&& other) noexcept {
    m_units = std::move(other.m_units);
    m_capacity = other.m_capacity;
    m_length = other.m_length;
    other.m_capacity = 0;
    other.m_length = 0;
    return *this;
}

ExprString::~ExprString() = default;

void ExprString::Reserve(int length) {
    if (length + 1 <= m_capacity) {
        return;
    }
    auto units = std::make_unique<Unit[]>(static_cast<std::size_t>(length) + 1);
    if (m_units) {
        std::copy_n(m_units.get(), m_length + 1, units.get());
    } else {
        units[0] = 0;
    }
    m_units = std::move(units);
    m_capacity = length + 1;
}

void ExprString::AssignNarrow(const char* text, int length) {
    length = text ? std::max(length, 0) : 0;
    // Text never holds a unit 0: like a zero-terminated text, it ends there.
    if (const void* zero = length > 0 ? std::memchr(text, 0, std::size_t(length)) : nullptr) {
        length = static_cast<int>(static_cast<const char*>(zero) - text);
    }
    Reserve(length);
    for (int i = 0; i < length; ++i) {
        m_units[i] = Widen(text[i]);
    }
    m_units[length] = 0;
    m_length = length;
}

void ExprString::Truncate(int length) {
    if (m_units && length >= 0 && length < m_length) {
        m_length = length;
        m_units[length] = 0;
    }
}

bool ExprString::operator==(const ExprString& other) const {
    return m_length == other.m_length &&
           (m_length == 0 ||
            std::equal(m_units.get(), m_units.get() + m_length, other.m_units.get()));
}

ExprString ExprString::operator+(const ExprString& other) const {
    ExprString result(*this);
    result.Append(other);
    return result;
}

ExprString ExprString::Mid(int start, int end) const {
    if (end == -1) {
        end = m_length;
    }
    ExprString result;
    if (end < 0 || end > m_length || start < 0 || start > m_length || start >= end) {
        return result;
    }
    result.Reserve(end - start);
    std::copy_n(m_units.get() + start, end - start, result.m_units.get());
    result.m_length = end - start;
    result.m_units[result.m_length] = 0;
    return result;
}

void ExprString::Append(const ExprString& other) {
    if (other.m_length == 0) {
        return;
    }
    const int added = other.m_length; // other may be this string
    Reserve(m_length + added);
    std::copy_n(other.m_units.get(), added, m_units.get() + m_length);
    m_length += added;
    m_units[m_length] = 0;
}

void ExprString::InsertAt(int position, const ExprString& other) {
    // Positions outside the text are pinned to its ends rather than losing it.
    position = std::clamp(position, 0, m_length);
    const ExprString inserted(other);
    if (inserted.m_length == 0) {
        return;
    }
    Reserve(m_length + inserted.m_length);
    Unit* units = m_units.get();
    std::copy_backward(units + position, units + m_length + 1,
                       units + m_length + 1 + inserted.m_length);
    std::copy_n(inserted.m_units.get(), inserted.m_length, units + position);
    m_length += inserted.m_length;
}

void ExprString::RemoveRun(int position, int count) {
    Unit* units = m_units.get();
    std::copy(units + position + count, units + m_length + 1, units + position);
    m_length -= count;
}

void ExprString::RemoveAt(int position) {
    if (position >= 0 && position < m_length) {
        RemoveRun(position, 1);
    }
}

void ExprString::ToLower() {
    for (int i = 0; i < m_length; ++i) {
        if (m_units[i] >= 0x41 && m_units[i] <= 0x5A) {
            m_units[i] = static_cast<Unit>(m_units[i] + 0x20);
        }
    }
}

bool ExprString::MatchesAt(int position, const ExprString& pattern) const {
    for (int j = 0; j < pattern.m_length; ++j) {
        if (position + j >= m_length || At(position + j) != pattern.m_units[j]) {
            return false;
        }
    }
    return true;
}

void ExprString::ReplaceAll(const ExprString& pattern, const ExprString& replacement) {
    const int n = pattern.m_length;
    if (n == 0) {
        return; // an empty pattern would match forever
    }
    const ExprString with(replacement); // either argument may be this string
    const ExprString what(pattern);
    // After a replacement the scan resumes n - 1 units before its place, so
    // a replacement that holds the pattern would be found again for ever;
    // such a call replaces each original occurrence once instead.
    bool rescan = true;
    for (int p = 0; p + n <= with.m_length; ++p) {
        rescan = rescan && !with.MatchesAt(p, what);
    }
    int p = 0;
    while (p < m_length) {
        if (MatchesAt(p, what)) {
            RemoveRun(p, n);
            InsertAt(p, with);
            p = rescan ? p - n + 1 : p + with.m_length;
        } else {
            ++p;
        }
    }
}

void ExprString::RemoveAll(const ExprString& pattern, int start) {
    const int n = pattern.m_length;
    if (n == 0 || start >= m_length) {
        return;
    }
    const ExprString what(pattern);
    int p = start;
    while (p < m_length) {
        if (MatchesAt(p, what)) {
            RemoveRun(p, n);
            p = p - n + 1;
        } else {
            ++p;
        }
    }
}

double ExprString::ToDouble() const {
    char small[64];
    std::string large;
    char* text = small;
    if (m_length > static_cast<int>(sizeof small)) {
        large.resize(static_cast<std::size_t>(m_length));
        text = large.data();
    }
    for (int i = 0; i < m_length; ++i) {
        text[i] = static_cast<char>(m_units[i] & 0xFF);
    }
    return ReadDecimal(text, static_cast<std::size_t>(m_length));
}

const char* ExprString::ToNarrow() {
    m_narrow = std::make_unique<char[]>(static_cast<std::size_t>(m_length) + 1);
    for (int i = 0; i < m_length; ++i) {
        m_narrow[i] = static_cast<char>(m_units[i] & 0xFF);
    }
    m_narrow[m_length] = '\0';
    return m_narrow.get();
}

void ExprString::WriteTo(std::ostream& stream) const {
    for (int i = 0; i < m_length; ++i) {
        stream.put(static_cast<char>(m_units[i] & 0xFF));
    }
}

std::ostream& operator<<(std::ostream& stream, const ExprString& text) {
    text.WriteTo(stream);
    return stream;
}

} // namespace curvix
