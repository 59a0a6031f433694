#include "RawOutput.h"

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace curvix {

long long WriteToDescriptor(int descriptor, const char* bytes, std::size_t count) {
    const auto chunk = static_cast<unsigned>(count < INT_MAX ? count : INT_MAX);
    return _write(descriptor, bytes, chunk);
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace curvix
