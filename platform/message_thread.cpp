// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/message_thread.h"

#include <QtGlobal>
#include <system_error>

MessageThread::MessageThread() = default;

MessageThread::~MessageThread()
{
    if (isCurrentThread()) {  // destroyed from its own body: cannot wait for itself
        thread_.detach();
        return;
    }
    quitAndJoin();
}

bool MessageThread::start()
{
    return start(nullptr);
}

bool MessageThread::start(std::function<void(MessageThread&)> body)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (started_)
        return false;
    try {
        thread_ = std::thread([this, body = std::move(body)]() {
            if (body)
                body(*this);
            else
                run();
            std::lock_guard<std::mutex> inner(mutex_);
            closed_ = true;
            queue_.clear();
        });
    } catch (const std::system_error& e) {
        qWarning("cannot start a message thread: %s", e.what());
        return false;
    }
    started_ = true;
    return true;
}

bool MessageThread::post(int id, intptr_t wParam, intptr_t lParam)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_)
            return false;
        queue_.push_back(ThreadMessage{id, wParam, lParam});
    }
    cv_.notify_one();
    return true;
}

void MessageThread::join()
{
    if (!thread_.joinable() || isCurrentThread())
        return;
    thread_.join();
}

void MessageThread::quitAndJoin()
{
    if (!thread_.joinable())
        return;
    postQuit();
    join();
}

bool MessageThread::isRunning() const
{
    return thread_.joinable();
}

bool MessageThread::isCurrentThread() const
{
    return thread_.joinable() && thread_.get_id() == std::this_thread::get_id();
}

bool MessageThread::getMessage(ThreadMessage& msg)
{
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait(lock, [this] { return !queue_.empty() || closed_; });
    if (queue_.empty()) {  // closed with nothing left: behave as the quit message
        msg = ThreadMessage{kQuitMessage, 0, 0};
        return false;
    }
    msg = queue_.front();
    queue_.pop_front();
    if (msg.id == kQuitMessage) {
        closed_ = true;
        queue_.clear();
        return false;
    }
    return true;
}

bool MessageThread::peekMessage(ThreadMessage& msg)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.empty())
        return false;
    msg = queue_.front();
    queue_.pop_front();
    if (msg.id == kQuitMessage) {
        closed_ = true;
        queue_.clear();
    }
    return true;
}

size_t MessageThread::pendingCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

void MessageThread::run()
{
    ThreadMessage msg;
    while (getMessage(msg))
        onMessage(msg);
}

void MessageThread::onMessage(const ThreadMessage&) {}
