#include "ShellRegistration.h"

#include "CurvixResources.h"
#include "MimeAppsList.h"
#include "Resource.h"
#include "ShellData.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <vector>

namespace curvix {
namespace {

// The desktop's database tools normally take well under a second; a hung
// one must not keep the program from starting.
constexpr int kToolTimeoutMs = 10000;

struct ShellFile {
    QString path; // relative to the data folder
    QByteArray content;
};

QByteArray PngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString IconFolder(const QImage& image, const char* context) {
    return QStringLiteral("icons/hicolor/%1x%2/%3/")
        .arg(image.width())
        .arg(image.height())
        .arg(QLatin1String(context));
}

QString DocumentIconName() {
    return QString::fromLatin1(kCurvixMimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
}

std::vector<ShellFile> RegistrationFiles(const QString& program) {
    std::vector<ShellFile> files;
    files.push_back(
        {QStringLiteral("mime/packages/curvix-document.xml"), QByteArray(CurvixMimePackageXml())});
    for (const auto& icon : CurvixIcons()) {
        const bool document = icon.id == IDR_CURVIXTYPE;
        if (!document && icon.id != IDR_MAINFRAME)
            continue;
        for (const auto xpm : icon.images) {
            const QImage image(xpm);
            if (image.isNull())
                continue;
            files.push_back({IconFolder(image, document ? "mimetypes" : "apps") +
                                 (document ? DocumentIconName() : QStringLiteral("curvix")) +
                                 QStringLiteral(".png"),
                             PngOf(image)});
        }
    }
    files.push_back({QStringLiteral("icons/hicolor/scalable/apps/curvix.svg"),
                     QByteArray(CurvixScalableIconSvg())});
    files.push_back({QStringLiteral("applications/") + QLatin1String(kCurvixDesktopId),
                     CurvixDesktopEntry(program)});
    return files;
}

// Empty when the file does not exist or cannot be read; `readable` tells.
QByteArray ReadFile(const QString& path, bool* readable) {
    QFile file(path);
    if (!file.exists()) {
        *readable = true;
        return {};
    }
    *readable = file.open(QIODevice::ReadOnly);
    return *readable ? file.readAll() : QByteArray();
}

bool WriteIfDifferent(const QString& path, const QByteArray& content) {
    bool readable = false;
    if (QFileInfo::exists(path) && ReadFile(path, &readable) == content && readable)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

bool RemoveFile(const QString& path) {
    return QFileInfo::exists(path) && QFile::remove(path);
}

// Runs one of the desktop's database tools, if installed, with no output
// and a time limit.
void RunTool(const char* name, const QString& folder) {
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

QString MimeFolder(const ShellPaths& paths) {
    return paths.dataHome + QStringLiteral("/mime");
}

QString ApplicationsFolder(const ShellPaths& paths) {
    return paths.dataHome + QStringLiteral("/applications");
}

// Makes us the default for our type unless some other program is.
bool ClaimDefaultApplication(const ShellPaths& paths) {
    bool readable = false;
    const QByteArray text = ReadFile(paths.MimeAppsList(), &readable);
    if (!readable)
        return false; // never replace a file we could not read
    const std::string current = DefaultApplicationFor(text.toStdString(), kCurvixMimeType);
    if (!current.empty())
        return false;
    const std::string updated =
        WithDefaultApplication(text.toStdString(), kCurvixMimeType, kCurvixDesktopId);
    return WriteIfDifferent(paths.MimeAppsList(), QByteArray::fromStdString(updated));
}

bool ReleaseDefaultApplication(const ShellPaths& paths) {
    bool readable = false;
    const QByteArray text = ReadFile(paths.MimeAppsList(), &readable);
    if (!readable || text.isEmpty())
        return false;
    const std::string updated =
        WithoutDefaultApplication(text.toStdString(), kCurvixMimeType, kCurvixDesktopId);
    if (updated == text.toStdString())
        return false;
    return WriteIfDifferent(paths.MimeAppsList(), QByteArray::fromStdString(updated));
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

} // namespace

QByteArray CurvixDesktopEntry(const QString& program) {
    return QByteArray("[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=Curvix\n"
                      "Comment=Plot the graph of a function of one variable\n"
                      "Exec=") +
           QuotedExecArgument(program) +
           " %f\n"
           "Icon=curvix\n"
           "Terminal=false\n"
           "Categories=Education;Math;\n"
           "MimeType=" +
           kCurvixMimeType + ";\n";
}

ShellRegistrationStats RegisterShellFileTypes(const ShellPaths& paths) {
    ShellRegistrationStats stats;
    bool mimeChanged = false;
    bool desktopChanged = false;
    for (const auto& file : RegistrationFiles(paths.program)) {
        if (!WriteIfDifferent(paths.dataHome + QLatin1Char('/') + file.path, file.content))
            continue;
        ++stats.filesWritten;
        mimeChanged |= file.path.startsWith(QStringLiteral("mime/"));
        desktopChanged |= file.path.startsWith(QStringLiteral("applications/"));
    }
    if (ClaimDefaultApplication(paths))
        ++stats.filesWritten;
    if (mimeChanged || !QFileInfo::exists(MimeFolder(paths) + QStringLiteral("/mime.cache")))
        RunTool("update-mime-database", MimeFolder(paths));
    if (desktopChanged ||
        !QFileInfo::exists(ApplicationsFolder(paths) + QStringLiteral("/mimeinfo.cache")))
        RunTool("update-desktop-database", ApplicationsFolder(paths));
    return stats;
}

ShellRegistrationStats UnregisterShellFileTypes(const ShellPaths& paths) {
    ShellRegistrationStats stats;
    for (const auto& file : RegistrationFiles(paths.program))
        if (RemoveFile(paths.dataHome + QLatin1Char('/') + file.path))
            ++stats.filesRemoved;
    if (ReleaseDefaultApplication(paths))
        ++stats.filesWritten;
    if (RemoveFile(paths.SettingsFile()))
        ++stats.filesRemoved;
    QDir().rmdir(paths.SettingsFolder()); // only succeeds when empty
    RunTool("update-mime-database", MimeFolder(paths));
    RunTool("update-desktop-database", ApplicationsFolder(paths));
    return stats;
}

} // namespace curvix
