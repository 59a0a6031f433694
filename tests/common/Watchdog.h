#pragma once

// Turns a hang into a quick failure: a call that must return at once is
// given a few seconds, not the test runner's whole limit.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace curvix::test {

// Ends the whole test program with status 1 and a line naming `what` unless
// it is destroyed within `limit`. Nothing else can unblock a call that hangs
// in the kernel, such as an open of a FIFO without a writer.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what)
        : m_what(std::move(what)), m_thread([this, limit] { Watch(limit); }) {}
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_returned.notify_all();
        m_thread.join();
    }

private:
    void Watch(std::chrono::milliseconds limit) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_returned.wait_for(lock, limit, [this] { return m_done; }))
            return;
        std::fprintf(stderr, "FAILED: %s did not return within %lld ms\n", m_what.c_str(),
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(1);
    }

    std::mutex m_mutex;
    std::condition_variable m_returned;
    bool m_done = false;
    std::string m_what;
    std::thread m_thread; // last: it starts watching once the rest exists
};

} // namespace curvix::test
