#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace curvix {

// Reads or writes a document file as little-endian 32-bit integers,
// single-precision floats and raw bytes. Errors are sticky instead of
// thrown: after the first one every read yields zero and every write is
// dropped, and the file steps report the error once the document's
// Serialize has returned.
class CArchive {
public:
    enum Mode { load, store };
    enum class Error {
        none,
        endOfFile,   // a read ran past the end of the file
        badFormat,   // the data read makes no sense (set by the reader)
        readFailed,  // the system refused to read
        writeFailed, // the system refused to write
    };

    // The archive does not own the file; the caller closes it. fileSize,
    // when known, lets a reader check a length field against BytesLeft().
    CArchive(std::FILE* file, Mode mode, std::int64_t fileSize = -1)
        : m_file(file), m_mode(mode), m_bytesLeft(fileSize) {}
    // Stores into memory: every write is appended to bytes, and nothing can
    // fail. What a save would write, without a file.
    explicit CArchive(std::string& bytes) : m_file(nullptr), m_pBytes(&bytes), m_mode(store) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }

    CArchive& operator<<(std::int32_t value);
    CArchive& operator<<(float value);
    CArchive& operator>>(std::int32_t& value);
    CArchive& operator>>(float& value);

    void Write(const void* data, std::size_t count);
    // Reads up to count bytes; fewer at the end of the file is not an error.
    std::size_t Read(void* data, std::size_t count);
    // Reads up to count bytes into a string that grows with what the file
    // really holds, so a huge count from the file allocates nothing extra.
    std::string ReadUpTo(std::int64_t count);

    // Bytes a load has not read yet, or -1 when the file's size is unknown.
    std::int64_t BytesLeft() const { return m_bytesLeft; }

    // Pushes buffered bytes to the system; false (and writeFailed) if it
    // refuses them.
    bool Flush();

    bool Failed() const { return m_error != Error::none; }
    Error GetError() const { return m_error; }
    // errno of a readFailed or writeFailed error, 0 otherwise.
    int GetSystemError() const { return m_systemError; }
    // Marks the data as unusable; the first error is the one kept.
    void SetError(Error error, int systemError = 0);

private:
    // Reads exactly count bytes or fails with endOfFile (or readFailed).
    bool ReadExactly(unsigned char* data, std::size_t count);

    std::FILE* m_file;
    std::string* m_pBytes = nullptr; // set when storing into memory
    Mode m_mode;
    Error m_error = Error::none;
    int m_systemError = 0;
    std::int64_t m_bytesLeft = -1;
};

} // namespace curvix
