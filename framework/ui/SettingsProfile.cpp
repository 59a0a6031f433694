#include "SettingsProfile.h"

namespace curvix {

namespace {

QString Key(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}

} // namespace

CSettingsProfile::CSettingsProfile(const QString& organisation, const QString& application)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application) {}

std::string CSettingsProfile::GetString(const std::string& section, const std::string& entry,
                                        const std::string& fallback) {
    const QVariant value = m_settings.value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

int CSettingsProfile::GetInt(const std::string& section, const std::string& entry, int fallback) {
    bool ok = false;
    const int value = m_settings.value(Key(section, entry)).toInt(&ok);
    return ok ? value : fallback;
}

void CSettingsProfile::WriteString(const std::string& section, const std::string& entry,
                                   const std::string& value) {
    m_settings.setValue(Key(section, entry), QString::fromStdString(value));
}

void CSettingsProfile::WriteInt(const std::string& section, const std::string& entry, int value) {
    m_settings.setValue(Key(section, entry), value);
}

bool CSettingsProfile::Flush() {
    // The status keeps the first error, which may be a file that could not
    // be read at start; only a failure of this write counts here.
    const bool readWell = m_settings.status() == QSettings::NoError;
    m_settings.sync();
    return !readWell || m_settings.status() == QSettings::NoError;
}

void CSettingsProfile::RemoveSection(const std::string& section) {
    m_settings.remove(QString::fromStdString(section));
}

} // namespace curvix
