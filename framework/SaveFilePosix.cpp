#include "SaveFile.h"
#include "SaveFileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace curvix {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool LiesInProc(const std::string& folder) {
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) {
        return false;
    }
    const std::string real = resolved;
    std::free(resolved);
    return real == "/proc" || real.rfind("/proc/", 0) == 0;
}

// Follows path through its symbolic links to what it finally names, which
// may not exist yet. False when the way leads into /proc: such a path
// (/dev/stdout, /dev/fd/1) names a file the process has open, not a place in
// a folder that a temporary file could be renamed into.
bool FollowLinks(std::string path, std::string& end) {
    for (int hop = 0; hop < 40; ++hop) {
        if (LiesInProc(FolderOf(path))) {
            return false;
        }
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            break;
        }
        std::vector<char> target(PATH_MAX);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            break;
        }
        const std::string next(target.data(), static_cast<std::size_t>(length));
        if (next.front() == '/') {
            path = next;
        } else {
            path = FolderOf(path).append("/").append(next);
        }
    }
    end = path; // a loop of links is left for opening to report
    return true;
}

// Permissions a newly created file gets from the process's umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

bool CSaveFile::Open(const std::string& path) {
    Cancel();
    m_systemError = 0;
    m_bFolderFound = false;
    m_target = path;
    errno = 0;

    std::string end;
    if (!FollowLinks(path, end)) {
        // Appending keeps what a shell's ">>" gave the process.
        m_file = std::fopen(path.c_str(), "ab");
        return m_file != nullptr || Fail();
    }
    struct stat status {};
    mode_t mode = NewFileMode();
    if (::stat(end.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            errno = EISDIR;
            return Fail();
        }
        if (!S_ISREG(status.st_mode)) {
            m_file = std::fopen(path.c_str(), "wb");
            return m_file != nullptr || Fail();
        }
        mode = status.st_mode & 07777;
    }
    // Replace the file a symbolic link points to, not the link.
    m_target = end;

    const std::string pattern = FolderOf(m_target) + "/." + NameOf(m_target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return Fail();
    }
    m_temporary.assign(name.data());
    if (::fchmod(fd, mode) != 0 || (m_file = ::fdopen(fd, "wb")) == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return Fail();
    }
    return true;
}

bool SyncToDisk(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

bool MoveOver(const std::string& temporary, const std::string& target) {
    return std::rename(temporary.c_str(), target.c_str()) == 0;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool FolderExists(const std::string& path) {
    const int saved = errno;
    struct stat status {};
    const bool found = ::stat(FolderOf(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    errno = saved;
    return found;
}

} // namespace curvix
