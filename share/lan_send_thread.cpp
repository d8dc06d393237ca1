// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/lan_send_thread.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QtGlobal>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/errno_text.h"
#include "platform/window_message.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

// A file descriptor closed when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

struct FileClose {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileClose>;

enum class Wait { Ready, TimedOut, Woken, Error };

// Waits until `fd` is ready for `events`, the wake-up pipe is readable or the
// time is up (timeoutMs < 0: no time limit).
Wait waitFor(int fd, short events, int wakeFd, int timeoutMs)
{
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = left > 0 ? int(left) : 0;
        }
        pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
        const int n = ::poll(fds, 2, wait);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Error;
        }
        if (fds[1].revents != 0)
            return Wait::Woken;
        if (fds[0].revents != 0)
            return Wait::Ready;
        if (n == 0 && timeoutMs >= 0)
            return Wait::TimedOut;
    }
}

bool wouldBlock(int err)
{
    return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}

}  // namespace

LanSendThread::LanSendThread() = default;

LanSendThread::~LanSendThread()
{
    stop();
    if (wakeRead_ >= 0)
        ::close(wakeRead_);
    if (wakeWrite_ >= 0)
        ::close(wakeWrite_);
}

void LanSendThread::setFilePath(const QString& path)
{
    path_ = QFile::encodeName(path).toStdString();
}

bool LanSendThread::start()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (phase_ != Phase::Idle || thread_.joinable())
        return false;
    if (wakeRead_ < 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
            qWarning("send to phone: no wake-up pipe: %s", errnoText(errno).c_str());
            return false;
        }
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
    phase_ = Phase::Waiting;
    try {
        thread_ = std::thread(&LanSendThread::run, this);
    } catch (const std::exception& e) {
        qWarning("send to phone: cannot start the thread: %s", e.what());
        phase_ = Phase::Idle;
        return false;
    }
    return true;
}

bool LanSendThread::isStarted() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return phase_ != Phase::Idle;
}

bool LanSendThread::isFinished() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return phase_ == Phase::Finished;
}

bool LanSendThread::cancelWaiting()
{
    std::lock_guard<std::mutex> lock(mutex_);
    switch (phase_) {
        case Phase::Idle:
            return true;
        case Phase::Serving:
            return false;
        case Phase::Finished:
            return servedNobody_;
        case Phase::Waiting:
            break;
    }
    stopping_ = true;
    const char byte = 'x';
    if (::write(wakeWrite_, &byte, 1) != 1 && errno != EAGAIN)
        qWarning("send to phone: cannot wake the listener: %s", errnoText(errno).c_str());
    return true;
}

void LanSendThread::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        if (phase_ == Phase::Waiting || phase_ == Phase::Serving) {
            const char byte = 'x';
            if (::write(wakeWrite_, &byte, 1) != 1 && errno != EAGAIN)
                qWarning("send to phone: cannot wake the thread: %s", errnoText(errno).c_str());
        }
    }
    join();
}

void LanSendThread::join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

bool LanSendThread::stopRequested() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stopping_;
}

void LanSendThread::post(int id, intptr_t lParam) const
{
    if (notify_ && !stopRequested())
        postWindowMessage(notify_, id, 0, lParam);
}

void LanSendThread::finish()
{
    std::lock_guard<std::mutex> lock(mutex_);
    phase_ = Phase::Finished;
}

