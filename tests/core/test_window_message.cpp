// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QThread>
#include <functional>
#include <thread>
#include <vector>

#include "platform/message_thread.h"
#include "platform/window_message.h"

namespace {
// A receiver on the test's (user-interface) thread that dispatches through a map.
class Receiver : public QObject {
public:
    Receiver()
    {
        map_.on(1244, [this](intptr_t w, intptr_t l) {
            counts.push_back(int(l));
            threadOk = threadOk && QThread::currentThread() == thread();
            (void)w;
        });
        map_.on(1247, [this](intptr_t, intptr_t) { ++done; });
    }
    bool event(QEvent* e) override
    {
        if (map_.dispatch(e))
            return true;
        if (asWindowMessage(e))
            ++unmapped;
        return QObject::event(e);
    }
    std::vector<int> counts;
    int done = 0;
    int unmapped = 0;
    bool threadOk = true;

private:
    WindowMessageMap map_;
};

void pumpUntil(const std::function<bool()>& ready)
{
    QDeadlineTimer deadline(10000);
    while (!ready() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
}  // namespace

TEST(WindowMessage, PostedFromAWorkerArriveInOrderOnTheReceiversThread)
{
    Receiver receiver;
    MessageThread worker;
    // The worker reports like the capture worker: counts, then "finished".
    worker.start([&](MessageThread& self) {
        ThreadMessage m;
        while (self.getMessage(m)) {
            for (int i = 1; i <= int(m.lParam); ++i)
                postWindowMessage(&receiver, 1244, 0, i);
            postWindowMessage(&receiver, 1247);
            postWindowMessage(&receiver, 9999);  // no handler: left to the base class
        }
    });
    worker.post(1, 0, 500);
    pumpUntil([&] { return receiver.done == 1 && receiver.unmapped == 1; });
    worker.quitAndJoin();

    ASSERT_EQ(receiver.counts.size(), 500u);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(receiver.counts[size_t(i)], i + 1);
    EXPECT_EQ(receiver.done, 1);
    EXPECT_EQ(receiver.unmapped, 1);
    EXPECT_TRUE(receiver.threadOk);
}

TEST(WindowMessage, SendAndRefusals)
{
    Receiver receiver;
    EXPECT_TRUE(sendWindowMessage(&receiver, 1244, 0, 42));  // handled at once
    ASSERT_EQ(receiver.counts, std::vector<int>{42});
    EXPECT_FALSE(postWindowMessage(nullptr, 1244));
    EXPECT_FALSE(sendWindowMessage(nullptr, 1244));

    WindowMessage m(7, -1, intptr_t(1) << 40);
    EXPECT_EQ(m.type(), WindowMessage::eventType());
    EXPECT_EQ(asWindowMessage(&m), &m);
    EXPECT_EQ(m.wParam(), -1);
    EXPECT_EQ(m.lParam(), intptr_t(1) << 40);
    QEvent other(QEvent::User);
    EXPECT_EQ(asWindowMessage(&other), nullptr);
}
