#pragma once

#include <streambuf>
#include <vector>

namespace curvix {

// Standard output for a program whose output is its whole point: bytes are
// collected in large blocks and written to the descriptor, and the first
// write that fails ends the program at once with
// "PROGRAM: cannot write output: REASON" on standard error and status 1,
// so that a script never takes a lost result for a finished one.
class CheckedOutput : public std::streambuf {
public:
    CheckedOutput(int descriptor, const char* program);
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;
    ~CheckedOutput() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    void WriteOut(const char* bytes, std::size_t count);
    void FlushBuffer();

    int m_descriptor;
    const char* m_program;
    std::vector<char> m_buffer;
};

// Puts a CheckedOutput under std::cout while it exists; it flushes and
// checks what is left when it ends.
class CheckedStandardOutput {
public:
    explicit CheckedStandardOutput(const char* program);
    CheckedStandardOutput(const CheckedStandardOutput&) = delete;
    CheckedStandardOutput& operator=(const CheckedStandardOutput&) = delete;
    ~CheckedStandardOutput();

private:
    CheckedOutput m_output;
    std::streambuf* m_previous;
};

} // namespace curvix
