#include "WriteFileAtomically.h"

#include "SaveFile.h"

#include <cerrno>
#include <cstring>

namespace curvix {

bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(std::FILE*, std::string& cause)>& write,
                         std::string& cause) {
    CSaveFile file;
    if (file.Open(path)) {
        if (!write(file.File(), cause)) {
            file.Cancel();
            return false;
        }
        if (file.Commit()) {
            return true;
        }
    }
    cause = std::strerror(file.GetSystemError());
    return false;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& cause) {
    return WriteFileAtomically(
        path,
        [bytes](std::FILE* stream, std::string& writeCause) {
            errno = 0;
            if (std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size()) {
                return true;
            }
            writeCause = std::strerror(errno != 0 ? errno : EIO);
            return false;
        },
        cause);
}

} // namespace curvix
