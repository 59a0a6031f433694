#include "ImageOutput.h"

#include "WriteFileAtomically.h"

#include <cerrno>
#include <cstring>

namespace curvix {

bool WriteImageOutput(const std::string& path,
                      const std::function<bool(std::FILE*, std::string&)>& encode,
                      std::string& error) {
    std::string cause;
    if (path == "-") {
        if (encode(stdout, cause)) {
            errno = 0;
            if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
                return true;
            }
            cause = std::strerror(errno != 0 ? errno : EIO);
        }
        error = "cannot write standard output: " + cause;
        return false;
    }
    if (WriteFileAtomically(path, encode, cause)) {
        return true;
    }
    error = "cannot write " + path + ": " + cause;
    return false;
}

} // namespace curvix
