// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo send FILE [--address A]: one transfer to the phone app from the
// terminal. The QR code and its text go to stdout once the listener has its
// port; what happens after goes to stderr. The exit status says how it ended.
#include "app/cmd_send.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QObject>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/cli_commands.h"
#include "app/cli_parser.h"
#include "platform/termination_signals.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "share/lan_send_addresses.h"
#include "share/lan_send_thread.h"
#include "share/qr_payload.h"
#include "share/qr_symbol.h"

namespace {

int refuse(const std::string& why)
{
    std::fprintf(stderr, "vexlo send: %s\n", why.c_str());
    return cliexit::kUsage;
}

bool isLocalAddress(const QByteArray& dotted)
{
    const QHostAddress wanted(QString::fromLatin1(dotted));
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && a.isEqual(wanted))
            return true;
    return false;
}

// Receives the thread's messages on the main thread, like the dialog.
class SendReporter : public QObject {
public:
    SendReporter(const SendCommandArgs& args, qint64 size) : args_(args), size_(size)
    {
        messages_.on(UM_SEND_PORT, [this](intptr_t, intptr_t l) { onPort(int(l)); });
        messages_.on(UM_SEND_PROGRESS, [this](intptr_t, intptr_t l) { onProgress(qint64(l)); });
        messages_.on(UM_SEND_DONE, [this](intptr_t, intptr_t l) {
            if (connected_)
                std::fprintf(stderr, "vexlo send: %lld of %lld bytes sent\n", static_cast<long long>(sent_),
                             static_cast<long long>(size_));
            std::fprintf(stderr, "vexlo send: %s\n", l == 1 ? "transfer complete" : "transfer failed");
            QCoreApplication::exit(l == 1 ? cliexit::kOk : cliexit::kFailure);
        });
    }
    bool event(QEvent* e) override { return messages_.dispatch(e) || QObject::event(e); }

private:
    void onPort(int port)
    {
        const qrpayload::Result r = qrpayload::build(args_.address, port, args_.file);
        const QrSymbol symbol = r.ok() ? QrSymbol::encode(r.payload) : QrSymbol();
        if (!symbol.isValid()) {
            // As in the dialog: no code, but the listener still waits.
            std::fprintf(stderr, "vexlo send: no QR code: %s\n", qPrintable(r.error));
            return;
        }
        const QByteArray text = symbol.terminalText(2);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::printf("payload: \"%s\"\n", r.payload.constData());
        std::printf("listening on %s port %d for %s (%lld bytes)\n", args_.address.constData(), port,
                    qPrintable(QFileInfo(args_.file).fileName()), static_cast<long long>(size_));
        std::fflush(stdout);
    }
    void onProgress(qint64 sent)
    {
        if (!connected_)
            std::fprintf(stderr, "vexlo send: the phone is connected\n");
        connected_ = true;
        sent_ = sent;
    }

    SendCommandArgs args_;
    qint64 size_ = 0;
    qint64 sent_ = 0;
    bool connected_ = false;
    WindowMessageMap messages_;
};

}  // namespace

int runSend(const SendCommandArgs& given)
{
    SendCommandArgs args = given;
    if (args.file.isEmpty())
        return refuse("no FILE given");
    const QFileInfo info(args.file);
    if (!info.isFile())
        return refuse(args.file.toStdString() + ": no such file");
    QFile file(args.file);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(args.file.toStdString() + ": cannot read it: " + file.errorString().toStdString());
    const qint64 size = file.size();
    file.close();
    if (qrpayload::isFontPath(args.file) &&
        qrpayload::fontName(args.file).size() > qrpayload::kMaxFontNameBytes)
        return refuse(qrpayload::fontNameTooLongMessage(args.file).toStdString());

    static char appName[] = "vexlo";
    static char* appArgv[] = {appName, nullptr};
    static int appArgc = 1;
    QCoreApplication app(appArgc, appArgv);

    if (args.address.isEmpty()) {
        const QList<QByteArray> addresses = localSendAddresses();
        if (addresses.isEmpty())
            return refuse("this computer has no IPv4 address to offer");
        args.address = addresses.first();
    } else if (!qrpayload::addressNumber(args.address)) {
        return refuse("'" + args.address.toStdString() + "' is not a dotted IPv4 address");
    } else if (!isLocalAddress(args.address)) {
        return refuse(args.address.toStdString() + " is not an address of this computer");
    }

    SendReporter reporter(args, size);
    LanSendThread thread;
    thread.setNotifyWindow(&reporter);
    thread.setFilePath(args.file);
    thread.setAddress(args.address);

    // Ctrl+C, SIGTERM: the listener is stopped and the command fails.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [](int sig) {
        std::fprintf(stderr, "vexlo send: interrupted (signal %d)\n", sig);
        QCoreApplication::exit(cliexit::kFailure);
    });

    if (!thread.start()) {
        std::fprintf(stderr, "vexlo send: cannot start the transfer\n");
        return cliexit::kFailure;
    }
    const int status = app.exec();
    thread.stop();
    return status;
}

int runSendCommand(int argc, char** argv)
{
    CliParser cli(
        "send", "FILE [--address A]",
        "Serves one transfer of FILE (a GIF, or a .ttf/.ttc/.otf font) to the phone app, as the\n"
        "send-to-phone window does: prints the QR code and its text, waits for the phone, sends the\n"
        "file and exits 0 when it went through, 1 when the transfer failed, 2 on refused input.");
    cli.addArgument("FILE", "the file to send");
    cli.addValueOption({QStringLiteral("a"), QStringLiteral("address")}, "A",
                       "the IPv4 address of this computer to offer (default: the first one)");
    if (int status = 0; !cli.parse(argc, argv, status))
        return status;
    const QStringList files = cli.arguments();
    if (files.isEmpty())
        return cli.usageError("no FILE given");
    if (files.size() > 1)
        return cli.usageError("only one FILE may be given");
    SendCommandArgs args;
    args.file = files.front();
    args.address = cli.value("address").toLatin1();
    if (cli.isSet("address") && args.address.isEmpty())
        return cli.usageError("--address needs an IPv4 address");
    return runSend(args);
}
