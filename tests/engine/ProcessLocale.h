#pragma once

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

namespace curvix::testing {

// Switches the whole process (C library and C++ global locale) to a named
// locale for the lifetime of the object and back afterwards.
class ScopedProcessLocale {
public:
    explicit ScopedProcessLocale(const char* name)
        : m_previous(std::setlocale(LC_ALL, nullptr)), m_previousGlobal() {
#ifdef _WIN32
        // The C++ library there knows only the "C" locale: the C library's
        // is the one a German decimal comma could leak from.
        m_active = std::setlocale(LC_ALL, WindowsName(name)) != nullptr;
        m_previousGlobal = std::locale::global(std::locale::classic());
#else
        m_active = std::setlocale(LC_ALL, name) != nullptr;
        if (m_active) {
            m_previousGlobal = std::locale::global(std::locale(name));
        }
#endif
    }
    ScopedProcessLocale(const ScopedProcessLocale&) = delete;
    ScopedProcessLocale& operator=(const ScopedProcessLocale&) = delete;
    ~ScopedProcessLocale() {
        if (m_active) {
            std::locale::global(m_previousGlobal);
        }
        std::setlocale(LC_ALL, m_previous.c_str());
    }

    bool Active() const {
        return m_active;
    }

private:
#ifdef _WIN32
    static const char* WindowsName(const char* name) {
        return std::string(name) == "de_DE.UTF-8" ? "German_Germany.1252" : name;
    }
#endif

    std::string m_previous;
    std::locale m_previousGlobal;
    bool m_active = false;
};

// CI installs the German locale (scripts/install-deps.sh), so there a
// missing one is a failure; elsewhere the locale tests are skipped.
inline bool LocaleRequired() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

} // namespace curvix::testing

// Enters de_DE.UTF-8 for the rest of the test body, or skips or fails it.
#define CURVIX_ENTER_GERMAN_LOCALE(scope)                                                          \
    ::curvix::testing::ScopedProcessLocale scope("de_DE.UTF-8");                                   \
    if (!scope.Active()) {                                                                         \
        if (::curvix::testing::LocaleRequired()) {                                                 \
            FAIL() << "locale de_DE.UTF-8 is missing (scripts/install-deps.sh makes it)";          \
        }                                                                                          \
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";                                     \
    }
