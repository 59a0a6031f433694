#include "WndWin.h"

#include "WinSystem.h"

namespace curvix {

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleW(nullptr);
}

void* AfxWindowObject(::HWND hWnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    void* object = reinterpret_cast<void*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    return object;
}

bool AfxRegisterClass(const wchar_t* name, WNDPROC procedure, UINT style, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::string AfxGetWindowText(::HWND hWnd) {
    if (hWnd == nullptr)
        return {};
    const int length = GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return Utf8FromWide(text);
}

void AfxSetWindowText(::HWND hWnd, const std::string& text) {
    if (hWnd != nullptr)
        SetWindowTextW(hWnd, WideFromUtf8(text).c_str());
}

CWnd::~CWnd() {
    DestroyWindow();
}

void CWnd::DestroyWindow() {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    m_hWnd = nullptr;
    if (window != nullptr && IsWindow(window))
        ::DestroyWindow(window);
}

void CWnd::ShowWindow(int nCmdShow) {
    if (::HWND window = AfxWin32Hwnd(m_hWnd))
        ::ShowWindow(window, nCmdShow);
}

bool CWnd::IsWindowVisible() const {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    return window != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CWnd::Invalidate() {
    if (::HWND window = AfxWin32Hwnd(m_hWnd))
        InvalidateRect(window, nullptr, 1);
}

void CWnd::SetFocus() {
    if (::HWND window = AfxWin32Hwnd(m_hWnd))
        ::SetFocus(window);
}

void CWnd::SetWindowText(const std::string& text) {
    AfxSetWindowText(AfxWin32Hwnd(m_hWnd), text);
}

std::string CWnd::GetWindowText() const {
    return AfxGetWindowText(AfxWin32Hwnd(m_hWnd));
}

CRect CWnd::GetClientRect() const {
    RECT rect{};
    if (::HWND window = AfxWin32Hwnd(m_hWnd); window == nullptr || !::GetClientRect(window, &rect))
        return {};
    return AfxCRect(rect);
}

} // namespace curvix
