#pragma once

#include <string>

namespace curvix {

// The Windows system boundary. Paths are UTF-8 inside the program and wide
// strings for the system; the system's error codes become errno values, so
// that the error texts are the same on every system.

// Empty for text that is not UTF-8, which the system then does not find.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
// errno for a GetLastError() code; EIO for codes without one.
int ErrnoFromWindowsError(unsigned long error);
// ErrnoFromWindowsError(GetLastError()) into errno.
void SetErrnoFromLastError();

} // namespace curvix
