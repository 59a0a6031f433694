#include "SettingsProfile.h"

#include "SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cstdio>
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

// The file's bytes; a missing file reads as empty.
bool ReadWhole(const QString& path, QByteArray& bytes) {
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool WriteWhole(const QString& path, const std::string& text) {
    CSaveFile file;
    if (!file.Open(QFile::encodeName(path).toStdString()))
        return false;
    if (std::fwrite(text.data(), 1, text.size(), file.File()) != text.size()) {
        file.Cancel();
        return false;
    }
    return file.Commit();
}

} // namespace

CSettingsProfile::CSettingsProfile(const QString& organisation, const QString& application)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organisation, application) {
    // What the changes are made to; Flush reads the file again.
    QByteArray bytes;
    if (ReadWhole(m_settings.fileName(), bytes))
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
    if (!m_file.HasChanges())
        return true;
    const QString path = FileName();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // Another program writing the file at the same time (another instance,
    // or QSettings elsewhere) waits on the same lock as QSettings takes.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.lock())
        return false;
    // The changes go into the file as it is now, which another instance
    // may have written since the start. A file that cannot be read as
    // settings is left for its owner rather than replaced by what could be.
    QByteArray bytes;
    if (!ReadWhole(path, bytes) || !m_file.Read(bytes.toStdString()))
        return false;
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        return false;
    if (!WriteWhole(path, m_file.Text()))
        return false;
    m_file.Commit();
    return true;
}

} // namespace curvix
