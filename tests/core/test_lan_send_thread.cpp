// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The one-transfer LAN server against a test phone on 127.0.0.1: the file
// byte for byte with its messages, the ports, the requests that get nothing,
// empty and unreadable files, phones that say nothing, close early or stop
// reading, cancelling while waiting and while serving, one transfer only and
// nothing on other addresses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QRandomGenerator>
#include <vector>

#include "platform/window_message.h"
#include "res/resource.h"
#include "share/lan_send_thread.h"
#include "test_env.h"
#include "test_phone.h"
#include "wait_until.h"

namespace {

// Ports of our own for most cases, so parallel runs of the program's own
// range (8881 ...) elsewhere do not get in the way.
int basePort()
{
    static const int base = 30000 + int(::getpid() % 1500) * 20;
    return base;
}

struct Message {
    int id;
    qint64 lParam;
};

class Recorder : public QObject {
public:
    std::vector<Message> got;
    bool event(QEvent* e) override
    {
        if (const WindowMessage* m = asWindowMessage(e)) {
            EXPECT_EQ(m->wParam(), 0);
            got.push_back({m->id(), qint64(m->lParam())});
            return true;
        }
        return QObject::event(e);
    }
    int count(int id) const
    {
        int n = 0;
        for (const Message& m : got)
            n += m.id == id;
        return n;
    }
    int port() const
    {
        for (const Message& m : got)
            if (m.id == UM_SEND_PORT)
                return int(m.lParam);
        return 0;
    }
    bool done() const { return count(UM_SEND_DONE) > 0; }
    qint64 doneValue() const { return got.empty() || got.back().id != UM_SEND_DONE ? -1 : got.back().lParam; }
    std::vector<qint64> progress() const
    {
        std::vector<qint64> p;
        for (const Message& m : got)
            if (m.id == UM_SEND_PROGRESS)
                p.push_back(m.lParam);
        return p;
    }
};

QByteArray randomBytes(int n)
{
    std::vector<quint32> words(size_t(n) / 4 + 1);
    QRandomGenerator::global()->fillRange(words.data(), qsizetype(words.size()));
    return QByteArray(reinterpret_cast<const char*>(words.data()), n);
}

QString writeFile(const testenv::TempDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = QString::fromStdString(dir.file(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(f.write(bytes), bytes.size());
    return path;
}

// A started server for `path` on 127.0.0.1 from basePort() (or the given options).
struct Server {
    Recorder recorder;
    LanSendThread thread;
    explicit Server(const QString& path, LanSendThread::Options options = ownPorts())
    {
        thread.setNotifyWindow(&recorder);
        thread.setFilePath(path);
        thread.setAddress("127.0.0.1");
        thread.setOptions(options);
        EXPECT_TRUE(thread.start());
    }
    static LanSendThread::Options ownPorts()
    {
        LanSendThread::Options o;
        o.firstPort = basePort();
        return o;
    }
    int waitPort()
    {
        EXPECT_TRUE(testenv::waitUntil([&] { return recorder.port() != 0 || recorder.done(); }, 5000));
        return recorder.port();
    }
    bool waitDone(int ms = 15000)
    {
        return testenv::waitUntil([&] { return recorder.done(); }, ms);
    }
    bool waitConnected()
    {
        return testenv::waitUntil([&] { return recorder.count(UM_SEND_PROGRESS) > 0 || recorder.done(); },
                                  5000);
    }
};

}  // namespace

TEST(LanSendThread, TheWholeFileArrivesWithAProgressMessagePerPiece)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(300 * 1024 + 17);
    Server server(writeFile(dir, "movie.gif", bytes));
    const int port = server.waitPort();
    ASSERT_EQ(port, basePort());
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(port));
    ASSERT_TRUE(phone.send("1"));
    QByteArray received;
    ASSERT_TRUE(phone.readUntilClosed(received));
    EXPECT_TRUE(received == bytes) << received.size() << " of " << bytes.size();
    ASSERT_TRUE(server.waitDone());
    server.thread.join();

    // PORT, PROGRESS 0, one PROGRESS per 1024-byte piece with the running total, DONE 1.
    const std::vector<Message>& got = server.recorder.got;
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front().id, UM_SEND_PORT);
    EXPECT_EQ(got.back().id, UM_SEND_DONE);
    EXPECT_EQ(got.back().lParam, 1);
    const std::vector<qint64> p = server.recorder.progress();
    ASSERT_EQ(p.size(), size_t(1 + 301));
    EXPECT_EQ(p[0], 0);
    for (size_t i = 1; i < p.size(); ++i)
        EXPECT_EQ(p[i], std::min<qint64>(qint64(i) * 1024, bytes.size())) << i;
}

