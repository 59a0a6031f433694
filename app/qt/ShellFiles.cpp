#include "ShellFiles.h"

#include "WriteFileAtomically.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <string>
#include <string_view>

namespace curvix {
namespace {

// The desktop's database tools normally take well under a second; a hung
// one must not keep the program from starting.
constexpr int kToolTimeoutMs = 10000;

// What update-mime-database writes beside packages/, besides a folder of
// XML files per media type.
constexpr const char* kMimeDatabaseFiles[] = {
    "aliases",    "generic-icons", "globs",     "globs2", "icons",   "magic",
    "mime.cache", "subclasses",    "treemagic", "types",  "version", "XMLnamespaces"};

bool SaveAtomically(const QString& path, const QByteArray& content) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    std::string cause; // the caller tells only that the file was not written
    return WriteFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::string_view(content.constData(), static_cast<std::size_t>(content.size())), cause);
}

bool HoldsOnlyXmlFiles(const QString& folder) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries)
        if (!entry.isFile() || entry.suffix() != QLatin1String("xml"))
            return false;
    return true;
}

} // namespace

QByteArray ReadRegularFile(const QString& path, bool* readable) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        *readable = true;
        return {};
    }
    QFile file(path);
    *readable = info.isFile() && file.open(QIODevice::ReadOnly);
    return *readable ? file.readAll() : QByteArray();
}

FileChange WriteIfDifferent(const QString& path, const QByteArray& content) {
    bool readable = false;
    const QByteArray old = ReadRegularFile(path, &readable);
    if (readable && QFileInfo(path).isFile() && old == content)
        return FileChange::Unchanged;
    return SaveAtomically(path, content) ? FileChange::Written : FileChange::Failed;
}

void RemoveEmptyFolders(const QString& folder, const QString& stop) {
    const QString inside = QDir::cleanPath(stop) + QLatin1Char('/');
    QString current = QDir::cleanPath(folder);
    while (current.startsWith(inside)) {
        if (QFileInfo::exists(current) && !QDir().rmdir(current)) // rmdir: only when empty
            return;
        current = QFileInfo(current).path();
    }
}

void RunDesktopTool(const char* name, const QString& folder) {
    const QString tool = QStandardPaths::findExecutable(QLatin1String(name));
    if (tool.isEmpty() || !QFileInfo(folder).isDir())
        return;
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {folder});
    if (!process.waitForStarted(kToolTimeoutMs))
        return;
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
    }
}

bool RemoveMimeDatabaseWithoutPackages(const QString& mimeFolder) {
    const QDir packages(mimeFolder + QStringLiteral("/packages"));
    if (!packages.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        return false;
    for (const char* name : kMimeDatabaseFiles)
        QFile::remove(mimeFolder + QLatin1Char('/') + QLatin1String(name));
    const QStringList mediaTypes = QDir(mimeFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& mediaType : mediaTypes) {
        const QString folder = mimeFolder + QLatin1Char('/') + mediaType;
        if (mediaType != QLatin1String("packages") && HoldsOnlyXmlFiles(folder))
            QDir(folder).removeRecursively();
    }
    return true;
}

} // namespace curvix
