#include "ReferenceNumbers.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace curvix::reference {
namespace {

#ifdef _WIN32
_locale_t CLocale() {
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return c;
}

// Switches this thread to the C locale for its lifetime.
class CLocaleScope {
public:
    CLocaleScope()
        : m_previousMode(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)),
          m_previous(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, "C");
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope() {
        std::setlocale(LC_ALL, m_previous.c_str());
        _configthreadlocale(m_previousMode);
    }

private:
    int m_previousMode;
    std::string m_previous;
};

double StrtodInC(const char* text) {
    return _strtod_l(text, nullptr, CLocale());
}
#else
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Switches this thread to the C locale for its lifetime.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(CLocale())) {}
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;
    ~CLocaleScope() { uselocale(m_previous); }

private:
    locale_t m_previous;
};

double StrtodInC(const char* text) {
    return strtod_l(text, nullptr, CLocale());
}
#endif

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string PrintFixed(double value) {
#ifdef _WIN32
    // The MinGW printf drops a NaN's sign, which glibc's prints.
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
#endif
    CLocaleScope scope;
    // The longest "%f" text, -DBL_MAX, has 317 characters.
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%f", value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

double ReadAtof(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    const std::size_t numberStart = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only with at least one digit after e and its sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return StrtodC(std::string(text.substr(numberStart, i - numberStart)));
}

double StrtodC(const std::string& text) {
    return StrtodInC(text.c_str());
}

} // namespace curvix::reference
