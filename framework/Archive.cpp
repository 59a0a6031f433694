#include "Archive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace curvix {

namespace {

void PutLittleEndian(std::uint32_t value, unsigned char* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

std::uint32_t GetLittleEndian(const unsigned char* bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

} // namespace

void CArchive::SetError(Error error, int systemError) {
    if (m_error == Error::none) {
        m_error = error;
        m_systemError = systemError;
    }
}

CArchive& CArchive::operator<<(std::int32_t value) {
    unsigned char bytes[4];
    PutLittleEndian(static_cast<std::uint32_t>(value), bytes);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator<<(float value) {
    // Through the bit pattern, so NaN payloads and negative zero survive.
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char bytes[4];
    PutLittleEndian(bits, bytes);
    Write(bytes, sizeof bytes);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& value) {
    unsigned char bytes[4];
    value =
        ReadExactly(bytes, sizeof bytes) ? static_cast<std::int32_t>(GetLittleEndian(bytes)) : 0;
    return *this;
}

CArchive& CArchive::operator>>(float& value) {
    unsigned char bytes[4];
    const std::uint32_t bits = ReadExactly(bytes, sizeof bytes) ? GetLittleEndian(bytes) : 0;
    std::memcpy(&value, &bits, sizeof value);
    return *this;
}

void CArchive::Write(const void* data, std::size_t count) {
    if (Failed() || count == 0) {
        return;
    }
    if (!IsStoring()) {
        SetError(Error::writeFailed, EBADF);
        return;
    }
    if (m_pBytes != nullptr) {
        m_pBytes->append(static_cast<const char*>(data), count);
        return;
    }
    errno = 0;
    if (std::fwrite(data, 1, count, m_file) != count) {
        SetError(Error::writeFailed, errno != 0 ? errno : EIO);
    }
}

std::size_t CArchive::Read(void* data, std::size_t count) {
    if (Failed() || count == 0) {
        return 0;
    }
    if (!IsLoading()) {
        SetError(Error::readFailed, EBADF);
        return 0;
    }
    errno = 0;
    const std::size_t got = std::fread(data, 1, count, m_file);
    if (m_bytesLeft >= 0) {
        m_bytesLeft -= std::min(m_bytesLeft, static_cast<std::int64_t>(got));
    }
    if (got < count && std::ferror(m_file)) {
        SetError(Error::readFailed, errno != 0 ? errno : EIO);
    }
    return got;
}

std::string CArchive::ReadUpTo(std::int64_t count) {
    constexpr std::int64_t kChunk = 65536;
    std::string bytes;
    while (count > 0 && !Failed()) {
        const auto want = static_cast<std::size_t>(std::min(count, kChunk));
        const std::size_t old = bytes.size();
        bytes.resize(old + want);
        const std::size_t got = Read(bytes.data() + old, want);
        bytes.resize(old + got);
        if (got < want) {
            break;
        }
        count -= static_cast<std::int64_t>(got);
    }
    return bytes;
}

bool CArchive::ReadExactly(unsigned char* data, std::size_t count) {
    const std::size_t got = Read(data, count);
    if (got == count) {
        return true;
    }
    SetError(Error::endOfFile);
    return false;
}

bool CArchive::Flush() {
    if (IsStoring() && !Failed() && m_pBytes == nullptr) {
        errno = 0;
        if (std::fflush(m_file) != 0) {
            SetError(Error::writeFailed, errno != 0 ? errno : EIO);
        }
    }
    return !Failed();
}

} // namespace curvix
