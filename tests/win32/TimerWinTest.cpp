// The one-shot timer, run from the message loop: it calls back once, a
// restart restarts it, and one stopped or destroyed before its time never
// calls back, even when its WM_TIMER is already waiting in the queue.

#include "PumpMessages.h"
#include "Timer.h"
#include "Win32Api.h"

#include <gtest/gtest.h>
#include <memory>

namespace curvix {
namespace {

using test::PumpUntil;

// Waits until a later timer of the same loop has run: one due before it
// has then had its chance.
void PumpPast(int milliseconds) {
    bool passed = false;
    CTimer later([&] { passed = true; });
    later.Start(milliseconds);
    ASSERT_TRUE(PumpUntil([&] { return passed; }));
}

// Lets a timer's time pass and makes its WM_TIMER wait in the queue.
void LetItBeDue() {
    Sleep(50);
    MSG message{};
    PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE);
}

TEST(TimerWinTest, CallsBackOnceFromTheLoop) {
    int calls = 0;
    CTimer timer([&] { ++calls; });
    timer.Start(0);
    EXPECT_EQ(calls, 0); // not from Start
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpPast(100);
    EXPECT_EQ(calls, 1);
}

TEST(TimerWinTest, StartingAgainRestartsTheWait) {
    int calls = 0;
    CTimer timer([&] { ++calls; });
    timer.Start(600000);
    timer.Start(10);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    // Started again after its time, it calls back again.
    timer.Start(0);
    ASSERT_TRUE(PumpUntil([&] { return calls > 1; }));
    PumpPast(100);
    EXPECT_EQ(calls, 2);
}

TEST(TimerWinTest, ARestartDropsTheWaitingCall) {
    int calls = 0;
    CTimer timer([&] { ++calls; });
    timer.Start(0);
    LetItBeDue();
    timer.Start(600000);
    PumpPast(100);
    EXPECT_EQ(calls, 0);
}

TEST(TimerWinTest, AStoppedTimerNeverCallsBack) {
    int calls = 0;
    CTimer timer([&] { ++calls; });
    timer.Start(10);
    timer.Stop();
    PumpPast(100);
    timer.Start(0);
    LetItBeDue();
    timer.Stop();
    PumpPast(100);
    EXPECT_EQ(calls, 0);
}

TEST(TimerWinTest, ADestroyedTimerNeverCallsBack) {
    int calls = 0;
    auto early = std::make_unique<CTimer>([&] { ++calls; });
    early->Start(10);
    early.reset();
    auto due = std::make_unique<CTimer>([&] { ++calls; });
    due->Start(0);
    LetItBeDue();
    due.reset();
    PumpPast(100);
    EXPECT_EQ(calls, 0);
}

TEST(TimerWinTest, ACallbackMayDestroyOrRestartItsTimer) {
    int destroyedCalls = 0;
    std::unique_ptr<CTimer> destroyed;
    destroyed = std::make_unique<CTimer>([&] {
        ++destroyedCalls;
        destroyed.reset();
    });
    destroyed->Start(0);
    int restartedCalls = 0;
    std::unique_ptr<CTimer> restarted;
    restarted = std::make_unique<CTimer>([&] {
        if (++restartedCalls < 3)
            restarted->Start(0);
    });
    restarted->Start(0);
    ASSERT_TRUE(PumpUntil([&] { return destroyed == nullptr && restartedCalls == 3; }));
    PumpPast(100);
    EXPECT_EQ(destroyedCalls, 1);
    EXPECT_EQ(restartedCalls, 3);
}

} // namespace
} // namespace curvix
