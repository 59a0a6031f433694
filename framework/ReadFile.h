#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace curvix {

// Why a file could not be opened for reading, beyond what the system's
// error number says.
enum class ReadRefusal {
    none,
    systemError,   // the system refused: GetSystemError() tells why
    directory,     // the path names a folder
    notRegularFile // a pipe, a device, a socket: reading it could block or never end
};

// Opens a document for reading. Only a regular file is read: opening never
// waits (a FIFO without a writer, a device), and anything else is refused
// before one byte is read, so every caller ends at once with a cause.
class CReadFile {
public:
    CReadFile() = default;
    CReadFile(const CReadFile&) = delete;
    CReadFile& operator=(const CReadFile&) = delete;
    ~CReadFile();

    // False with GetRefusal() (and GetSystemError()) when path cannot be
    // read as a regular file.
    bool Open(const std::string& path);
    std::FILE* File() const { return m_file; }
    // The file's length when it was opened.
    std::int64_t Size() const { return m_size; }

    ReadRefusal GetRefusal() const { return m_refusal; }
    // errno of a systemError refusal; EISDIR for a folder, 0 otherwise.
    int GetSystemError() const { return m_systemError; }

private:
    bool Refuse(ReadRefusal refusal, int systemError);

    std::FILE* m_file = nullptr;
    std::int64_t m_size = 0;
    ReadRefusal m_refusal = ReadRefusal::none;
    int m_systemError = 0;
};

} // namespace curvix
