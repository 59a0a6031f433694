#include "FileErrors.h"

#include "ReadFile.h"
#include "SaveFile.h"
#include "ShownName.h"

#include <cerrno>
#include <cstring>

namespace curvix {

namespace {

// The system's words for an error; an unknown one reads as an I/O error.
std::string SystemWords(int systemError) {
    return std::strerror(systemError != 0 ? systemError : EIO);
}

// "<file> is a directory." or "<file>: <the system's words>."
std::string SystemCause(int systemError, const std::string& shown) {
    if (systemError == EISDIR) {
        return shown + " is a directory.";
    }
    return shown + ": " + SystemWords(systemError) + ".";
}

} // namespace

std::string FileErrorText(int systemError, const std::string& path, FileAction action) {
    const std::string shown = ShownFileName(path);
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return shown + " was not found.";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Access to " + shown + " was denied.";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return "Disk full while accessing " + shown + ".";
    default:
        break;
    }
    switch (action) {
    case FileAction::opening:
        return std::string(kFailedToOpenDocument) + " " + SystemCause(systemError, shown);
    case FileAction::reading:
        return "An unexpected error occurred while reading " + shown + ": " +
               SystemWords(systemError) + ".";
    case FileAction::saving:
        break;
    }
    return std::string(kFailedToSaveDocument) + " " + SystemCause(systemError, shown);
}

std::string OpenErrorText(const CReadFile& file, const std::string& path) {
    if (file.GetRefusal() == ReadRefusal::notRegularFile) {
        return std::string(kFailedToOpenDocument) + " " + ShownFileName(path) +
               " is not a regular file.";
    }
    return FileErrorText(file.GetSystemError(), path, FileAction::opening);
}

std::string SaveErrorText(const CSaveFile& file, const std::string& path) {
    if (file.GetSystemError() == ENOENT && file.IsFolderFound()) {
        return std::string(kFailedToSaveDocument) + " " + SystemCause(ENOENT, ShownFileName(path));
    }
    return FileErrorText(file.GetSystemError(), path, FileAction::saving);
}

std::string NamingFile(const std::string& path, const std::string& message) {
    // The format error is the framework's one text that names no file.
    return message == kUnexpectedFileFormat ? ShownFileName(path) + ": " + message : message;
}

} // namespace curvix
