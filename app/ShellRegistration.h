#pragma once

#include "ShellPaths.h"

#include <QByteArray>
#include <QString>

namespace curvix {

// The program's document type as the desktop knows it.
inline constexpr char kCurvixMimeType[] = "application/x-curvix-document";
inline constexpr char kCurvixDesktopId[] = "curvix.desktop";

// What one registration or unregistration changed on disk.
struct ShellRegistrationStats {
    int filesWritten = 0;
    int filesRemoved = 0;
};

// Makes the desktop know the program and its .cvx documents for this user:
// MIME package, icons, desktop entry, and .cvx opening with this program
// unless another program is already the user's default. Cheap when nothing
// changed (files are rewritten only when their content differs), silent on
// failure, and safe to call at every start.
ShellRegistrationStats RegisterShellFileTypes(const ShellPaths& paths);

// Removes what RegisterShellFileTypes wrote, the settings file and its
// "Quenmark" folder when that is left empty. A default that names another
// program stays.
ShellRegistrationStats UnregisterShellFileTypes(const ShellPaths& paths);

// The desktop entry that starts this program file on a document.
QByteArray CurvixDesktopEntry(const QString& program);

} // namespace curvix