TEST(LanSendThread, ListensOn8881To8890ByDefault)
{
    EXPECT_EQ(LanSendThread::kFirstPort, 8881);
    EXPECT_EQ(LanSendThread::kPortTries, 10);
    EXPECT_EQ(LanSendThread::kReceiveTimeoutMs, 3000);
    EXPECT_EQ(LanSendThread::kPieceBytes, 1024);
    testenv::TempDir dir;
    Server server(writeFile(dir, "a.gif", "GIF89a"), LanSendThread::Options());
    const int port = server.waitPort();
    EXPECT_GE(port, 8881);
    EXPECT_LE(port, 8890);
    EXPECT_TRUE(server.thread.cancelWaiting());
    server.thread.join();
}

TEST(LanSendThread, ATakenPortGivesTheNextAndNoFreePortFails)
{
    testenv::TempDir dir;
    const QString path = writeFile(dir, "a.gif", "GIF89a");
    {
        testenv::PortHolder taken(basePort());
        ASSERT_TRUE(taken.ok());
        Server server(path);
        EXPECT_EQ(server.waitPort(), basePort() + 1);
        EXPECT_TRUE(server.thread.cancelWaiting());
        server.thread.join();
    }
    {
        std::vector<std::unique_ptr<testenv::PortHolder>> all;
        for (int i = 0; i < 10; ++i) {
            all.push_back(std::make_unique<testenv::PortHolder>(basePort() + i));
            ASSERT_TRUE(all.back()->ok()) << i;
        }
        Server server(path);
        ASSERT_TRUE(server.waitDone(5000));
        EXPECT_EQ(server.recorder.port(), 0);
        EXPECT_EQ(server.recorder.doneValue(), 0);
    }
}

TEST(LanSendThread, OnlyADigitOneToNineGetsTheFile)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(5000);
    const QString path = writeFile(dir, "a.gif", bytes);
    struct Case {
        QByteArray request;
        bool getsFile;
    };
    const Case cases[] = {
        {"1", true},
        {"9", true},
        {QByteArray("5 and whatever follows, up to 1024 bytes ") + QByteArray(900, 'x'), true},
        // More than one receive takes: the rest is left unread, and must not
        // turn the close into a reset that loses the end of the file.
        {QByteArray("1") + QByteArray(3000, 'r'), true},
        {"0", false},
        {"A", false},
        {"z", false},
        {" 1", false},
        {QByteArray("CLS\0", 4), false},
        {"CLS", false},
        {"CL", false},
    };
    for (const Case& c : cases) {
        Server server(path);
        const int port = server.waitPort();
        // The port of the last transfer is free again at once (its connection
        // waits out TIME_WAIT on the PC's side).
        ASSERT_EQ(port, basePort()) << c.request.constData();
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(port));
        ASSERT_TRUE(phone.send(c.request));
        QByteArray received;
        EXPECT_TRUE(phone.readUntilClosed(received, 5000)) << c.request.constData();
        EXPECT_EQ(received, c.getsFile ? bytes : QByteArray()) << c.request.constData();
        ASSERT_TRUE(server.waitDone()) << c.request.constData();
        EXPECT_EQ(server.recorder.doneValue(), 1) << c.request.constData();
        server.thread.join();
    }
}

TEST(LanSendThread, EmptyAndUnreadableFilesAreAnsweredWithAClose)
{
    testenv::TempDir dir;
    for (const QString& path :
         {writeFile(dir, "empty.gif", QByteArray()), QString::fromStdString(dir.file("missing.gif"))}) {
        Server server(path);
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(server.waitPort()));
        ASSERT_TRUE(phone.send("1"));
        QByteArray received;
        EXPECT_TRUE(phone.readUntilClosed(received, 5000));
        EXPECT_TRUE(received.isEmpty());
        ASSERT_TRUE(server.waitDone());
        EXPECT_EQ(server.recorder.doneValue(), 1);
        EXPECT_EQ(server.recorder.progress(), std::vector<qint64>({0}));
    }
}

