#pragma once

#include <functional>
#include <memory>

namespace curvix {

// A one-shot timer of the event loop: the callback runs once, from the
// loop, when the time is up. Starting it again restarts the wait; a timer
// destroyed before its time never calls back.
class CTimer {
public:
    explicit CTimer(std::function<void()> callback);
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    void Start(int milliseconds);
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

} // namespace curvix
