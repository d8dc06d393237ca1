// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// SIGTERM, SIGINT and SIGHUP turned into a Qt signal on the thread that made
// the watcher, so the program can close the way its close button does
// (settings saved, temporary GIF deleted, worker stopped) instead of dying.
//
// The C handler only writes the signal number into a pipe; a QSocketNotifier
// on the other end emits terminationRequested() from the event loop. A
// second signal of the same kind ends a program whose close is stuck, by the
// signal's default action, once kRepeatGraceMs have passed since the first;
// sooner it is the same request twice (a signal to the program and one to its
// process group, as `timeout` sends) and is let go. A signal that was ignored
// when the watcher was made (nohup) stays ignored.
//
// One watcher may exist at a time (the handler has no user data: the pipe's
// write end is the one static of this file). The destructor restores the
// previous handlers.
#include <QObject>
#include <memory>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    static constexpr int kRepeatGraceMs = 500;

    // False when the handlers could not be installed (another watcher exists,
    // or no pipe); the signals then keep their previous actions.
    bool isInstalled() const { return installed_; }

signals:
    void terminationRequested(int signalNumber);

private:
    void onReadable();

    bool installed_ = false;
    int readFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
