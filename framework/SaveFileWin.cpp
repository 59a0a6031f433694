#include "SaveFile.h"
#include "SaveFileSystem.h"
#include "WinSystem.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace curvix {

namespace {

std::wstring FolderOf(const std::wstring& path) {
    const auto separator = path.find_last_of(L"/\\");
    return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

std::wstring NameOf(const std::wstring& path) {
    const auto separator = path.find_last_of(L"/\\");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// What the system does with an existing path.
enum class TargetKind { missing, diskFile, folder, device };

// Follows path through symbolic links and junctions to the file it finally
// names, so that the file and not the link is replaced; path as it is when
// it names nothing yet.
TargetKind ResolveTarget(const std::wstring& path, std::wstring& end) {
    end = path;
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return TargetKind::missing; // creating the temporary file reports why
    }
    TargetKind kind = TargetKind::device;
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(handle) == FILE_TYPE_DISK &&
        GetFileInformationByHandle(handle, &information) != 0) {
        const bool folder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        kind = folder ? TargetKind::folder : TargetKind::diskFile;
        std::wstring final(MAX_PATH, L'\0');
        DWORD length =
            GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
        if (length >= final.size()) {
            final.resize(length);
            length = GetFinalPathNameByHandleW(handle, final.data(), length, 0);
        }
        if (length > 0 && length < final.size()) {
            final.resize(length);
            end = final;
        }
    }
    CloseHandle(handle);
    return kind;
}

// A new file next to target, opened for writing straight through to the
// disk; INVALID_HANDLE_VALUE with GetLastError() on failure.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& name) {
    static std::atomic<unsigned> counter{0};
    const std::wstring stem = FolderOf(target) + L"\\." + NameOf(target) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long unique =
            (GetTickCount64() << 20) ^ (GetCurrentProcessId() << 8) ^ counter.fetch_add(1);
        name = stem + std::to_wstring(unique % 1000000U);
        HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Renames temporary over target in one step. (ReplaceFileW would keep the
// target's attributes, but may leave a file of its own behind when it fails.)
bool MoveWideOver(const std::wstring& temporary, const std::wstring& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool CSaveFile::Open(const std::string& path) {
    Cancel();
    m_systemError = 0;
    m_bFolderFound = false;
    m_target = path;
    errno = 0;

    const std::wstring widePath = WideFromUtf8(path);
    if (widePath.empty()) {
        errno = ENOENT; // no name, or not UTF-8: no file could have it
        return Fail();
    }
    std::wstring end;
    switch (ResolveTarget(widePath, end)) {
    case TargetKind::folder:
        errno = EISDIR;
        return Fail();
    case TargetKind::device:
        // A console or NUL cannot be replaced: it is written directly.
        m_file = _wfopen(widePath.c_str(), L"wb");
        return m_file != nullptr || Fail();
    case TargetKind::missing:
    case TargetKind::diskFile:
        break;
    }
    m_target = Utf8FromWide(end);

    std::wstring temporary;
    HANDLE handle = CreateTemporary(end, temporary);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        return Fail();
    }
    m_temporary = Utf8FromWide(temporary);
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return Fail();
    }
    m_file = _fdopen(fd, "wb");
    if (m_file == nullptr) {
        const int error = errno;
        _close(fd);
        errno = error;
        return Fail();
    }
    return true;
}

bool SyncToDisk(std::FILE* file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (FlushFileBuffers(handle) == 0) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

bool MoveOver(const std::string& temporary, const std::string& target) {
    if (!MoveWideOver(WideFromUtf8(temporary), WideFromUtf8(target))) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

void RemoveFile(const std::string& path) {
    DeleteFileW(WideFromUtf8(path).c_str());
}

bool FolderExists(const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    if (widePath.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(FolderOf(widePath).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace curvix
