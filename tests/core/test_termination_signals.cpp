// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Termination signals reach the event loop as a Qt signal instead of ending
// the process; the same signal again half a second or more later gets its
// default action back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <csignal>
#include <cstdlib>

#include "platform/termination_signals.h"
#include "wait_until.h"

namespace {
using testenv::waitUntil;

using Handler = void (*)(int);

Handler handlerOf(int sig)
{
    struct sigaction current {};
    sigaction(sig, nullptr, &current);
    return current.sa_handler;
}

bool handlerIs(int sig, Handler handler)
{
    return handlerOf(sig) == handler;
}

}  // namespace

TEST(TerminationSignals, EachSignalBecomesOneRequest)
{
    // The actions the test runner gave them (SIGHUP may be ignored, for one).
    const Handler before[] = {handlerOf(SIGTERM), handlerOf(SIGINT), handlerOf(SIGHUP)};
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        if (handlerIs(sig, SIG_IGN))
            continue;  // stays ignored (below)
        std::vector<int> seen;
        {
            TerminationSignals watcher;
            ASSERT_TRUE(watcher.isInstalled());
            QObject::connect(&watcher, &TerminationSignals::terminationRequested,
                             [&seen](int s) { seen.push_back(s); });
            EXPECT_FALSE(handlerIs(sig, SIG_DFL));
            EXPECT_FALSE(handlerIs(sig, SIG_IGN));
            ASSERT_EQ(raise(sig), 0);  // the process goes on
            // At once again (as `timeout` sends it to the program and then
            // its process group): the same request, let go.
            ASSERT_EQ(raise(sig), 0);
            ASSERT_TRUE(waitUntil([&] { return !seen.empty(); })) << sig;
            QCoreApplication::processEvents();
            EXPECT_EQ(seen, std::vector<int>{sig});
        }
        // The watcher gone, every signal has its previous action again.
        EXPECT_TRUE(handlerIs(SIGTERM, before[0]));
        EXPECT_TRUE(handlerIs(SIGINT, before[1]));
        EXPECT_TRUE(handlerIs(SIGHUP, before[2]));
    }
}

// A signal repeated once the close had time ends a program whose close is
// stuck, by the signal's own action.
TEST(TerminationSignals, RepeatedLaterEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TerminationSignals watcher;
            raise(SIGTERM);
            raise(SIGTERM);  // let go
            QThread::msleep(TerminationSignals::kRepeatGraceMs + 100);
            raise(SIGTERM);
            std::exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}

TEST(TerminationSignals, IgnoredSignalStaysIgnored)
{
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGHUP, &ignore, &previous);
    {
        TerminationSignals watcher;
        EXPECT_TRUE(watcher.isInstalled());
        EXPECT_TRUE(handlerIs(SIGHUP, SIG_IGN));
        EXPECT_FALSE(handlerIs(SIGTERM, SIG_IGN));
    }
    EXPECT_TRUE(handlerIs(SIGHUP, SIG_IGN));
    sigaction(SIGHUP, &previous, nullptr);
}

TEST(TerminationSignals, OnlyOneWatcherAtATime)
{
    TerminationSignals first;
    TerminationSignals second;
    EXPECT_TRUE(first.isInstalled());
    EXPECT_FALSE(second.isInstalled());
}
