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

} // namespace

ShellPaths ShellPaths::FromEnvironment(const QString& program) {
    QString home = AbsoluteEnvironmentPath("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    ShellPaths paths;
    paths.dataHome = AbsoluteEnvironmentPath("XDG_DATA_HOME");
    if (paths.dataHome.isEmpty())
        paths.dataHome = home + QStringLiteral("/.local/share");
    paths.configHome = AbsoluteEnvironmentPath("XDG_CONFIG_HOME");
    if (paths.configHome.isEmpty())
        paths.configHome = home + QStringLiteral("/.config");
    paths.program = QFileInfo(program).absoluteFilePath();
    return paths;
}

ShellPaths ShellPaths::ForThisProgram() {
    return FromEnvironment(QCoreApplication::applicationFilePath());
}

} // namespace curvix
