#pragma once

// Tells a file that was written again from one left alone, even when the
// new bytes are the old ones.

#include <string>
#include <sys/stat.h>

namespace curvix::test {

struct FileStamp {
    ino_t inode = 0;
    timespec modified{};

    bool operator==(const FileStamp& other) const {
        return inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The file's inode and modification time; zero for a missing file. A save
// that renames a new file over the old one changes the inode.
inline FileStamp StampOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return {status.st_ino, status.st_mtim};
}

} // namespace curvix::test
