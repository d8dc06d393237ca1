// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/message_thread.h"

namespace {
// Records every message its loop takes.
class RecordingThread : public MessageThread {
public:
    ~RecordingThread() override { quitAndJoin(); }
    std::vector<ThreadMessage> taken;  // read only after join()

protected:
    void onMessage(const ThreadMessage& msg) override
    {
        taken.push_back(msg);
        if (msg.id == 50)  // posts to itself, like a capture tick
            post(51, msg.wParam + 1, 0);
        else if (msg.id == 51)
            postQuit();
    }
};
}  // namespace

TEST(MessageThread, StrictOrderFromSeveralThreads)
{
    RecordingThread t;
    ASSERT_TRUE(t.post(1, 0, -1));  // before start: kept
    ASSERT_TRUE(t.start());
    EXPECT_FALSE(t.start());
    constexpr int kSenders = 4;
    constexpr int kEach = 2000;
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s)
        senders.emplace_back([&t, s] {
            for (int i = 0; i < kEach; ++i)
                t.post(100 + s, i, 0);
        });
    for (std::thread& s : senders)
        s.join();
    t.quitAndJoin();
    EXPECT_FALSE(t.isRunning());

    ASSERT_FALSE(t.taken.empty());
    EXPECT_EQ(t.taken.front().id, 1);
    EXPECT_EQ(t.taken.front().lParam, -1);
    EXPECT_EQ(t.taken.size(), size_t(1 + kSenders * kEach));
    std::vector<int> next(kSenders, 0);
    for (const ThreadMessage& m : t.taken) {
        if (m.id >= 100) {
            EXPECT_EQ(m.wParam, next[m.id - 100]) << "sender " << m.id - 100;
            ++next[m.id - 100];
        }
    }
    for (int s = 0; s < kSenders; ++s)
        EXPECT_EQ(next[s], kEach);
}

TEST(MessageThread, PostsToItselfAndQuitsFromInside)
{
    RecordingThread t;
    ASSERT_TRUE(t.start());
    t.post(50, 7, 0);
    t.join();  // ends because message 51 posts the quit message
    ASSERT_EQ(t.taken.size(), 2u);
    EXPECT_EQ(t.taken[1].id, 51);
    EXPECT_EQ(t.taken[1].wParam, 8);
}

TEST(MessageThread, QuitEndsTheLoopAndLaterPostsAreRefused)
{
    MessageThread t;
    std::vector<int> ids;
    std::atomic<bool> ended{false};
    ASSERT_TRUE(t.start([&](MessageThread& self) {
        ThreadMessage m;
        while (self.getMessage(m))
            ids.push_back(m.id);
        ended = true;
    }));
    t.post(10);
    t.post(11);
    t.postQuit();
    t.post(12);  // may be accepted or refused, but never delivered
    t.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(ids, (std::vector<int>{10, 11}));
    EXPECT_FALSE(t.post(13));
    t.join();  // a second join is harmless
}

TEST(MessageThread, PeekNeverBlocks)
{
    MessageThread t;  // never started: the queue still works
    ThreadMessage m;
    EXPECT_FALSE(t.peekMessage(m));
    t.post(3, 4, 5);
    EXPECT_EQ(t.pendingCount(), 1u);
    ASSERT_TRUE(t.peekMessage(m));
    EXPECT_EQ(m.id, 3);
    EXPECT_EQ(m.wParam, 4);
    EXPECT_EQ(m.lParam, 5);
    EXPECT_FALSE(t.peekMessage(m));
}

TEST(MessageThread, DestructorStopsARunningThread)
{
    std::atomic<int> handled{0};
    {
        MessageThread t;
        t.start([&](MessageThread& self) {
            ThreadMessage m;
            while (self.getMessage(m))
                ++handled;
        });
        t.post(1);
    }  // quit posted and joined here; a hang would fail the test by time-out
    EXPECT_EQ(handled, 1);
}
