#pragma once

#include "Profile.h"

#include <QSettings>

namespace curvix {

// The per-user settings in QSettings under an organisation and the
// application name (on Linux ~/.config/<organisation>/<application>.conf).
class CSettingsProfile : public CProfile {
public:
    CSettingsProfile(const QString& organisation, const QString& application);

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& fallback) override;
    int GetInt(const std::string& section, const std::string& entry, int fallback) override;
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;
    void RemoveSection(const std::string& section) override;

    // Writes everything out now (QSettings replaces the file atomically, so
    // a failure keeps the old one); false when that failed.
    bool Flush();
    QString FileName() const { return m_settings.fileName(); }

private:
    QSettings m_settings;
};

} // namespace curvix
