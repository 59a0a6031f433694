#include "SaveFile.h"

#include <cerrno>

namespace curvix {

CSaveFile::~CSaveFile() {
    Cancel();
}

bool CSaveFile::Fail() {
    if (m_systemError == 0) {
        m_systemError = errno != 0 ? errno : EIO;
    }
    Cancel();
    return false;
}

} // namespace curvix
