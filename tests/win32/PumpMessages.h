#pragma once

// Dispatches the thread's messages as an event loop would, for tests of
// what runs from the loop.

#include "Win32Api.h"

#include <functional>
#include <map>

namespace curvix::test {

// Dispatches messages until done() holds or limitMs have gone by (a limit
// far beyond anything awaited, so that a fault fails rather than hangs);
// true when done() held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 20000) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, 0, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

// A message-only window that runs functions from the loop: each posted
// message names one of the calls kept here.
class CPostedCalls {
public:
    CPostedCalls() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &CPostedCalls::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"CurvixTestPostedCalls";
        RegisterClassExW(&windowClass); // fails harmlessly once registered
        m_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                   nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CPostedCalls() { DestroyWindow(m_window); } // calls still queued go with it
    CPostedCalls(const CPostedCalls&) = delete;
    CPostedCalls& operator=(const CPostedCalls&) = delete;

    ::HWND Window() const { return m_window; }
    // Runs call from the loop, after what is queued before it.
    bool Post(std::function<void()> call) {
        const WPARAM id = ++m_lastId;
        m_calls[id] = std::move(call);
        return PostMessageW(m_window, kCall, id, 0) != 0;
    }

    static constexpr UINT kCall = WM_APP + 1;

private:
    static LRESULT CALLBACK WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CPostedCalls*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message != kCall || self == nullptr)
            return DefWindowProcW(hWnd, message, wParam, lParam);
        const auto found = self->m_calls.find(wParam);
        if (found == self->m_calls.end())
            return 0;
        const std::function<void()> call = std::move(found->second);
        self->m_calls.erase(found);
        call();
        return 0;
    }

    ::HWND m_window = nullptr;
    WPARAM m_lastId = 0;
    std::map<WPARAM, std::function<void()>> m_calls;
};

} // namespace curvix::test
