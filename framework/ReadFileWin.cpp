#include "ReadFile.h"
#include "WinSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace curvix {

bool CReadFile::Open(const std::string& path) {
    m_refusal = ReadRefusal::none;
    m_systemError = 0;
    // Backup semantics open a folder too, so that it is told apart from a
    // file the user may not read. Opening never waits: a pipe without a
    // server is not found, one with a server is refused below.
    const std::wstring widePath = WideFromUtf8(path);
    HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Refuse(ReadRefusal::systemError, ErrnoFromWindowsError(GetLastError()));
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle); // a console, a pipe, a device such as NUL
        return Refuse(ReadRefusal::notRegularFile, 0);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(handle, &information) == 0) {
        const int error = ErrnoFromWindowsError(GetLastError());
        CloseHandle(handle);
        return Refuse(ReadRefusal::systemError, error);
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return Refuse(ReadRefusal::directory, EISDIR);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        const int error = errno;
        CloseHandle(handle);
        return Refuse(ReadRefusal::systemError, error);
    }
    m_file = _fdopen(fd, "rb");
    if (m_file == nullptr) {
        const int error = errno;
        _close(fd);
        return Refuse(ReadRefusal::systemError, error);
    }
    m_size = static_cast<std::int64_t>((std::uint64_t{information.nFileSizeHigh} << 32) |
                                       information.nFileSizeLow);
    return true;
}

} // namespace curvix