void LanSendThread::run()
{
    enum class Outcome { Done, Failed, Stopped };
    auto body = [this]() -> Outcome {
        // 1. The listener, on the chosen address only.
        UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (!listener) {
            qWarning("send to phone: no socket: %s", errnoText(errno).c_str());
            return Outcome::Failed;
        }
        // A port whose last connection is still in TIME_WAIT can be taken again;
        // one that another program listens on cannot.
        const int on = 1;
        ::setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        if (::inet_pton(AF_INET, address_.c_str(), &addr.sin_addr) != 1) {
            qWarning("send to phone: '%s' is not an IPv4 address", address_.c_str());
            return Outcome::Failed;
        }
        int port = 0;
        for (int i = 0; i < options_.portTries; ++i) {
            const int candidate = options_.firstPort + i;
            if (candidate <= 0 || candidate > 65535)
                break;
            addr.sin_port = htons(uint16_t(candidate));
            if (::bind(listener.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
                port = candidate;
                break;
            }
        }
        if (port == 0) {
            qWarning("send to phone: no free port from %d on %s", options_.firstPort, address_.c_str());
            return Outcome::Failed;
        }
        if (::listen(listener.get(), 1) != 0) {
            qWarning("send to phone: cannot listen: %s", errnoText(errno).c_str());
            return Outcome::Failed;
        }
        // Announced once it listens, so a phone that reads the code at once finds it.
        post(UM_SEND_PORT, port);

        // 2. One connection.
        UniqueFd conn;
        for (;;) {
            const Wait w = waitFor(listener.get(), POLLIN, wakeRead_, -1);
            if (w == Wait::Woken)
                return Outcome::Stopped;
            if (w == Wait::Error)
                return Outcome::Failed;
            std::unique_lock<std::mutex> lock(mutex_);
            if (stopping_)
                return Outcome::Stopped;
            const int c = ::accept4(listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (c >= 0) {
                phase_ = Phase::Serving;
                servedNobody_ = false;
                conn.reset(c);
                break;
            }
            const int err = errno;
            lock.unlock();
            if (wouldBlock(err) || err == ECONNABORTED || err == EPROTO)
                continue;  // the caller went away before we took it
            qWarning("send to phone: accept failed: %s", errnoText(err).c_str());
            return Outcome::Failed;
        }
        listener.reset();  // only this one phone is served
        post(UM_SEND_PROGRESS, 0);

        // 3. The request.
        char request[kRequestBytes];
        ssize_t got = 0;
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(options_.receiveTimeoutMs);
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            const Wait w = waitFor(conn.get(), POLLIN, wakeRead_, left > 0 ? int(left) : 0);
            if (w == Wait::Woken)
                return Outcome::Stopped;
            if (w == Wait::TimedOut) {
                qWarning("send to phone: no request within %d ms", options_.receiveTimeoutMs);
                return Outcome::Failed;
            }
            if (w == Wait::Error)
                return Outcome::Failed;
            got = ::recv(conn.get(), request, sizeof request, 0);
            if (got > 0)
                break;
            if (got < 0 && wouldBlock(errno))
                continue;
            qWarning("send to phone: the phone closed before asking");
            return Outcome::Failed;
        }

        // 4. The answer.
        if (got >= 3 && std::memcmp(request, "CLS", 3) == 0) {
            // nothing to send
        } else if (request[0] >= '1' && request[0] <= '9') {
            FilePtr file(std::fopen(path_.c_str(), "rb"));
            if (!file)
                qWarning("send to phone: cannot open %s: %s", path_.c_str(), errnoText(errno).c_str());
            uint64_t total = 0;
            char piece[kPieceBytes];
            while (file) {
                const size_t n = std::fread(piece, 1, sizeof piece, file.get());
                if (n == 0) {
                    if (std::ferror(file.get())) {
                        qWarning("send to phone: reading %s failed", path_.c_str());
                        return Outcome::Failed;
                    }
                    break;
                }
                size_t off = 0;
                while (off < n) {
                    const ssize_t s = ::send(conn.get(), piece + off, n - off, MSG_NOSIGNAL);
                    if (s > 0) {
                        off += size_t(s);
                        continue;
                    }
                    if (s < 0 && wouldBlock(errno)) {
                        const Wait w = waitFor(conn.get(), POLLOUT, wakeRead_, options_.sendTimeoutMs);
                        if (w == Wait::Woken)
                            return Outcome::Stopped;
                        if (w == Wait::TimedOut) {
                            qWarning("send to phone: the phone took no data for %d ms",
                                     options_.sendTimeoutMs);
                            return Outcome::Failed;
                        }
                        if (w == Wait::Error)
                            return Outcome::Failed;
                        continue;
                    }
                    qWarning("send to phone: sending failed: %s", errnoText(errno).c_str());
                    return Outcome::Failed;
                }
                total += n;
                post(UM_SEND_PROGRESS, intptr_t(total));
            }
        }
        // Any other first byte gets nothing.

        // The end of the data is the end of the connection. Whatever the phone
        // sent beyond the request is read away first (for a short while), so
        // the close is a plain one that cannot cut off the data in flight.
        ::shutdown(conn.get(), SHUT_WR);
        const Clock::time_point closeBy = Clock::now() + std::chrono::milliseconds(options_.closeWaitMs);
        for (int reads = 0; reads < 1024; ++reads) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(closeBy - Clock::now()).count();
            if (left <= 0)
                break;
            const Wait w = waitFor(conn.get(), POLLIN, wakeRead_, int(left));
            if (w != Wait::Ready)
                break;
            char scrap[kRequestBytes];
            const ssize_t n = ::recv(conn.get(), scrap, sizeof scrap, 0);
            if (n == 0 || (n < 0 && !wouldBlock(errno)))
                break;
        }
        return Outcome::Done;
    };

    const Outcome outcome = body();
    finish();
    if (outcome != Outcome::Stopped)
        post(UM_SEND_DONE, outcome == Outcome::Done ? 1 : 0);
}
