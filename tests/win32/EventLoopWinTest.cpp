// The framework's message loop: the code it ends with, loops inside loops,
// the hook before translating and the idle hook; and the process's
// arguments as the system's command line has them.

#include "EventLoop.h"
#include "MessageLoopWin.h"
#include "PumpMessages.h"
#include "Timer.h"
#include "Win32Api.h"
#include "WinSystem.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

using test::CPostedCalls;

// What a loop that does not end by itself returns: far beyond anything
// awaited, the loop is ended, so that a fault fails rather than hangs.
constexpr int kStuck = -1000;

int RunLoop(const std::function<bool(MSG&)>& preTranslate = {},
            const std::function<void()>& onIdle = {}) {
    CTimer deadline([] { AfxEndEventLoop(kStuck); });
    deadline.Start(20000);
    return AfxRunEventLoop(preTranslate, onIdle);
}

TEST(EventLoopWinTest, EndsWithTheCodeGiven) {
    CPostedCalls calls;
    int depthInside = -1;
    ASSERT_TRUE(calls.Post([&] {
        depthInside = AfxEventLoopDepth();
        AfxEndEventLoop(42);
    }));
    EXPECT_EQ(RunLoop(), 42);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(AfxEventLoopDepth(), 0);
}

TEST(EventLoopWinTest, EndingOutsideALoopDoesNothing) {
    AfxEndEventLoop(5);
    CPostedCalls calls;
    std::vector<int> ran;
    ASSERT_TRUE(calls.Post([&] { ran.push_back(1); }));
    ASSERT_TRUE(calls.Post([&] {
        ran.push_back(2);
        AfxEndEventLoop(7);
    }));
    EXPECT_EQ(RunLoop(), 7);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(EventLoopWinTest, EndsFromATimer) {
    CTimer timer([] { AfxEndEventLoop(3); });
    timer.Start(10);
    EXPECT_EQ(RunLoop(), 3);
}

TEST(EventLoopWinTest, AnInnerLoopEndsAndTheOuterWithIt) {
    CPostedCalls calls;
    int inner = -1;
    int depthInner = -1;
    bool afterInner = false;
    ASSERT_TRUE(calls.Post([&] {
        ASSERT_TRUE(calls.Post([&] {
            depthInner = AfxEventLoopDepth();
            AfxEndEventLoop(9);
        }));
        inner = AfxRunEventLoop();
        afterInner = true;
    }));
    EXPECT_EQ(RunLoop(), 9);
    EXPECT_EQ(inner, 9);
    EXPECT_EQ(depthInner, 2);
    EXPECT_TRUE(afterInner);
    EXPECT_EQ(AfxEventLoopDepth(), 0);
}

TEST(EventLoopWinTest, TheHookBeforeTranslatingTakesWhatItHandles) {
    CPostedCalls calls;
    std::vector<std::string> log;
    ASSERT_TRUE(calls.Post([&] { log.push_back("first"); }));
    ASSERT_TRUE(PostMessageW(calls.Window(), WM_APP + 2, 0, 0));
    ASSERT_TRUE(calls.Post([&] { AfxEndEventLoop(0); }));
    const auto preTranslate = [&](MSG& message) {
        if (message.message == WM_APP + 2) {
            log.push_back("handled");
            return true; // not dispatched: the window never sees it
        }
        log.push_back("passed");
        return false;
    };
    EXPECT_EQ(RunLoop(preTranslate), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"passed", "first", "handled", "passed"}));
}

TEST(EventLoopWinTest, TheIdleHookRunsWhenTheQueueIsEmpty) {
    CPostedCalls calls;
    std::vector<std::string> log;
    int idle = 0;
    const auto onIdle = [&] {
        log.push_back("idle");
        if (++idle == 1) {
            for (const char* name : {"a", "b", "c"})
                ASSERT_TRUE(calls.Post([&log, name] { log.push_back(name); }));
        } else {
            AfxEndEventLoop(0);
        }
    };
    EXPECT_EQ(RunLoop({}, onIdle), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"idle", "a", "b", "c", "idle"}));
}

// The caret's blinking changes nothing the idle step shows: after it the
// loop waits without running the idle hook again.
TEST(EventLoopWinTest, TheCaretTimerDoesNotWakeTheIdleHook) {
    constexpr UINT kCaretTimer = 0x0118;
    CPostedCalls calls;
    std::vector<std::string> log;
    CTimer end([&] {
        log.push_back("end");
        AfxEndEventLoop(0);
    });
    const auto preTranslate = [&](MSG& message) {
        if (message.message != kCaretTimer)
            return false;
        log.push_back("caret");
        end.Start(50);
        return true;
    };
    const auto onIdle = [&] {
        log.push_back("idle");
        if (log.size() == 1)
            PostThreadMessageW(GetCurrentThreadId(), kCaretTimer, 0, 0);
    };
    EXPECT_EQ(RunLoop(preTranslate, onIdle), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"idle", "caret", "end"}));
}

// The test program started again with these arguments writes what
// AfxGetProcessArguments gives it into the file this variable names, one
// argument a line, and ends before any test runs.
constexpr const wchar_t* kArgumentsFile = L"CURVIX_TEST_ARGUMENTS_FILE";

const bool g_writesItsArguments = [] {
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(kArgumentsFile, path, MAX_PATH) == 0)
        return false;
    std::FILE* file = _wfopen(path, L"wb");
    for (const std::string& argument : AfxGetProcessArguments())
        std::fprintf(file, "%s\n", argument.c_str());
    std::fclose(file);
    ExitProcess(0);
}();

TEST(ProcessArgumentsWinTest, AreTheCommandLinesWithoutTheProgramAsUtf8) {
    EXPECT_FALSE(g_writesItsArguments);
    wchar_t program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring output =
        std::wstring(folder) + L"curvix-arguments-" + std::to_wstring(GetCurrentProcessId());
    // A name outside every ANSI code page, blanks, an empty argument, a
    // quote inside one and backslashes before a closing quote.
    std::wstring commandLine = L"\"" + std::wstring(program) +
                               L"\" C:\\Kurve-\x66F2\x7EBF.cvx \"a b\" \"\" \"say \\\"hi\\\"\" "
                               L"\"C:\\dir\\\\\"";
    ASSERT_TRUE(SetEnvironmentVariableW(kArgumentsFile, output.c_str()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program, commandLine.data(), nullptr, nullptr, 0, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(kArgumentsFile, nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(status, 0u);

    std::string written;
    if (std::FILE* file = _wfopen(output.c_str(), L"rb")) {
        char buffer[4096];
        std::size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            written.append(buffer, count);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    EXPECT_EQ(written, "C:\\Kurve-\xE6\x9B\xB2\xE7\xBA\xBF.cvx\na b\n\nsay \"hi\"\nC:\\dir\\\n");
}

} // namespace
} // namespace curvix
