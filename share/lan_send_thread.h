// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The PC side of one transfer to the phone app, on its own thread (TCP/IPv4,
// POSIX sockets):
//
//  1. bind the chosen address on the first free port of 8881 ... 8890, listen
//     with a backlog of 1 and post UM_SEND_PORT with the port;
//  2. accept one connection, close the listener (nobody else is served) and
//     post UM_SEND_PROGRESS 0;
//  3. receive the request (at most 1024 bytes, 3000 ms): "CLS" closes the
//     connection; a first byte "1"-"9" streams the file in pieces of 1024
//     bytes, posting UM_SEND_PROGRESS with the running total after each;
//     anything else gets nothing; the end of the file is the end of the
//     connection;
//  4. post UM_SEND_DONE 1 when a request was answered (a file that cannot be
//     opened is answered with nothing), 0 when anything failed: no socket, no
//     free port, no connection, no request in time, or the phone stopped
//     taking data (nothing accepted for the send time-out) or went away.
//
// Every blocking wait also watches a wake-up pipe, so the thread can be told
// to stop at any moment without a connection to anybody: cancelWaiting()
// stops a listener that has not taken a phone yet, stop() ends the thread
// whatever it is doing. After either, nothing more is posted.
//
// The notify window must outlive the thread (stop() or join() before it goes).
#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

class QObject;

class LanSendThread {
public:
    static constexpr int kFirstPort = 8881;
    static constexpr int kPortTries = 10;
    static constexpr int kReceiveTimeoutMs = 3000;
    static constexpr int kSendTimeoutMs = 5000;  // a phone that takes no data for this long has failed
    static constexpr int kPieceBytes = 1024;
    static constexpr int kRequestBytes = 1024;

    struct Options {
        int firstPort = kFirstPort;
        int portTries = kPortTries;
        int receiveTimeoutMs = kReceiveTimeoutMs;
        int sendTimeoutMs = kSendTimeoutMs;
        // After the answer, how long the phone may take to close its side
        // before the connection is closed anyway.
        int closeWaitMs = 1000;
    };

    LanSendThread();
    ~LanSendThread();  // stop()
    LanSendThread(const LanSendThread&) = delete;
    LanSendThread& operator=(const LanSendThread&) = delete;

    // Before start(): the thread works on its own copies.
    void setNotifyWindow(QObject* window) { notify_ = window; }
    void setFilePath(const QString& path);
    void setAddress(const QByteArray& dotted) { address_ = dotted.toStdString(); }
    void setOptions(const Options& options) { options_ = options; }

    // Starts the thread; false when it was started before or cannot be
    // started (then nothing is posted).
    bool start();
    bool isStarted() const;
    bool isFinished() const;  // the thread's work is over (it may still be joinable)

    // Stops a listener that has not accepted a phone: true when it will end
    // without serving anyone (also when it had ended already without one);
    // false when a phone is being served, which goes on.
    bool cancelWaiting();
    // Ends the thread at once (a transfer is cut off) and waits for it.
    void stop();
    // Waits for the thread to end.
    void join();

private:
    enum class Phase { Idle, Waiting, Serving, Finished };

    void run();
    void post(int id, intptr_t lParam) const;
    bool stopRequested() const;
    void finish();

    QObject* notify_ = nullptr;
    std::string path_;
    std::string address_;
    Options options_;

    mutable std::mutex mutex_;
    Phase phase_ = Phase::Idle;
    bool stopping_ = false;  // cancelWaiting() or stop(): post nothing more
    bool servedNobody_ = true;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};