TEST(LanSendThread, APhoneThatAsksForNothingFails)
{
    testenv::TempDir dir;
    const QString path = writeFile(dir, "a.gif", "GIF89a");
    {
        // Silent for longer than the 3000 ms receive time-out.
        Server server(path);
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(server.waitPort()));
        QElapsedTimer t;
        t.start();
        ASSERT_TRUE(server.waitDone(10000));
        EXPECT_GE(t.elapsed(), 2500);
        EXPECT_EQ(server.recorder.doneValue(), 0);
        QByteArray received;
        EXPECT_TRUE(phone.readUntilClosed(received, 2000));
        EXPECT_TRUE(received.isEmpty());
    }
    {
        // Closes before asking.
        Server server(path);
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(server.waitPort()));
        phone.close();
        ASSERT_TRUE(server.waitDone(5000));
        EXPECT_EQ(server.recorder.doneValue(), 0);
    }
}

TEST(LanSendThread, APhoneThatStopsReadingFailsWithinTheSendTimeOut)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(16 * 1024 * 1024);  // more than both socket buffers hold
    LanSendThread::Options options = Server::ownPorts();
    options.sendTimeoutMs = 400;
    Server server(writeFile(dir, "big.gif", bytes), options);
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(server.waitPort(), 4096));
    ASSERT_TRUE(phone.send("1"));
    ASSERT_TRUE(server.waitDone(20000));
    EXPECT_EQ(server.recorder.doneValue(), 0);
    const std::vector<qint64> p = server.recorder.progress();
    ASSERT_FALSE(p.empty());
    EXPECT_LT(p.back(), bytes.size());
    server.thread.join();
}

TEST(LanSendThread, CancelStopsAWaitingListenerWithoutConnecting)
{
    testenv::TempDir dir;
    Server server(writeFile(dir, "a.gif", "GIF89a"));
    const int port = server.waitPort();
    ASSERT_NE(port, 0);
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(server.thread.cancelWaiting());
    server.thread.join();
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_TRUE(server.thread.isFinished());
    // Nothing more is posted, and the port is closed: a phone now gets nowhere.
    testenv::waitUntil([] { return false; }, 100);
    EXPECT_FALSE(server.recorder.done());
    testenv::TestPhone phone;
    EXPECT_FALSE(phone.connect(port, 0, 500));
    testenv::PortHolder again(port);
    EXPECT_TRUE(again.ok());
}

TEST(LanSendThread, CancelWhileServingIsRefusedAndTheTransferGoesOn)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(2 * 1024 * 1024);
    Server server(writeFile(dir, "a.gif", bytes));
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(server.waitPort(), 4096));
    ASSERT_TRUE(server.waitConnected());
    EXPECT_FALSE(server.thread.cancelWaiting());
    ASSERT_TRUE(phone.send("1"));
    EXPECT_FALSE(server.thread.cancelWaiting());
    QByteArray received;
    ASSERT_TRUE(phone.readUntilClosed(received));
    EXPECT_TRUE(received == bytes);
    ASSERT_TRUE(server.waitDone());
    EXPECT_EQ(server.recorder.doneValue(), 1);
}

TEST(LanSendThread, StopCutsATransferOffAndPostsNothingMore)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(16 * 1024 * 1024);
    Server server(writeFile(dir, "big.gif", bytes));
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(server.waitPort(), 4096));
    ASSERT_TRUE(phone.send("1"));
    ASSERT_TRUE(testenv::waitUntil([&] { return server.recorder.progress().size() > 2; }, 5000));
    QElapsedTimer t;
    t.start();
    server.thread.stop();
    EXPECT_LT(t.elapsed(), 2000);
    testenv::waitUntil([] { return false; }, 100);
    EXPECT_FALSE(server.recorder.done());
    EXPECT_LT(server.recorder.progress().back(), bytes.size());
}

TEST(LanSendThread, OneTransferOnlyAndOnlyOnTheChosenAddress)
{
    testenv::TempDir dir;
    const QByteArray bytes = randomBytes(4000);
    Server server(writeFile(dir, "a.gif", bytes));
    const int port = server.waitPort();
    // Bound to 127.0.0.1 alone: another loopback address of the same port finds nobody.
    testenv::TestPhone elsewhere;
    EXPECT_FALSE(elsewhere.connect(port, 0, 500, 2));
    testenv::TestPhone first;
    ASSERT_TRUE(first.connect(port));
    ASSERT_TRUE(server.waitConnected());
    // The listener is closed once a phone is taken.
    testenv::TestPhone second;
    EXPECT_FALSE(second.connect(port, 0, 500));
    ASSERT_TRUE(first.send("1"));
    QByteArray received;
    ASSERT_TRUE(first.readUntilClosed(received));
    EXPECT_TRUE(received == bytes);
    ASSERT_TRUE(server.waitDone());
    EXPECT_EQ(server.recorder.doneValue(), 1);
    EXPECT_FALSE(server.thread.start());  // one dialog, one transfer
}
