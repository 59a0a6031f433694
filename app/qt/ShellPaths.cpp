#include "ShellPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace curvix {
namespace {

QString AbsoluteEnvironmentPath(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

// A colon-separated list of folders; relative entries are left out.
QStringList EnvironmentFolders(const char* name, const QStringList& fallback) {
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable(name).split(QLatin1Char(':')))
        if (QDir::isAbsolutePath(folder))
            folders << QDir::cleanPath(folder);
    return folders.isEmpty() ? fallback : folders;
}

} // namespace

ShellPaths ShellPaths::FromEnvironment(const QString& program) {
    ShellPaths paths;
    paths.home = AbsoluteEnvironmentPath("HOME");
    if (paths.home.isEmpty())
        paths.home = QDir::homePath();
    paths.dataHome = AbsoluteEnvironmentPath("XDG_DATA_HOME");
    if (paths.dataHome.isEmpty())
        paths.dataHome = paths.home + QStringLiteral("/.local/share");
    paths.configHome = AbsoluteEnvironmentPath("XDG_CONFIG_HOME");
    if (paths.configHome.isEmpty())
        paths.configHome = paths.home + QStringLiteral("/.config");
    paths.dataDirs = EnvironmentFolders(
        "XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    paths.configDirs = EnvironmentFolders("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    paths.program = QFileInfo(program).absoluteFilePath();
    return paths;
}

ShellPaths ShellPaths::ForThisProgram() {
    return FromEnvironment(QCoreApplication::applicationFilePath());
}

} // namespace curvix
