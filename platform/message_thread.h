// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A thread with a message queue (what a Windows thread with PostThreadMessage /
// GetMessage is): messages (id, wParam, lParam) posted from any thread, the
// thread itself included, are taken strictly in the order they were queued.
// A quit message ends the loop; messages queued after it are never delivered.
//
// Two ways to use it:
//  - derive and override onMessage() (the default run() takes messages until the
//    quit message and hands each to onMessage()), or override run() and call
//    getMessage() yourself;
//  - own one and pass the body to start(): the body calls getMessage().
// A derived class must call quitAndJoin() in its own destructor (the base
// destructor does it too, but by then the derived part is gone).
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

struct ThreadMessage {
    int id = 0;
    intptr_t wParam = 0;
    intptr_t lParam = 0;
};

// The quit message id (WM_QUIT).
inline constexpr int kQuitMessage = 0x0012;

class MessageThread {
public:
    MessageThread();
    virtual ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    // Starts the thread running run() (or the given body). False when it was
    // already started or the thread cannot be created.
    bool start();
    bool start(std::function<void(MessageThread&)> body);

    // Queues a message; any thread. Messages posted before start() wait in the
    // queue. False once the loop has taken the quit message or the thread ended.
    bool post(int id, intptr_t wParam = 0, intptr_t lParam = 0);
    bool postQuit() { return post(kQuitMessage); }

    // Waits for the thread to end (no time-out). No-op when not started or
    // already joined, and when called from the thread itself.
    void join();
    void quitAndJoin();

    bool isRunning() const;  // started and not yet joined
    bool isCurrentThread() const;

    // For the thread's body: blocks until a message is queued. Returns false
    // when the message is the quit message (the loop should end), true otherwise.
    bool getMessage(ThreadMessage& msg);
    // Takes a message if one is queued; never blocks. Returns false when the
    // queue is empty. A quit message is returned with id kQuitMessage.
    bool peekMessage(ThreadMessage& msg);
    size_t pendingCount() const;

protected:
    virtual void run();
    virtual void onMessage(const ThreadMessage& msg);

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<ThreadMessage> queue_;
    bool closed_ = false;  // the quit message was taken or the thread ended
    bool started_ = false;
    std::thread thread_;
};
