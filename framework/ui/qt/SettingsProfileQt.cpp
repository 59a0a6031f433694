#include "ReadFile.h"
#include "SettingsProfile.h"
#include "WriteFileAtomically.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace curvix {

namespace {

// A key as QSettings takes it: no '/' at either end, none doubled.
QString NormalKey(const QString& key) {
    QString normal;
    for (const QChar c : key)
        if (c != QLatin1Char('/') || (!normal.isEmpty() && !normal.endsWith(QLatin1Char('/'))))
            normal += c;
    if (normal.endsWith(QLatin1Char('/')))
        normal.chop(1);
    return normal;
}

QString Key(const std::string& section, const std::string& entry) {
    return NormalKey(QString::fromStdString(section) + QLatin1Char('/') +
                     QString::fromStdString(entry));
}

bool IsUnder(const QString& key, const QString& section) {
    return section.isEmpty() || key == section || key.startsWith(section + QLatin1Char('/'));
}

// The system's words for errno, or fallback when the failing step left
// none there.
std::string SystemCause(const char* fallback) {
    return errno != 0 ? std::strerror(errno) : fallback;
}

std::string EncodedName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Why CReadFile refused a file.
std::string RefusalCause(const CReadFile& file) {
    return file.GetRefusal() == ReadRefusal::notRegularFile ? "is not a regular file"
                                                            : std::strerror(file.GetSystemError());
}

// The file's bytes as CReadFile reads them, so that reading never waits:
// found is false for a missing file, which reads as empty.
bool ReadWhole(const QString& path, QByteArray& bytes, bool& found, std::string& cause) {
    CReadFile file;
    found = file.Open(EncodedName(path));
    if (!found) {
        if (file.GetRefusal() == ReadRefusal::systemError && file.GetSystemError() == ENOENT)
            return true;
        cause = RefusalCause(file);
        return false;
    }
    char buffer[8192];
    std::size_t count = 0;
    errno = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.File())) > 0)
        bytes.append(buffer, static_cast<qsizetype>(count));
    if (std::ferror(file.File()) != 0) {
        cause = SystemCause("it cannot be read");
        return false;
    }
    return true;
}

// A file of the private folder, written in place.
bool WritePlain(const QString& path, const QByteArray& bytes, std::string& cause) {
    errno = 0;
    std::FILE* file = std::fopen(EncodedName(path).c_str(), "wb");
    const auto size = static_cast<std::size_t>(bytes.size());
    bool written = file != nullptr && std::fwrite(bytes.constData(), 1, size, file) == size;
    written = file != nullptr && std::fclose(file) == 0 && written;
    if (!written)
        cause = SystemCause("it cannot be written");
    return written;
}

// The path QSettings uses for organisation and application, found without
// reading that file: QSettings for the organisation alone names the file
// beside the organisation's folder.
QString SettingsPath(const QString& organisation, const QString& application) {
    const QSettings beside(QSettings::NativeFormat, QSettings::UserScope, organisation);
    QString path = beside.fileName();
    path.chop(static_cast<qsizetype>(QFileInfo(path).suffix().size()) + 1);
    return path + QLatin1Char('/') + application + QStringLiteral(".conf");
}

} // namespace

// QSettings reads the file; the changes are kept here until Flush.
struct CSettingsProfile::Impl {
    Impl(const QString& organisation, const QString& application);

    QVariant Value(const QString& key) const;
    void Set(const QString& key, const QVariant& value);
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& fallback);
    int GetInt(const std::string& section, const std::string& entry, int fallback);
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value);
    void WriteInt(const std::string& section, const std::string& entry, int value);
    void RemoveSection(const std::string& section);
    bool Flush();
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

CSettingsProfile::Impl::Impl(const QString& organisation, const QString& application)
    : m_path(SettingsPath(organisation, application)) {
    CReadFile file;
    if (!file.Open(EncodedName(m_path)) && file.GetRefusal() != ReadRefusal::systemError) {
        std::cerr << "Cannot read the settings from " << m_path.toStdString() << ": "
                  << RefusalCause(file) << ".\n";
        return;
    }
    m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             organisation, application);
    const QStringList keys = m_settings->allKeys();
    m_keys = {keys.begin(), keys.end()};
}

QVariant CSettingsProfile::Impl::Value(const QString& key) const {
    const auto written = m_written.find(key);
    if (written != m_written.end())
        return written->second;
    for (const QString& section : m_removed)
        if (IsUnder(key, section))
            return {};
    return m_settings != nullptr ? m_settings->value(key) : QVariant();
}

