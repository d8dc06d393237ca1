// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QtGlobal>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = int(sizeof kSignals / sizeof kSignals[0]);

// The pipe's write end while a watcher exists, -1 otherwise.
std::atomic<int> gWriteFd{-1};
struct sigaction gPrevious[kSignalCount];
// When each signal first came (CLOCK_MONOTONIC, ms), -1 until then.
std::atomic<int64_t> gFirstMs[kSignalCount];

int64_t monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void onTerminationSignal(int sig)
{
    const int savedErrno = errno;
    int i = 0;
    while (i < kSignalCount && kSignals[i] != sig)
        ++i;
    if (i == kSignalCount)
        return;
    const int64_t now = monotonicMs();
    int64_t first = -1;
    if (gFirstMs[i].compare_exchange_strong(first, now)) {
        const int fd = gWriteFd.load();
        if (fd >= 0) {
            const unsigned char byte = static_cast<unsigned char>(sig);
            [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);  // a full pipe already holds a request
        }
    } else if (now - first >= TerminationSignals::kRepeatGraceMs) {
        // Sent again once the close had time to finish: it is stuck, and the
        // signal's default action ends the program (when this handler
        // returns, the signal being blocked while it runs).
        struct sigaction dfl {};
        dfl.sa_handler = SIG_DFL;
        sigemptyset(&dfl.sa_mask);
        sigaction(sig, &dfl, nullptr);
        raise(sig);
    }
    // Otherwise the same request came twice at once (`timeout`, for one,
    // signals the program and then its whole process group): the close is
    // under way.
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    int fds[2] = {-1, -1};
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("termination signals: no pipe (%d); signals keep their default action", errno);
        return;
    }
    int expected = -1;
    if (!gWriteFd.compare_exchange_strong(expected, fds[1])) {
        qWarning("termination signals: a watcher is already installed");
        close(fds[0]);
        close(fds[1]);
        return;
    }
    readFd_ = fds[0];
    notifier_ = std::make_unique<QSocketNotifier>(qintptr(readFd_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { onReadable(); });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        gFirstMs[i].store(-1);
        sigaction(kSignals[i], nullptr, &gPrevious[i]);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (gPrevious[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
    installed_ = true;
}

TerminationSignals::~TerminationSignals()
{
    if (!installed_)
        return;
    for (int i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &gPrevious[i], nullptr);
    notifier_.reset();
    const int writeFd = gWriteFd.exchange(-1);
    close(writeFd);
    close(readFd_);
}

void TerminationSignals::onReadable()
{
    unsigned char bytes[16];
    int last = 0;
    ssize_t n = 0;
    while ((n = read(readFd_, bytes, sizeof bytes)) > 0)
        last = bytes[n - 1];
    if (last != 0)
        emit terminationRequested(last);
}
