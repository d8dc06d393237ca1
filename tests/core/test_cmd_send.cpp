// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo send FILE --address 127.0.0.1 against the test phone: the QR code and
// payload on stdout, the file byte for byte, exit 0; a failed transfer exits 1;
// refused input exits 2 before anything listens; a termination signal stops
// the listener.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>

#include "share/qr_payload.h"
#include "test_env.h"
#include "test_phone.h"

namespace {

QString writeFile(const testenv::TempDir& dir, const std::string& name, const QByteArray& bytes)
{
    const QString path = QString::fromStdString(dir.file(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(f.write(bytes), bytes.size());
    return path;
}

// Starts `vexlo send` and reads stdout up to the payload line.
struct SendProcess {
    QProcess process;
    QByteArray out;
    QByteArray payload;
    bool start(const QStringList& args)
    {
        process.start(QString::fromStdString(testenv::vexloBin()), QStringList{"send"} + args);
        if (!process.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100 && payload.isEmpty(); ++i) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
            for (const QByteArray& line : out.split('\n'))
                if (line.startsWith("payload: \"") && line.endsWith('"'))
                    payload = line.mid(10, line.size() - 11);
            if (process.state() == QProcess::NotRunning)
                break;
        }
        return !payload.isEmpty();
    }
    int port() const { return payload.mid(10, 4).toInt(); }
    int finish()
    {
        if (!process.waitForFinished(15000)) {
            process.kill();
            process.waitForFinished(2000);
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

}  // namespace

TEST(CmdSend, ServesOneTransferAndPrintsTheCode)
{
    testenv::TempDir dir;
    QByteArray bytes(70000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 300);
    const QString font = writeFile(dir, "字体 Demo.ttf", bytes);
    SendProcess send;
    ASSERT_TRUE(send.start({font, "--address", "127.0.0.1"})) << send.out.constData();
    EXPECT_EQ(send.payload, qrpayload::build("127.0.0.1", send.port(), font).payload);
    EXPECT_TRUE(send.out.contains("\xE2\x96\x88"));  // the code in block characters
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(send.port()));
    ASSERT_TRUE(phone.send("1"));
    QByteArray received;
    ASSERT_TRUE(phone.readUntilClosed(received));
    EXPECT_TRUE(received == bytes);
    EXPECT_EQ(send.finish(), 0);
}

TEST(CmdSend, AFailedTransferExitsOne)
{
    testenv::TempDir dir;
    SendProcess send;
    ASSERT_TRUE(send.start({writeFile(dir, "a.gif", "GIF89a"), "--address=127.0.0.1"}));
    EXPECT_TRUE(send.payload.endsWith("00"));
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(send.port()));
    phone.close();  // goes away without asking
    EXPECT_EQ(send.finish(), 1);
}

TEST(CmdSend, ATerminationSignalStopsTheListener)
{
    testenv::TempDir dir;
    SendProcess send;
    ASSERT_TRUE(send.start({writeFile(dir, "a.gif", "GIF89a"), "--address", "127.0.0.1"}));
    send.process.terminate();
    EXPECT_EQ(send.finish(), 1);
    testenv::PortHolder again(send.port());
    EXPECT_TRUE(again.ok());
}

TEST(CmdSend, RefusedInputExitsTwo)
{
    testenv::TempDir dir;
    const std::string gif = writeFile(dir, "a.gif", "GIF89a").toStdString();
    const std::string longFont = writeFile(dir, std::string(78, 'f') + ".otf", "x").toStdString();
    const std::string bin = testenv::vexloBin() + " send ";
    struct Case {
        std::string args;
        const char* says;
    };
    const Case cases[] = {
        {"", "usage"},
        {"'" + dir.file("missing.gif") + "' --address 127.0.0.1", "no such file"},
        {"'" + dir.path() + "' --address 127.0.0.1", "no such file"},
        {"'" + gif + "' --address 1.2.3", "not a dotted IPv4"},
        {"'" + gif + "' --address 192.0.2.1", "not an address of this computer"},
        {"'" + gif + "' --address", "Missing value"},
        {"'" + gif + "' --port 1", "Unknown option"},
        {"'" + gif + "' '" + gif + "'", "only one FILE"},
        {"'" + longFont + "' --address 127.0.0.1", "81"},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_EQ(testenv::runCommand(bin + c.args + " 2>&1", &out), 2) << c.args;
        EXPECT_NE(out.find(c.says), std::string::npos) << c.args << ": " << out;
        EXPECT_EQ(out.find("payload"), std::string::npos) << c.args;
    }
}