std::string CSettingsProfile::Impl::GetString(const std::string& section, const std::string& entry,
                                              const std::string& fallback) {
    const QVariant value = Value(Key(section, entry));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

int CSettingsProfile::Impl::GetInt(const std::string& section, const std::string& entry,
                                   int fallback) {
    bool ok = false;
    const int value = Value(Key(section, entry)).toInt(&ok);
    return ok ? value : fallback;
}

void CSettingsProfile::Impl::Set(const QString& key, const QVariant& value) {
    m_written[key] = value;
    if (key.isEmpty())
        return; // QSettings takes no value without a name
    m_taken.erase(key);
    m_added[key] = value;
}

void CSettingsProfile::Impl::WriteString(const std::string& section, const std::string& entry,
                                         const std::string& value) {
    Set(Key(section, entry), QString::fromStdString(value));
}

void CSettingsProfile::Impl::WriteInt(const std::string& section, const std::string& entry,
                                      int value) {
    Set(Key(section, entry), value);
}

void CSettingsProfile::Impl::RemoveSection(const std::string& section) {
    const QString key = Key(section, std::string());
    for (auto it = m_written.begin(); it != m_written.end();)
        it = IsUnder(it->first, key) ? m_written.erase(it) : std::next(it);
    for (auto it = m_added.begin(); it != m_added.end();)
        it = IsUnder(it->first, key) ? m_added.erase(it) : std::next(it);
    for (const QString& read : m_keys)
        if (IsUnder(read, key))
            m_taken.insert(read);
    m_removed.push_back(key);
}

bool CSettingsProfile::Impl::WriteProvenCopy(const QString& folder, const QByteArray* found,
                                             QByteArray& written, QStringList& keys) {
    const QString copyPath = folder + QStringLiteral("/copy.conf");
    if (found != nullptr && !WritePlain(copyPath, *found, m_flushError))
        return false;
    // What the file must hold after the changes, as QSettings reads it.
    std::map<QString, QVariant> meant;
    {
        QSettings copy(copyPath, QSettings::IniFormat);
        const QStringList start = copy.allKeys();
        m_keys = {start.begin(), start.end()};
        for (const QString& key : start)
            meant[key] = copy.value(key);
        for (const QString& key : m_taken) {
            copy.remove(key);
            for (auto it = meant.begin(); it != meant.end();)
                it = IsUnder(it->first, key) ? meant.erase(it) : std::next(it);
        }
        for (const auto& [key, value] : m_added) {
            copy.setValue(key, value);
            meant[key] = value.toString(); // a number reads back as its digits
        }
        // QSettings tells of a line it could not read once it synced.
        copy.sync();
        if (copy.status() == QSettings::FormatError) {
            m_flushError = "it holds a line that is not a setting";
            return false;
        }
        const QFileInfo info(m_path);
        if (info.exists() && !info.isWritable()) {
            m_flushError = std::strerror(EACCES);
            return false;
        }
    }
    bool copied = false;
    if (!ReadWhole(copyPath, written, copied, m_flushError))
        return false;
    // Read back under a name QSettings has not seen, so that it reads the
    // bytes rather than what it remembers of the copy.
    const QString proofPath = folder + QStringLiteral("/proof.conf");
    if (!WritePlain(proofPath, written, m_flushError))
        return false;
    const QSettings proof(proofPath, QSettings::IniFormat);
    keys = proof.allKeys();
    // QSettings ends every line it writes, the last one too.
    bool proven = proof.status() == QSettings::NoError && keys.size() == std::ssize(meant) &&
                  (written.isEmpty() || written.endsWith('\n'));
    for (const auto& [key, value] : meant)
        proven = proven && proof.contains(key) && proof.value(key) == value;
    // A write cut short may still be renamed over the copy without a word
    // from QSettings (as with a file size limit). Writing one byte more
    // than the cut copy holds meets the refusal that cut it.
    if (!proven && WritePlain(folder + QStringLiteral("/cut.conf"), written + '\n', m_flushError))
        m_flushError = "the settings written read back wrong";
    return proven;
}

bool CSettingsProfile::Impl::Flush() {
    m_flushError.clear();
    if (m_added.empty() && m_taken.empty())
        return true;
    const QString folder = QFileInfo(m_path).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        m_flushError = SystemCause("its folder cannot be made");
        return false;
    }
    // Another program writing the file at the same time (another instance,
    // or QSettings elsewhere) waits on the same lock as QSettings takes.
    QLockFile lock(m_path + QStringLiteral(".lock"));
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
    bool found = false;
    if (!ReadWhole(m_path, bytes, found, m_flushError))
        return false;
    // The private folder lies beside the file, on the same file system.
    errno = 0;
    QTemporaryDir privateFolder(m_path + QStringLiteral("-XXXXXX"));
    if (!privateFolder.isValid()) {
        m_flushError = SystemCause("its private copy cannot be made");
        return false;
    }
    QByteArray written;
    QStringList keys;
    if (!WriteProvenCopy(privateFolder.path(), found ? &bytes : nullptr, written, keys) ||
        !WriteFileAtomically(
            EncodedName(m_path),
            std::string_view(written.constData(), static_cast<std::size_t>(written.size())),
            m_flushError))
        return false;
    m_keys = {keys.begin(), keys.end()};
    m_added.clear();
    m_taken.clear();
    return true;
}

CSettingsProfile::CSettingsProfile(const std::string& organisation, const std::string& application)
    : m_pImpl(std::make_unique<Impl>(QString::fromStdString(organisation),
                                     QString::fromStdString(application))) {}

CSettingsProfile::~CSettingsProfile() = default;

std::string CSettingsProfile::GetString(const std::string& section, const std::string& entry,
                                        const std::string& fallback) {
    return m_pImpl->GetString(section, entry, fallback);
}

int CSettingsProfile::GetInt(const std::string& section, const std::string& entry, int fallback) {
    return m_pImpl->GetInt(section, entry, fallback);
}

void CSettingsProfile::WriteString(const std::string& section, const std::string& entry,
                                   const std::string& value) {
    m_pImpl->WriteString(section, entry, value);
}

void CSettingsProfile::WriteInt(const std::string& section, const std::string& entry, int value) {
    m_pImpl->WriteInt(section, entry, value);
}

void CSettingsProfile::RemoveSection(const std::string& section) {
    m_pImpl->RemoveSection(section);
}

bool CSettingsProfile::Flush() {
    return m_pImpl->Flush();
}

const std::string& CSettingsProfile::GetFlushError() const {
    return m_pImpl->m_flushError;
}

std::string CSettingsProfile::FileName() const {
    return m_pImpl->m_path.toStdString();
}

} // namespace curvix
