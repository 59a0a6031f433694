#include "SaveFile.h"

#include "SaveFileSystem.h"

#include <cerrno>

namespace curvix {

CSaveFile::~CSaveFile() {
    Cancel();
}

bool CSaveFile::Fail() {
    if (m_systemError == 0) {
        m_systemError = errno != 0 ? errno : EIO;
        m_bFolderFound = m_systemError == ENOENT && FolderExists(m_target);
    }
    Cancel();
    return false;
}

bool CSaveFile::Commit() {
    if (m_file == nullptr) {
        errno = EBADF;
        return Fail();
    }
    errno = 0;
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) {
        return Fail();
    }
    if (!m_temporary.empty() && !SyncToDisk(m_file)) {
        return Fail();
    }
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) {
        return Fail();
    }
    if (!m_temporary.empty()) {
        if (!MoveOver(m_temporary, m_target)) {
            return Fail();
        }
        m_temporary.clear();
    }
    return true;
}

void CSaveFile::Cancel() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        RemoveFile(m_temporary);
        m_temporary.clear();
    }
}

} // namespace curvix
