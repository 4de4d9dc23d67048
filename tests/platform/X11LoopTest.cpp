// The event loop sleeps until something happens: a deadline, a watched descriptor, a wake-up.
#include "platform/X11Fixture.h"
#include "platform/x11/PollLoop.h"

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace x11test {
namespace {

struct Usage {
    long voluntarySwitches = 0;
    long cpuMicroseconds = 0;
};

Usage ThreadUsage() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return Usage{usage.ru_nvcsw, (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000L +
                                     usage.ru_utime.tv_usec + usage.ru_stime.tv_usec};
}

class X11LoopTest : public X11Test {};

TEST_F(X11LoopTest, IdleWaitSleepsInOnePieceUntilTheDeadline) {
    system_->WaitAndDispatch(MonotonicNowMs()); // settle the connection's start-up traffic
    const Usage before = ThreadUsage();
    const std::int64_t deadline = MonotonicNowMs() + 300;
    system_->WaitAndDispatch(deadline);
    const Usage after = ThreadUsage();
    EXPECT_GE(MonotonicNowMs(), deadline) << "never wakes before the deadline";
    EXPECT_LE(after.voluntarySwitches - before.voluntarySwitches, 2) << "one sleep, not many";
    EXPECT_LT(after.cpuMicroseconds - before.cpuMicroseconds, 50'000) << "no busy waiting";
}

TEST_F(X11LoopTest, WatchedDescriptorWakesTheLoopAndRunsItsCallback) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    int calls = 0;
    system_->WatchFd(fds[0], true, false, [&] {
        char c = 0;
        ASSERT_EQ(read(fds[0], &c, 1), 1);
        ++calls;
    });
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    const std::int64_t start = MonotonicNowMs();
    system_->WaitAndDispatch(start + 10'000);
    EXPECT_EQ(calls, 1);
    EXPECT_LT(MonotonicNowMs() - start, 5'000);

    system_->UnwatchFd(fds[0]);
    ASSERT_EQ(write(fds[1], "y", 1), 1);
    system_->WaitAndDispatch(MonotonicNowMs() + 50);
    EXPECT_EQ(calls, 1) << "an unwatched descriptor is not served";
    close(fds[0]);
    close(fds[1]);
}

TEST_F(X11LoopTest, CallbackMayUnwatchAnotherReadyDescriptor) {
    int first[2];
    int second[2];
    ASSERT_EQ(pipe(first), 0);
    ASSERT_EQ(pipe(second), 0);
    int secondCalls = 0;
    system_->WatchFd(first[0], true, false, [&] { system_->UnwatchFd(second[0]); });
    system_->WatchFd(second[0], true, false, [&] { ++secondCalls; });
    ASSERT_EQ(write(first[1], "x", 1), 1);
    ASSERT_EQ(write(second[1], "x", 1), 1);
    system_->WaitAndDispatch(MonotonicNowMs() + 1000);
    EXPECT_EQ(secondCalls, 0);
    system_->UnwatchFd(first[0]);
    for (int fd : {first[0], first[1], second[0], second[1]}) {
        close(fd);
    }
}

TEST_F(X11LoopTest, WakeFromAnotherThreadEndsTheWait) {
    const std::int64_t start = MonotonicNowMs();
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        system_->Wake();
    });
    system_->WaitAndDispatch(start + 10'000);
    waker.join();
    EXPECT_LT(MonotonicNowMs() - start, 5'000);
}

TEST_F(X11LoopTest, EventsAlreadyReadByXlibAreDispatchedWithoutSleeping) {
    WindowOptions options;
    options.bounds = Rect{0, 0, 50, 50};
    auto window = MakeWindow(options);
    window->Show();
    // A round trip makes Xlib read the map and expose events into its queue; the socket is
    // then empty, so only a look at that queue finds them.
    XSync(system_->XDisplay(), False);
    const std::int64_t start = MonotonicNowMs();
    system_->WaitAndDispatch(start + 10'000);
    EXPECT_TRUE(events_.Has(kExposeInput));
    EXPECT_LT(MonotonicNowMs() - start, 5'000);
}

} // namespace
} // namespace x11test
