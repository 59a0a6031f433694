#include "Timer.h"
#include "Win32Api.h"

#include <map>

// The timers are window timers of one message-only window, each running
// one under an id of its own. A new id for every start means that a
// WM_TIMER still queued from an earlier start (KillTimer leaves those in
// the queue) finds no timer and is dropped, as is one of a timer destroyed.
// Everything happens on the user-interface thread, which made the window.

namespace curvix {

namespace {

constexpr const wchar_t* kWindowClass = L"CurvixTimerWindow";

} // namespace

struct CTimer::Impl {
    static ::HWND Window();
    static std::map<UINT_PTR, Impl*>& Running();
    static LRESULT CALLBACK WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Stop();

    std::function<void()> callback;
    UINT_PTR id = 0; // 0 while not running
};

std::map<UINT_PTR, CTimer::Impl*>& CTimer::Impl::Running() {
    static std::map<UINT_PTR, Impl*> timers;
    return timers;
}

::HWND CTimer::Impl::Window() {
    static ::HWND window = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &CTimer::Impl::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassExW(&windowClass);
        return CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }();
    return window;
}

LRESULT CALLBACK CTimer::Impl::WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const auto running = Running().find(wParam);
    if (running == Running().end()) {
        KillTimer(hWnd, wParam);
        return 0;
    }
    Impl* timer = running->second;
    timer->Stop();
    // The callback may destroy or restart its timer: it runs from a copy.
    const std::function<void()> callback = timer->callback;
    if (callback)
        callback();
    return 0;
}

void CTimer::Impl::Stop() {
    if (id == 0)
        return;
    KillTimer(Window(), id);
    Running().erase(id);
    id = 0;
}

CTimer::CTimer(std::function<void()> callback) : m_pImpl(std::make_unique<Impl>()) {
    m_pImpl->callback = std::move(callback);
}

CTimer::~CTimer() {
    m_pImpl->Stop();
}

void CTimer::Start(int milliseconds) {
    static UINT_PTR lastId = 0;
    m_pImpl->Stop();
    do
        ++lastId;
    while (lastId == 0 || Impl::Running().contains(lastId));
    const UINT wait = milliseconds > 0 ? static_cast<UINT>(milliseconds) : 0;
    // Without its window or a timer left in the system, the callback never comes.
    const ::HWND window = Impl::Window();
    if (window == nullptr || SetTimer(window, lastId, wait, nullptr) == 0)
        return;
    m_pImpl->id = lastId;
    Impl::Running()[lastId] = m_pImpl.get();
}

void CTimer::Stop() {
    m_pImpl->Stop();
}

} // namespace curvix
