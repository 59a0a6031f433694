#include "RegistrySettingsWin.h"
#include "SettingsProfile.h"
#include "Win32Api.h"

// On Windows the settings live in the registry, under
// HKEY_CURRENT_USER\Software\<organisation>\<application>.

namespace curvix {

struct CSettingsProfile::Impl {
    explicit Impl(const std::string& keyPath) : settings(keyPath) {}
    CRegistrySettings settings;
};

CSettingsProfile::CSettingsProfile(const std::string& organisation, const std::string& application)
    : m_pImpl(std::make_unique<Impl>("Software\\" + organisation + "\\" + application)) {}

CSettingsProfile::~CSettingsProfile() = default;

std::string CSettingsProfile::GetString(const std::string& section, const std::string& entry,
                                        const std::string& fallback) {
    return m_pImpl->settings.GetString(section, entry, fallback);
}

int CSettingsProfile::GetInt(const std::string& section, const std::string& entry, int fallback) {
    return m_pImpl->settings.GetInt(section, entry, fallback);
}

void CSettingsProfile::WriteString(const std::string& section, const std::string& entry,
                                   const std::string& value) {
    m_pImpl->settings.WriteString(section, entry, value);
}

void CSettingsProfile::WriteInt(const std::string& section, const std::string& entry, int value) {
    m_pImpl->settings.WriteInt(section, entry, value);
}

void CSettingsProfile::RemoveSection(const std::string& section) {
    m_pImpl->settings.RemoveSection(section);
}

bool CSettingsProfile::Flush() {
    return m_pImpl->settings.Flush();
}

const std::string& CSettingsProfile::GetFlushError() const {
    return m_pImpl->settings.GetFlushError();
}

std::string CSettingsProfile::FileName() const {
    return m_pImpl->settings.GetKeyName();
}

} // namespace curvix
