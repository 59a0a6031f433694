#pragma once

#include "IniSettings.h"
#include "Profile.h"

#include <QSettings>
#include <QString>
#include <QVariant>
#include <map>
#include <string>
#include <vector>

namespace curvix {

// The per-user settings file QSettings uses for an organisation and the
// application name (on Linux ~/.config/<organisation>/<application>.conf).
// QSettings reads it; the changes are kept here and written by Flush, in
// the bytes QSettings would write, so that QSettings itself never writes.
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

    // Writes the changes into the file as it is now, which is replaced only
    // once all of it is written. False, with the file as it was, when it
    // cannot be read as settings, is read-only, or cannot be written.
    bool Flush();
    // Why the last Flush failed, in the system's words where it gave some.
    const std::string& GetFlushError() const { return m_flushError; }
    QString FileName() const { return m_settings.fileName(); }

private:
    QVariant Value(const QString& key) const;

    QSettings m_settings; // only read from, so it has nothing to write
    CIniSettings m_file;
    // What was written or removed since the start, as reading sees it.
    std::map<QString, QVariant> m_written;
    std::vector<QString> m_removed;
    std::string m_flushError;
};

} // namespace curvix
