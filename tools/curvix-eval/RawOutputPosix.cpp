#include "RawOutput.h"

#include <unistd.h>

namespace curvix {

long long WriteToDescriptor(int descriptor, const char* bytes, std::size_t count) {
    return ::write(descriptor, bytes, count);
}

void UseBinaryStandardStreams() {}

} // namespace curvix
