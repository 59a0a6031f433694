#include "ReadFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace curvix {

bool CReadFile::Open(const std::string& path) {
    m_refusal = ReadRefusal::none;
    m_systemError = 0;
    // O_NONBLOCK: a FIFO without a writer must not hold the caller in
    // open(); it is refused below like every file that is not regular.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return Refuse(ReadRefusal::systemError, errno);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return Refuse(ReadRefusal::systemError, error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return S_ISDIR(status.st_mode) ? Refuse(ReadRefusal::directory, EISDIR)
                                       : Refuse(ReadRefusal::notRegularFile, 0);
    }
    // Reads of a regular file never block; blocking mode keeps stdio's
    // reads plain.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        return Refuse(ReadRefusal::systemError, error);
    }
    m_file = ::fdopen(fd, "rb");
    if (m_file == nullptr) {
        const int error = errno;
        ::close(fd);
        return Refuse(ReadRefusal::systemError, error);
    }
    m_size = static_cast<std::int64_t>(status.st_size);
    return true;
}

} // namespace curvix
