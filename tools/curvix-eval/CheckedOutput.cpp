#include "CheckedOutput.h"

#include "RawOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace curvix {

namespace {

constexpr std::size_t kBlockSize = std::size_t{64} * 1024;
constexpr int kStandardOutput = 1;

} // namespace

CheckedOutput::CheckedOutput(int descriptor, const char* program)
    : m_descriptor(descriptor), m_program(program), m_buffer(kBlockSize) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CheckedOutput::~CheckedOutput() {
    FlushBuffer();
}

void CheckedOutput::WriteOut(const char* bytes, std::size_t count) {
    while (count > 0) {
        const long long written = WriteToDescriptor(m_descriptor, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            std::fprintf(stderr, "%s: cannot write output: %s\n", m_program, std::strerror(error));
            std::fflush(stderr);
            // At once: no destructor may try this output again.
            std::_Exit(1);
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

void CheckedOutput::FlushBuffer() {
    WriteOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    FlushBuffer();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize CheckedOutput::xsputn(const char* bytes, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), bytes, size);
        pbump(static_cast<int>(count));
    } else {
        FlushBuffer();
        WriteOut(bytes, size);
    }
    return count;
}

int CheckedOutput::sync() {
    FlushBuffer();
    return 0;
}

CheckedStandardOutput::CheckedStandardOutput(const char* program)
    : m_output(kStandardOutput, program), m_previous(std::cout.rdbuf(&m_output)) {}

CheckedStandardOutput::~CheckedStandardOutput() {
    std::cout.flush();
    std::cout.rdbuf(m_previous);
}

} // namespace curvix
