#pragma once

#include "CurvixIdentity.h"
#include "ShellPaths.h"

#include <QByteArray>
#include <QString>

namespace curvix {

// The program's document type as the desktop knows it.
inline constexpr char kCurvixMimeType[] = "application/x-curvix-document";

// What one registration or unregistration changed on disk.
struct ShellRegistrationStats {
    int filesWritten = 0;
    int filesRemoved = 0;
    int filesFailed = 0; // could not be written; the old file, if any, is kept
};

// Makes the desktop know the program and its .cvx documents for this user.
// When a folder of XDG_DATA_DIRS already holds the program's desktop entry,
// MIME package and icons (an installed package), no copy of them goes into
// the user's data folder, which would hide the packaged files and outlive
// the package; .cvx is then claimed in mimeapps.list only when no default
// is set and the desktop would not open it with Curvix anyway. Otherwise
// (a build tree, a private install) the MIME package, icons and a desktop
// entry running this program file are written, and .cvx opens with Curvix
// unless another program is already the user's default. The entry is marked
// as written by Curvix; one with our ID that the user made stays as it is.
// An installed Curvix removes the per-user copies another Curvix wrote
// (whose entry would start that other program). Cheap when nothing
// changed (files are rewritten only when their content differs), silent on
// failure, and safe to call at every start; every write replaces its file
// atomically, so a failed one keeps the old file.
ShellRegistrationStats RegisterShellFileTypes(const ShellPaths& paths);

// Removes what RegisterShellFileTypes wrote or caused, and the settings
// file: the per-user MIME database and desktop cache when nothing else is
// in them, a mimeapps.list left without entries, and the folders left
// empty, up to the home folder. A default that names another program stays.
ShellRegistrationStats UnregisterShellFileTypes(const ShellPaths& paths);

// The installed desktop entry with an Exec line that starts this program
// file on a document.
QByteArray CurvixDesktopEntry(const QString& program);

} // namespace curvix
