#pragma once

// What the program writes to std::cerr, taken while the object lives.

#include <iostream>
#include <sstream>
#include <string>

namespace curvix::test {

class CapturedStandardError {
public:
    CapturedStandardError() : m_previous(std::cerr.rdbuf(m_text.rdbuf())) {}
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;
    ~CapturedStandardError() { std::cerr.rdbuf(m_previous); }
    std::string Text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf* m_previous;
};

} // namespace curvix::test
