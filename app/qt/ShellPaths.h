#pragma once

#include <QString>
#include <QStringList>

namespace curvix {

// Where the desktop looks for a user's programs, file types and settings
// (the XDG base directories), and the program to register there.
struct ShellPaths {
    QString home;           // $HOME; empty folders up to it are tidied away
    QString dataHome;       // $XDG_DATA_HOME, else ~/.local/share
    QString configHome;     // $XDG_CONFIG_HOME, else ~/.config
    QStringList dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
    QStringList configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
    QString program;        // absolute path of the program file

    // The folders from the environment; relative or empty settings count as
    // unset, as the XDG rules say.
    static ShellPaths FromEnvironment(const QString& program);
    // The same for the running program (needs the application object).
    static ShellPaths ForThisProgram();

    // The settings file QSettings("Quenmark", "Curvix") uses, and its folder.
    QString SettingsFolder() const { return configHome + QStringLiteral("/Quenmark"); }
    QString SettingsFile() const { return SettingsFolder() + QStringLiteral("/Curvix.conf"); }
    QString MimeAppsList() const { return configHome + QStringLiteral("/mimeapps.list"); }
};

} // namespace curvix
