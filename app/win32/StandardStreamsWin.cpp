#include "StandardStreamsWin.h"

#include "Win32Api.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace curvix {

namespace {

void Attach(int descriptor, DWORD standard) {
    if (_get_osfhandle(descriptor) < 0) {
        HANDLE handle = GetStdHandle(standard);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
            return;
        const int opened = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
        if (opened < 0)
            return;
        if (opened != descriptor) {
            _dup2(opened, descriptor);
            _close(opened);
        }
    }
    _setmode(descriptor, _O_BINARY);
}

} // namespace

void AttachInheritedStandardStreams() {
    Attach(1, STD_OUTPUT_HANDLE);
    Attach(2, STD_ERROR_HANDLE);
}

} // namespace curvix
