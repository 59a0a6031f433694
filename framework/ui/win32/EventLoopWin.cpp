#include "EventLoop.h"
#include "MessageLoopWin.h"
#include "Win32Api.h"
#include "WinSystem.h"

namespace curvix {

namespace {

int g_loopDepth = 0;

// WM_SYSTIMER: the caret's blinking, which changes no command's state.
constexpr UINT kCaretTimer = 0x0118;

// Whether the message may have changed what the idle step updates.
bool WakesIdle(const MSG& message, POINT& lastMouse, UINT& lastMouseMessage) {
    switch (message.message) {
    case WM_PAINT:
    case kCaretTimer:
        return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        const bool moved = message.message != lastMouseMessage || message.pt.x != lastMouse.x ||
                           message.pt.y != lastMouse.y;
        lastMouse = message.pt;
        lastMouseMessage = message.message;
        return moved;
    }
    default:
        return true;
    }
}

struct LoopDepth {
    LoopDepth() { ++g_loopDepth; }
    ~LoopDepth() { --g_loopDepth; }
    LoopDepth(const LoopDepth&) = delete;
    LoopDepth& operator=(const LoopDepth&) = delete;
};

} // namespace

int AfxRunEventLoop(const std::function<bool(MSG&)>& preTranslate,
                    const std::function<void()>& onIdle) {
    int exitCode = 0;
    {
        const LoopDepth depth;
        bool idle = true;
        POINT lastMouse{};
        UINT lastMouseMessage = 0;
        for (;;) {
            MSG message{};
            if (idle && onIdle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
                onIdle();
                idle = false;
            }
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                exitCode = static_cast<int>(message.wParam);
                break;
            }
            if (got == -1) {
                // Only a bad window handle fails here, and none is given.
                exitCode = -1;
                break;
            }
            idle = idle || WakesIdle(message, lastMouse, lastMouseMessage);
            if (preTranslate && preTranslate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The loop around this one ends too, with the same code.
    if (g_loopDepth > 0)
        PostQuitMessage(exitCode);
    return exitCode;
}

int AfxEventLoopDepth() {
    return g_loopDepth;
}

void AfxEndEventLoop(int exitCode) {
    if (g_loopDepth > 0)
        PostQuitMessage(exitCode);
}

std::vector<std::string> AfxGetProcessArguments() {
    int count = 0;
    wchar_t** all = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (all == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(all[i]));
    LocalFree(all);
    return arguments;
}

} // namespace curvix
