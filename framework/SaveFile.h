#pragma once

#include <cstdio>
#include <string>

namespace curvix {

// Writes a file so that a failure never destroys the one it replaces: the
// bytes go to a temporary file in the same folder, which is renamed over
// the target only after everything was written, flushed and synced. A
// symbolic link stays: the file it points to is replaced. A target that
// exists but is not a regular file (a device, a pipe, a link to one) cannot
// be replaced that way and is written directly, as is a path that names an
// open file of the process (/dev/stdout), which is appended to.
class CSaveFile {
public:
    CSaveFile() = default;
    CSaveFile(const CSaveFile&) = delete;
    CSaveFile& operator=(const CSaveFile&) = delete;
    // Throws away whatever was not committed.
    ~CSaveFile();

    // Creates the temporary file; false with GetSystemError() on failure.
    bool Open(const std::string& path);
    // The stream to write to while open.
    std::FILE* File() const { return m_file; }
    // Flushes, syncs and closes the temporary file and moves it over the
    // target. On failure the target is as it was and the temporary is gone.
    bool Commit();
    // Closes and removes the temporary file; the target is untouched.
    void Cancel();

    int GetSystemError() const { return m_systemError; }
    // After a failure with ENOENT: whether the target's folder exists, so
    // that nothing was missing and the file system refused the file (as
    // /proc does).
    bool IsFolderFound() const { return m_bFolderFound; }

private:
    bool Fail();

    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temporary; // empty when writing the target directly
    int m_systemError = 0;
    bool m_bFolderFound = false;
};

} // namespace curvix
