#include "SettingsProfile.h"

#include "WriteFileAtomically.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace curvix {

namespace {

QString Key(const std::string& section, const std::string& entry) {
    const std::u16string key = CIniSettings::NormalKey(
        (QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry))
            .toStdU16String());
    return QString::fromStdU16String(key);
}

bool IsUnder(const QString& key, const QString& section) {
    return section.isEmpty() || key == section || key.startsWith(section + QLatin1Char('/'));
}

// The system's words for errno, or fallback when the failing step left
// none there.
std::string SystemCause(const char* fallback) {
    return errno != 0 ? std::strerror(errno) : fallback;
}

// The file's bytes; a missing file reads as empty.
bool ReadWhole(const QString& path, QByteArray& bytes, std::string& cause) {
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir()) {
        cause = std::strerror(EISDIR);
        return false;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        cause = SystemCause("it cannot be read");
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        cause = file.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace

CSettingsProfile::CSettingsProfile(const QString& organisation, const QString& application)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application) {
    // What the changes are made to; Flush reads the file again.
    QByteArray bytes;
    std::string cause;
    if (ReadWhole(m_settings.fileName(), bytes, cause))
        m_file.Read(bytes.toStdString());
}

QVariant CSettingsProfile::Value(const QString& key) const {
    const auto written = m_written.find(key);
    if (written != m_written.end())
        return written->second;
    for (const QString& section : m_removed)
        if (IsUnder(key, section))
            return {};
    return m_settings.value(key);
}

std::string CSettingsProfile::GetString(const std::string& section, const std::string& entry,
                                        const std::string& fallback) {
    const QVariant value = Value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

int CSettingsProfile::GetInt(const std::string& section, const std::string& entry, int fallback) {
    bool ok = false;
    const int value = Value(Key(section, entry)).toInt(&ok);
    return ok ? value : fallback;
}

void CSettingsProfile::WriteString(const std::string& section, const std::string& entry,
                                   const std::string& value) {
    const QString key = Key(section, entry);
    const QString text = QString::fromStdString(value);
    m_written[key] = text;
    m_file.SetString(key.toStdU16String(), text.toStdU16String());
}

void CSettingsProfile::WriteInt(const std::string& section, const std::string& entry, int value) {
    const QString key = Key(section, entry);
    m_written[key] = value;
    m_file.SetNumber(key.toStdU16String(), value);
}

void CSettingsProfile::RemoveSection(const std::string& section) {
    const QString key = Key(section, std::string());
    for (auto it = m_written.begin(); it != m_written.end();)
        it = IsUnder(it->first, key) ? m_written.erase(it) : std::next(it);
    m_removed.push_back(key);
    m_file.Remove(key.toStdU16String());
}

bool CSettingsProfile::Flush() {
    m_flushError.clear();
    if (!m_file.HasChanges())
        return true;
    const QString path = FileName();
    errno = 0;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_flushError = SystemCause("its folder cannot be made");
        return false;
    }
    // Another program writing the file at the same time (another instance,
    // or QSettings elsewhere) waits on the same lock as QSettings takes.
    QLockFile lock(path + QStringLiteral(".lock"));
    errno = 0;
    if (!lock.lock()) {
        m_flushError = lock.error() == QLockFile::PermissionError
                           ? std::strerror(EACCES)
                           : SystemCause("its lock file cannot be made");
        return false;
    }
    // The changes go into the file as it is now, which another instance
    // may have written since the start. A file that cannot be read as
    // settings is left for its owner rather than replaced by what could be.
    QByteArray bytes;
    if (!ReadWhole(path, bytes, m_flushError))
        return false;
    if (!m_file.Read(bytes.toStdString())) {
        m_flushError = "it holds a line that is not a setting";
        return false;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) {
        m_flushError = std::strerror(EACCES);
        return false;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), m_file.Text(), m_flushError))
        return false;
    m_file.Commit();
    return true;
}

} // namespace curvix
