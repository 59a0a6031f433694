#pragma once

#include "Profile.h"

#include <QSettings>
#include <QString>
#include <QVariant>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace curvix {

// The per-user settings file QSettings uses for an organisation and the
// application name (on Linux ~/.config/<organisation>/<application>.conf).
// QSettings reads it; the changes are kept here, and Flush has QSettings
// write them into a private copy of the file, which is read back before
// its bytes replace the file, so that a write cut short never does.
class CSettingsProfile : public CProfile {
public:
    // A settings file that is not a regular file (a folder, a pipe, a
    // device) is not read, so that the start never waits on it: one line
    // on standard error says so, and the settings start empty.
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
    QString FileName() const { return m_path; }

private:
    QVariant Value(const QString& key) const;
    void Set(const QString& key, const QVariant& value);
    // The file as found with the changes, written by QSettings in folder;
    // written holds the bytes once QSettings read them back as meant.
    bool WriteProvenCopy(const QString& folder, const QByteArray* found, QByteArray& written,
                         QStringList& keys);

    QString m_path;
    std::unique_ptr<QSettings> m_settings; // only read from; none for a file not read
    // What was written or removed since the start, as reading sees it.
    std::map<QString, QVariant> m_written;
    std::vector<QString> m_removed;
    // What Flush has still to write: the keys set, and those of the file
    // as last read that are taken away.
    std::set<QString> m_keys;
    std::map<QString, QVariant> m_added;
    std::set<QString> m_taken;
    std::string m_flushError;
};

} // namespace curvix
