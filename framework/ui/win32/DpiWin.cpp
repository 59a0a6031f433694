#include "DpiWin.h"

#include <algorithm>

namespace curvix {

namespace {

// The awareness contexts by their fixed values: per monitor (version 2,
// which also scales the window frame and menus, then version 1).
const auto kPerMonitorV2 = reinterpret_cast<DPI_AWARENESS_CONTEXT>(-4);
const auto kPerMonitor = reinterpret_cast<DPI_AWARENESS_CONTEXT>(-3);
constexpr int kUnaware = 0;

template <typename Function> Function User32(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

UINT DeviceDpi(::HWND hWnd) {
    HDC dc = GetDC(hWnd);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc != nullptr)
        ReleaseDC(hWnd, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

} // namespace

UINT AfxGetWindowDpi(::HWND hWnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(::HWND);
    static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && hWnd != nullptr) {
        if (const UINT dpi = getDpiForWindow(hWnd); dpi != 0)
            return dpi;
    }
    return AfxGetSystemDpi();
}

UINT AfxGetSystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        if (const UINT dpi = getDpiForSystem(); dpi != 0)
            return dpi;
    }
    return DeviceDpi(nullptr);
}

int AfxScaleToDpi(int value, UINT dpi) {
    return AfxRescale(value, kDefaultDpi, dpi);
}

int AfxRescale(int value, UINT fromDpi, UINT toDpi) {
    if (fromDpi == 0 || fromDpi == toDpi)
        return value;
    return MulDiv(value, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}

RECT AfxRescale(const RECT& rect, UINT fromDpi, UINT toDpi) {
    return {AfxRescale(rect.left, fromDpi, toDpi), AfxRescale(rect.top, fromDpi, toDpi),
            AfxRescale(rect.right, fromDpi, toDpi), AfxRescale(rect.bottom, fromDpi, toDpi)};
}

int AfxImageFactor(UINT dpi) {
    return std::max(1, static_cast<int>((dpi + kDefaultDpi / 2) / kDefaultDpi));
}

bool AfxIsDpiAware() {
    using GetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using AwarenessFn = int(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using IsAwareFn = BOOL(WINAPI*)();
    static const auto getContext = User32<GetContextFn>("GetThreadDpiAwarenessContext");
    static const auto awarenessOf = User32<AwarenessFn>("GetAwarenessFromDpiAwarenessContext");
    static const auto isAware = User32<IsAwareFn>("IsProcessDPIAware");
    if (getContext != nullptr && awarenessOf != nullptr)
        return awarenessOf(getContext()) != kUnaware;
    return isAware != nullptr && isAware() != 0;
}

void AfxEnableDpiAwareness() {
    if (AfxIsDpiAware())
        return;
    // What the system knows, newest first.
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using SetAwareFn = BOOL(WINAPI*)();
    if (const auto setContext = User32<SetContextFn>("SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorV2) || setContext(kPerMonitor))
            return;
    }
    if (const auto setAware = User32<SetAwareFn>("SetProcessDPIAware"))
        setAware();
}

HFONT AfxCreateStatusFont(UINT dpi) {
    using InfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto infoForDpi = User32<InfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (infoForDpi != nullptr &&
        infoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return CreateFontIndirectW(&metrics.lfStatusFont);
    // The system's metrics are at its own scale.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    LOGFONTW font = metrics.lfStatusFont;
    font.lfHeight = AfxRescale(font.lfHeight, AfxGetSystemDpi(), dpi);
    return CreateFontIndirectW(&font);
}

void AfxKeepDialogLayout(::HWND dialog) {
    using DialogBehaviorFn = BOOL(WINAPI*)(::HWND, int, int);
    using ControlBehaviorFn = BOOL(WINAPI*)(::HWND, int, int);
    static const auto dialogBehavior = User32<DialogBehaviorFn>("SetDialogDpiChangeBehavior");
    static const auto controlBehavior =
        User32<ControlBehaviorFn>("SetDialogControlDpiChangeBehavior");
    constexpr int kDisableAll = 1;               // DDC_DISABLE_ALL
    constexpr int kDisableFontAndLayout = 1 | 2; // DCDC_DISABLE_FONT_UPDATE | _RELAYOUT
    if (dialogBehavior != nullptr)
        dialogBehavior(dialog, kDisableAll, kDisableAll);
    if (controlBehavior == nullptr)
        return;
    for (::HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        controlBehavior(child, kDisableFontAndLayout, kDisableFontAndLayout);
}

} // namespace curvix
