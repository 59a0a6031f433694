#include "FileErrors.h"

#include <cerrno>

namespace curvix {

std::string FileErrorText(int systemError, const std::string& path, FileAction action) {
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return path + " was not found.";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Access to " + path + " was denied.";
    case ENOSPC:
#ifdef EDQUOT // not among Windows' error numbers
    case EDQUOT:
#endif
    case EFBIG:
        return "Disk full while accessing " + path + ".";
    default:
        break;
    }
    switch (action) {
    case FileAction::opening:
        return kFailedToOpenDocument;
    case FileAction::reading:
        return "An unexpected error occurred while reading " + path + ".";
    case FileAction::saving:
        break;
    }
    return kFailedToSaveDocument;
}

} // namespace curvix
