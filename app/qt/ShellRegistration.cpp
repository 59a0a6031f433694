#include "ShellRegistration.h"

#include "MimeAppsList.h"
#include "ShellData.h"
#include "ShellFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace curvix {
namespace {

// The PNG icons the build drew from the scalable ones, at every size of
// the hicolor theme: :/hicolor/SIZExSIZE/{apps,mimetypes}/NAME.png.
constexpr char kIconResources[] = ":/hicolor";

constexpr char kMimeCacheGroup[] = "[MIME Cache]";

// The line that marks a desktop entry as one a Curvix wrote for the user,
// not one the user made.
constexpr char kPerUserMark[] = "X-Curvix-Registration=per-user\n";

struct ShellFile {
    QString path; // relative to the data folder
    QByteArray content;
};

QString DocumentIconName() {
    return QString::fromLatin1(kCurvixMimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
}

QByteArray ResourceContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<ShellFile> RegistrationFiles(const QString& program) {
    std::vector<ShellFile> files;
    files.push_back(
        {QStringLiteral("mime/packages/curvix-document.xml"), QByteArray(CurvixMimePackageXml())});
    const QString icons = QLatin1String(kIconResources);
    QDirIterator it(icons, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString resource = it.next();
        files.push_back({QStringLiteral("icons/hicolor") + resource.mid(icons.size()),
                         ResourceContent(resource)});
    }
    files.push_back({QStringLiteral("icons/hicolor/scalable/apps/curvix.svg"),
                     QByteArray(CurvixScalableIconSvg())});
    files.push_back({QStringLiteral("icons/hicolor/scalable/mimetypes/") + DocumentIconName() +
                         QStringLiteral(".svg"),
                     QByteArray(CurvixScalableDocumentIconSvg())});
    files.push_back({QStringLiteral("applications/") + QLatin1String(kCurvixDesktopId),
                     CurvixDesktopEntry(program)});
    return files;
}

QString EntryPath(const ShellPaths& paths) {
    return paths.dataHome + QStringLiteral("/applications/") + QLatin1String(kCurvixDesktopId);
}

// The entry without its Exec line and mark, which name the program file.
QByteArray WithoutProgram(QByteArray entry) {
    entry.replace(kPerUserMark, "");
    const qsizetype exec = entry.indexOf("\nExec=");
    return exec < 0 ? entry : entry.left(exec) + entry.mid(entry.indexOf('\n', exec + 1));
}

// A per-user entry with our ID that a Curvix wrote: marked, or written before
// entries were marked (the installed entry apart from the Exec line). Any
// other is the user's own and stays as it is.
bool IsOurEntry(const QByteArray& entry) {
    return entry.contains(QByteArray("\n") + kPerUserMark) ||
           WithoutProgram(entry) == WithoutProgram(QByteArray(CurvixDesktopEntryText()));
}

QString MimeFolder(const ShellPaths& paths) {
    return paths.dataHome + QStringLiteral("/mime");
}

QString ApplicationsFolder(const ShellPaths& paths) {
    return paths.dataHome + QStringLiteral("/applications");
}

// A folder of XDG_DATA_DIRS that holds every file registration would
// write: an installation the desktop already reads.
bool InstallationProvides(const ShellPaths& paths, const std::vector<ShellFile>& files) {
    for (const QString& folder : paths.dataDirs) {
        if (folder == paths.dataHome)
            continue; // our own copies
        bool all = true;
        for (const ShellFile& file : files)
            all = all && QFileInfo(folder + QLatin1Char('/') + file.path).isFile();
        if (all)
            return true;
    }
    return false;
}

std::string ReadText(const QString& path) {
    bool readable = false;
    return ReadRegularFile(path, &readable).toStdString();
}

// Whom the desktop opens our documents with when nothing changes: the
// first default set in a mimeapps.list, in the order the desktop reads
// them, else the first program its desktop caches list for the type.
// `isDefault` tells which of the two it was.
std::string CurrentOpener(const ShellPaths& paths, bool* isDefault) {
    QStringList lists{paths.MimeAppsList()};
    for (const QString& folder : paths.configDirs)
        lists << folder + QStringLiteral("/mimeapps.list");
    lists << ApplicationsFolder(paths) + QStringLiteral("/mimeapps.list");
    for (const QString& folder : paths.dataDirs)
        lists << folder + QStringLiteral("/applications/mimeapps.list");
    *isDefault = true;
    for (const QString& list : lists) {
        const std::string id = DefaultApplicationFor(ReadText(list), kCurvixMimeType);
        if (!id.empty())
            return id;
    }
    *isDefault = false;
    for (const QString& folder : QStringList{paths.dataHome} + paths.dataDirs) {
        const auto ids =
            ApplicationsListed(ReadText(folder + QStringLiteral("/applications/mimeinfo.cache")),
                               kMimeCacheGroup, kCurvixMimeType);
        if (!ids.empty())
            return ids.front();
    }
    return {};
}

FileChange WriteMimeAppsList(const ShellPaths& paths, const std::string& text) {
    return WriteIfDifferent(paths.MimeAppsList(), QByteArray::fromStdString(text));
}

// Makes us the default for our type unless some other program is.
FileChange ClaimDefaultApplication(const ShellPaths& paths) {
    bool readable = false;
    const QByteArray text = ReadRegularFile(paths.MimeAppsList(), &readable);
    if (!readable)
        return FileChange::Unchanged; // never replace a file we could not read
    if (!DefaultApplicationFor(text.toStdString(), kCurvixMimeType).empty())
        return FileChange::Unchanged;
    return WriteMimeAppsList(
        paths, WithDefaultApplication(text.toStdString(), kCurvixMimeType, kCurvixDesktopId));
}

// For an installed program: only when .cvx would not open with Curvix
// anyway and no program has been chosen for it.
FileChange ClaimDefaultForInstallation(const ShellPaths& paths) {
    bool isDefault = false;
    const std::string opener = CurrentOpener(paths, &isDefault);
    if (isDefault || opener == kCurvixDesktopId)
        return FileChange::Unchanged;
    return ClaimDefaultApplication(paths);
}

// Takes our default back; a list left with no entries goes.
ShellRegistrationStats ReleaseDefaultApplication(const ShellPaths& paths) {
    ShellRegistrationStats stats;
    bool readable = false;
    const QByteArray text = ReadRegularFile(paths.MimeAppsList(), &readable);
    if (!readable || text.isEmpty())
        return stats;
    const std::string updated =
        WithoutDefaultApplication(text.toStdString(), kCurvixMimeType, kCurvixDesktopId);
    if (updated == text.toStdString())
        return stats;
    if (HoldsNoEntries(updated)) {
        if (QFile::remove(paths.MimeAppsList()))
            ++stats.filesRemoved;
        else
            ++stats.filesFailed;
        return stats;
    }
    const FileChange change = WriteMimeAppsList(paths, updated);
    stats.filesWritten += change == FileChange::Written;
    stats.filesFailed += change == FileChange::Failed;
    return stats;
}

void Count(ShellRegistrationStats& stats, FileChange change) {
    stats.filesWritten += change == FileChange::Written;
    stats.filesFailed += change == FileChange::Failed;
}

bool HasDesktopEntries(const QString& folder) {
    QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                    QDirIterator::Subdirectories);
    return it.hasNext();
}

// Where tidying up stops: the home folder, or the XDG folder itself when it
// lies elsewhere.
QString TidyStop(const ShellPaths& paths, const QString& xdgFolder) {
    if (!paths.home.isEmpty() && xdgFolder.startsWith(paths.home + QLatin1Char('/')))
        return paths.home;
    return xdgFolder;
}

// Desktop entry quoting: inside double quotes, `"`, `` ` ``, `$` and `\` take
// a backslash; then the value as a whole doubles its backslashes, and `%`
// is doubled for field codes.
QByteArray QuotedExecArgument(const QString& argument) {
    QByteArray quoted = "\"";
    for (const char c : argument.toUtf8()) {
        switch (c) {
        case '"':
        case '`':
        case '$':
            quoted += "\\\\";
            quoted += c;
            break;
        case '\\':
            quoted += "\\\\\\\\";
            break;
        case '%':
            quoted += "%%";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + "\"";
}

// Brings the per-user MIME database and desktop cache up to date after our
// files went (removing them when nothing else is in them), and removes the
// folders left empty.
void TidyAfterRemoving(const ShellPaths& paths, QStringList touched) {
    if (!RemoveMimeDatabaseWithoutPackages(MimeFolder(paths)))
        RunDesktopTool("update-mime-database", MimeFolder(paths));
    if (HasDesktopEntries(ApplicationsFolder(paths)))
        RunDesktopTool("update-desktop-database", ApplicationsFolder(paths));
    else
        QFile::remove(ApplicationsFolder(paths) + QStringLiteral("/mimeinfo.cache"));

    touched << MimeFolder(paths) + QStringLiteral("/packages") << ApplicationsFolder(paths);
    for (const QString& folder : touched)
        RemoveEmptyFolders(folder, TidyStop(paths, paths.dataHome));
}

ShellRegistrationStats RemoveUserCopies(const ShellPaths& paths,
                                        const std::vector<ShellFile>& files) {
    ShellRegistrationStats stats;
    QStringList touched;
    for (const auto& file : files) {
        const QString path = paths.dataHome + QLatin1Char('/') + file.path;
        if (QFileInfo(path).isFile() && QFile::remove(path)) {
            ++stats.filesRemoved;
            touched << QFileInfo(path).path();
        }
    }
    TidyAfterRemoving(paths, touched);
    return stats;
}

// A desktop entry with our ID in the user's folder that the user made.
bool IsUsersOwnEntry(const ShellPaths& paths) {
    bool readable = false;
    const QByteArray entry = ReadRegularFile(EntryPath(paths), &readable);
    return readable && !entry.isEmpty() && !IsOurEntry(entry);
}

// What another Curvix (a build tree, a private install) registered for the
// user hides the installation: its entry would start that program. It
// goes when its entry is one a Curvix wrote.
ShellRegistrationStats RemoveOtherCopies(const ShellPaths& paths,
                                         const std::vector<ShellFile>& files) {
    bool readable = false;
    const QByteArray entry = ReadRegularFile(EntryPath(paths), &readable);
    if (!readable || entry.isEmpty() || !IsOurEntry(entry))
        return {};
    return RemoveUserCopies(paths, files);
}

} // namespace

QByteArray CurvixDesktopEntry(const QString& program) {
    // "Exec=curvix %f": the program name gives way to this program's path.
    QByteArray entry(CurvixDesktopEntryText());
    const qsizetype exec = entry.indexOf("\nExec=") + 6;
    const qsizetype name = entry.indexOf(' ', exec);
    return entry.left(exec) + QuotedExecArgument(program) + entry.mid(name) + kPerUserMark;
}

ShellRegistrationStats RegisterShellFileTypes(const ShellPaths& paths) {
    ShellRegistrationStats stats;
    const std::vector<ShellFile> files = RegistrationFiles(paths.program);
    if (InstallationProvides(paths, files)) {
        stats = RemoveOtherCopies(paths, files);
        Count(stats, ClaimDefaultForInstallation(paths));
        return stats;
    }
    const bool usersOwnEntry = IsUsersOwnEntry(paths);
    bool mimeChanged = false;
    bool desktopChanged = false;
    for (const auto& file : files) {
        if (usersOwnEntry && file.path.startsWith(QStringLiteral("applications/")))
            continue;
        const FileChange change =
            WriteIfDifferent(paths.dataHome + QLatin1Char('/') + file.path, file.content);
        Count(stats, change);
        if (change != FileChange::Written)
            continue;
        mimeChanged |= file.path.startsWith(QStringLiteral("mime/"));
        desktopChanged |= file.path.startsWith(QStringLiteral("applications/"));
    }
    Count(stats, ClaimDefaultApplication(paths));
    if (mimeChanged || !QFileInfo::exists(MimeFolder(paths) + QStringLiteral("/mime.cache")))
        RunDesktopTool("update-mime-database", MimeFolder(paths));
    if (desktopChanged ||
        !QFileInfo::exists(ApplicationsFolder(paths) + QStringLiteral("/mimeinfo.cache")))
        RunDesktopTool("update-desktop-database", ApplicationsFolder(paths));
    return stats;
}

ShellRegistrationStats UnregisterShellFileTypes(const ShellPaths& paths) {
    ShellRegistrationStats stats = RemoveUserCopies(paths, RegistrationFiles(paths.program));
    const ShellRegistrationStats released = ReleaseDefaultApplication(paths);
    stats.filesWritten += released.filesWritten;
    stats.filesRemoved += released.filesRemoved;
    stats.filesFailed += released.filesFailed;
    if (QFile::remove(paths.SettingsFile()))
        ++stats.filesRemoved;
    RemoveEmptyFolders(paths.SettingsFolder(), TidyStop(paths, paths.configHome));
    return stats;
}

} // namespace curvix
