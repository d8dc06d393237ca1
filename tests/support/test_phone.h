// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A phone for the send-to-phone tests: connects to 127.0.0.1 only, sends a
// request and reads until the PC closes. Every call is bounded in time.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <chrono>
#include <cstdint>

namespace testenv {

class TestPhone {
public:
    TestPhone() = default;
    ~TestPhone() { close(); }
    TestPhone(const TestPhone&) = delete;
    TestPhone& operator=(const TestPhone&) = delete;

    // receiveBuffer > 0: a small receive buffer (set before connecting), so a
    // phone that stops reading fills up quickly.
    // `loopbackHost` picks an address of 127.0.0.0/8 (host order low byte
    // pieces: 1 is 127.0.0.1); nothing outside loopback can be reached.
    bool connect(int port, int receiveBuffer = 0, int timeoutMs = 3000, uint32_t loopbackHost = 1)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0)
            return false;
        if (receiveBuffer > 0)
            ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(uint16_t(port));
        addr.sin_addr.s_addr = htonl(0x7F000000u | (loopbackHost & 0x00FFFFFFu));  // loopback only
        const int flags = ::fcntl(fd_, F_GETFL);
        ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
            if (errno != EINPROGRESS)
                return false;
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, timeoutMs) != 1)
                return false;
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err != 0)
                return false;
        }
        ::fcntl(fd_, F_SETFL, flags);
        return true;
    }

    bool send(const QByteArray& bytes)
    {
        return fd_ >= 0 && ::send(fd_, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
    }

    // Reads until the PC closes (true) or the time is up / an error (false).
    bool readUntilClosed(QByteArray& out, int timeoutMs = 20000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        char buf[65536];
        while (fd_ >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0)
                return false;
            pollfd p{fd_, POLLIN, 0};
            const int n = ::poll(&p, 1, int(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            const ssize_t got = ::recv(fd_, buf, sizeof buf, 0);
            if (got == 0)
                return true;
            if (got < 0)
                return errno == EINTR ? readUntilClosed(out, int(left)) : false;
            out.append(buf, int(got));
        }
        return false;
    }

    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// A listening socket on 127.0.0.1:port (to take a port away from the PC side).
class PortHolder {
public:
    explicit PortHolder(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        // Like the PC side: a port with connections in TIME_WAIT can be taken,
        // one somebody listens on cannot.
        const int on = 1;
        if (fd_ >= 0)
            ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(uint16_t(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ok_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
              ::listen(fd_, 1) == 0;
    }
    ~PortHolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;
    bool ok() const { return ok_; }

private:
    int fd_ = -1;
    bool ok_ = false;
};

}  // namespace testenv
