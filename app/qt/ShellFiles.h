#pragma once

#include <QByteArray>
#include <QString>

namespace curvix {

// File steps of the desktop registration.

enum class FileChange { Unchanged, Written, Failed };

// The content of a regular file; empty with *readable true when there is
// no file, *readable false when it cannot be read (or is no regular file).
QByteArray ReadRegularFile(const QString& path, bool* readable);

// Writes content unless the file already holds it, creating the folders.
// The write replaces the file atomically: a failure keeps the old one.
FileChange WriteIfDifferent(const QString& path, const QByteArray& content);

// Removes folder and then its parents while they are empty or missing,
// stopping below stop (which stays, as does any folder not inside it).
void RemoveEmptyFolders(const QString& folder, const QString& stop);

// Runs one of the desktop's database tools, if installed, on folder, with
// no output and a time limit.
void RunDesktopTool(const char* name, const QString& folder);

// Removes the files update-mime-database made in mimeFolder when no
// package is left in its packages folder, so that it holds nothing; false
// when packages are left.
bool RemoveMimeDatabaseWithoutPackages(const QString& mimeFolder);

} // namespace curvix
