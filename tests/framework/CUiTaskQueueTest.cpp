// The hand-off to the user-interface thread: order per sender, nothing run after the window
// is gone, and every task freed whether it ran or not.
#include "framework/CUiTaskQueue.h"

#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using testing_support::PumpMessagesUntil;
using testing_support::PumpWaitingMessages;

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
}

TEST(CUiTaskQueueTest, TasksFromSeveralThreadsRunOnTheWindowsThreadInEachSendersOrder) {
    HWND window = MakeWindow();
    ASSERT_TRUE(window);
    auto queue = CUiTaskQueue::Create();
    ASSERT_TRUE(queue->Bind(window));
    EXPECT_FALSE(queue->Bind(window)); // one window per queue

    constexpr int kThreads = 4, kPerThread = 2000;
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<std::vector<int>> seen(kThreads); // written on the UI thread only
    std::atomic<int> wrongThread{0}, ran{0}, refused{0};
    std::vector<std::thread> senders; // gtest's assertions stay on this thread
    for (int t = 0; t < kThreads; ++t)
        senders.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i)
                if (!queue->Post([&, t, i] {
                        if (GetCurrentThreadId() != uiThread)
                            ++wrongThread;
                        seen[t].push_back(i);
                        ++ran;
                    }))
                    ++refused;
        });
    ASSERT_TRUE(PumpMessagesUntil([&] { return ran == kThreads * kPerThread; }));
    for (auto& sender : senders)
        sender.join();
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(wrongThread, 0);
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[t].size(), static_cast<size_t>(kPerThread));
        for (int i = 0; i < kPerThread; ++i)
            ASSERT_EQ(seen[t][i], i) << "sender " << t;
    }
    DestroyWindow(window);
}

TEST(CUiTaskQueueTest, APostThatCannotBeDeliveredFreesItsTaskAtOnce) {
    auto queue = CUiTaskQueue::Create();
    auto token = std::make_shared<int>(0);
    bool ran = false;
    EXPECT_FALSE(queue->Post([token, &ran] { ran = true; })); // never bound
    EXPECT_EQ(token.use_count(), 1);

    HWND window = MakeWindow();
    ASSERT_TRUE(queue->Bind(window));
    queue->Unbind();
    EXPECT_FALSE(queue->Post([token, &ran] { ran = true; }));
    EXPECT_EQ(token.use_count(), 1);
    EXPECT_FALSE(queue->Bind(nullptr));
    bool boundElsewhere = true;
    std::thread other([&] { boundElsewhere = queue->Bind(window); }); // not its window
    other.join();
    EXPECT_FALSE(boundElsewhere);
    PumpWaitingMessages();
    EXPECT_FALSE(ran);
    DestroyWindow(window);
}

// Senders are still posting when the window is destroyed: what was pending is freed unrun,
// later posts are refused, and the queue outlives the window for the senders that hold it.
TEST(CUiTaskQueueTest, DestroyingTheWindowWhilePostsAreInFlightFreesWhatIsPending) {
    HWND window = MakeWindow();
    auto queue = CUiTaskQueue::Create();
    ASSERT_TRUE(queue->Bind(window));
    auto token = std::make_shared<int>(0);
    std::atomic<bool> destroyed{false}, sending{true};
    std::atomic<int> ran{0}, ranAfter{0}, refused{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < 3; ++t)
        senders.emplace_back([&] {
            while (sending) {
                if (queue->PendingCount() > 10000) { // keeps the test's memory bounded
                    std::this_thread::yield();
                    continue;
                }
                if (!queue->Post([&, token] {
                        ++ran;
                        if (destroyed)
                            ++ranAfter;
                    }))
                    ++refused;
            }
        });
    ASSERT_TRUE(PumpMessagesUntil([&] { return ran > 1000; }));
    while (queue->PendingCount() == 0) // not pumping now: posts pile up
        std::this_thread::yield();
    DestroyWindow(window);
    destroyed = true;
    EXPECT_FALSE(queue->IsBound());
    EXPECT_EQ(queue->PendingCount(), 0u);
    while (refused < 100)
        std::this_thread::yield();
    sending = false;
    for (auto& sender : senders)
        sender.join();
    PumpWaitingMessages();
    EXPECT_EQ(ranAfter, 0);
    EXPECT_EQ(queue->PendingCount(), 0u);
    EXPECT_EQ(token.use_count(), 1); // every copy freed, run or not
}

// A task may destroy its own window; the tasks behind it are freed, not run.
TEST(CUiTaskQueueTest, ATaskThatDestroysTheWindowEndsTheRun) {
    HWND window = MakeWindow();
    auto queue = CUiTaskQueue::Create();
    ASSERT_TRUE(queue->Bind(window));
    std::weak_ptr<CUiTaskQueue> watch = queue;
    int after = 0;
    EXPECT_TRUE(queue->Post([window] { DestroyWindow(window); }));
    EXPECT_TRUE(queue->Post([&after] { ++after; }));
    queue.reset(); // only the window holds it now
    ASSERT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(after, 0);
    EXPECT_TRUE(watch.expired());
}

} // namespace
