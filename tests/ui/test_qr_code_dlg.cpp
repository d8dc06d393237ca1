// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The send-to-phone dialog, offscreen, offering 127.0.0.1 alone (or two
// loopback addresses): the single-address start, the QR code a real reader
// decodes, the title while sending, the result boxes, Cancel in its three
// states, every way of closing stopping the listener, the font-name refusal
// and the menus' entry point.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include "app/translations.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "share/qr_code_dlg.h"
#include "share/qr_payload.h"
#include "test_env.h"
#include "test_phone.h"
#include "wait_until.h"

namespace {

QList<QByteArray> loopbackOnly()
{
    return {"127.0.0.1"};
}

QList<QByteArray> twoLoopbacks()
{
    return {"127.0.0.2", "127.0.0.1"};
}

QString writeFile(const testenv::TempDir& dir, const std::string& name, const QByteArray& bytes)
{
    const QString path = QString::fromStdString(dir.file(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(f.write(bytes), bytes.size());
    return path;
}

QByteArray pattern(int n)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char((unsigned(i) * 131u + unsigned(i) / 977u) & 0xFFu);
    return b;
}

bool waitForCode(CQRCodeDlg& dlg)
{
    return testenv::waitUntil([&] { return dlg.qrImage() != nullptr; }, 5000);
}

QStringList askedTexts(const ScriptedPrompts& prompts)
{
    QStringList texts;
    for (const ScriptedPrompts::Asked& a : prompts.asked())
        texts << a.text;
    return texts;
}

// Reads the picture with zbarimg; the decoded text, or nothing.
QByteArray decodeWithZbar(const QImage& picture, const testenv::TempDir& dir)
{
    const std::string file = dir.file("painted.png");
    EXPECT_TRUE(picture.save(QString::fromStdString(file)));
    std::string out;
    if (testenv::runCommand("zbarimg --raw -q -Sdisable -Sqrcode.enable '" + file + "'", &out) != 0)
        return QByteArray();
    QByteArray text = QByteArray::fromStdString(out);
    if (text.endsWith('\n'))
        text.chop(1);
    return text;
}

}  // namespace

TEST(QRCodeDlg, OneAddressShowsTheCodeByItselfAndSendsTheFile)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    const QByteArray bytes = pattern(50 * 1024 + 3);
    const QString path = writeFile(dir, "movie.gif", bytes);
    CQRCodeDlg dlg(path, nullptr, loopbackOnly);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("扫描二维码"));
    EXPECT_EQ(controlId(&dlg), IDD_QRCODE_DIALOG);
    EXPECT_EQ(dlg.state(), CQRCodeDlg::Waiting);
    EXPECT_EQ(dlg.port(), 8888);
    testenv::waitUntil([] { return false; }, 200);
    EXPECT_FALSE(dlg.listenerStarted());  // the 100 ms count from the showing
    dlg.show();
    // List, label and button hidden; the code comes without a click.
    EXPECT_FALSE(findControl(&dlg, IDC_QRCODE_IP_LABEL)->isVisible());
    EXPECT_FALSE(findControl(&dlg, IDC_QRCODE_IP_LIST)->isVisible());
    EXPECT_FALSE(findControl(&dlg, IDC_QRCODE_GENERATE)->isVisible());
    EXPECT_FALSE(dlg.listenerStarted());
    ASSERT_TRUE(waitForCode(dlg));
    EXPECT_EQ(dlg.address(), QByteArray("127.0.0.1"));
    EXPECT_GE(dlg.port(), 8881);
    EXPECT_LE(dlg.port(), 8890);
    EXPECT_EQ(dlg.payload(), qrpayload::build("127.0.0.1", dlg.port(), path).payload);
    EXPECT_EQ(dlg.fileSize(), bytes.size());

    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(dlg.port()));
    ASSERT_TRUE(phone.send("1"));
    QByteArray received;
    ASSERT_TRUE(phone.readUntilClosed(received));
    EXPECT_TRUE(received == bytes);
    ASSERT_TRUE(testenv::waitUntil([&] { return !dlg.isVisible(); }, 10000));
    EXPECT_EQ(dlg.state(), CQRCodeDlg::Finished);
    EXPECT_EQ(dlg.windowTitle(),
              QStringLiteral("正在传输文件。已发送 %1 字节, 剩余 0 字节").arg(bytes.size()));
    EXPECT_EQ(askedTexts(prompts), QStringList({"文件传输成功"}));
}

TEST(QRCodeDlg, ARealReaderDecodesThePaintedCodeAsThePayload)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    for (const std::string name : {"movie.gif", "Demo Sans.ttf", "微软雅黑.ttc"}) {
        const QString path = writeFile(dir, name, "data");
        CQRCodeDlg dlg(path, nullptr, loopbackOnly);
        dlg.show();
        ASSERT_TRUE(waitForCode(dlg));
        const QImage painted = dlg.grab().toImage();
        // Painted at its own size, centred across, its centre 5/8 down.
        const QPoint at = dlg.qrOrigin();
        const int side = dlg.qrImage()->width();
        EXPECT_EQ(at.x(), (dlg.width() - side) / 2);
        EXPECT_EQ(at.y(), (dlg.height() * 5 / 4 - side) / 2);
        EXPECT_GT(at.y(), findControl(&dlg, IDC_QRCODE_GENERATE)->geometry().bottom());
        EXPECT_LE(at.y() + side, dlg.height());
        EXPECT_EQ(painted.pixelColor(at.x() + 1, at.y() + 1), QColor(Qt::black));  // finder corner
        EXPECT_EQ(dlg.payload(), qrpayload::build("127.0.0.1", dlg.port(), path).payload);
        EXPECT_EQ(decodeWithZbar(painted, dir), dlg.payload()) << name;
        dlg.reject();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_TRUE(prompts.asked().empty());
}

TEST(QRCodeDlg, SeveralAddressesWaitForTheButton)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    const QString path = writeFile(dir, "a.gif", "GIF89a");
    CQRCodeDlg dlg(path, nullptr, twoLoopbacks);
    dlg.show();
    auto* list = findControlAs<QComboBox>(&dlg, IDC_QRCODE_IP_LIST);
    auto* button = findControlAs<QPushButton>(&dlg, IDC_QRCODE_GENERATE);
    ASSERT_TRUE(list && button);
    EXPECT_TRUE(findControl(&dlg, IDC_QRCODE_IP_LABEL)->isVisible());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), QStringLiteral("127.0.0.2"));
    EXPECT_EQ(button->text(), QStringLiteral("生成二维码"));
    testenv::waitUntil([] { return false; }, 300);
    EXPECT_FALSE(dlg.listenerStarted());
    list->setCurrentIndex(1);
    button->click();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(dlg.listenerStarted());
    ASSERT_TRUE(waitForCode(dlg));
    EXPECT_EQ(dlg.address(), QByteArray("127.0.0.1"));
    // Cancel while waiting: closes at once, the listener is gone, no message.
    const int port = dlg.port();
    QElapsedTimer t;
    t.start();
    dlg.reject();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(t.elapsed(), 2000);
    testenv::PortHolder again(port);
    EXPECT_TRUE(again.ok());
    testenv::waitUntil([] { return false; }, 100);
    EXPECT_TRUE(prompts.asked().empty());
}

TEST(QRCodeDlg, CancelWhileTransferringIsRefusedAndTheTransferGoesOn)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    const QByteArray bytes = pattern(1024 * 1024);
    CQRCodeDlg dlg(writeFile(dir, "a.gif", bytes), nullptr, loopbackOnly);
    dlg.show();
    ASSERT_TRUE(waitForCode(dlg));
    testenv::TestPhone phone;
    ASSERT_TRUE(phone.connect(dlg.port(), 4096));
    ASSERT_TRUE(testenv::waitUntil([&] { return dlg.state() == CQRCodeDlg::Transferring; }, 5000));
    EXPECT_EQ(dlg.windowTitle(),
              QStringLiteral("正在传输文件。已发送 0 字节, 剩余 %1 字节").arg(bytes.size()));
    dlg.reject();  // Esc
    EXPECT_TRUE(dlg.isVisible());
    dlg.close();  // the close box
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(askedTexts(prompts), QStringList({"正在传输文件，请稍候", "正在传输文件，请稍候"}));
    ASSERT_TRUE(phone.send("1"));
    QByteArray received;
    ASSERT_TRUE(phone.readUntilClosed(received));
    EXPECT_TRUE(received == bytes);
    ASSERT_TRUE(testenv::waitUntil([&] { return !dlg.isVisible(); }, 10000));
    EXPECT_EQ(askedTexts(prompts).last(), QStringLiteral("文件传输成功"));
}

TEST(QRCodeDlg, FailuresEndInTheErrorBox)
{
    testenv::TempDir dir;
    const QString path = writeFile(dir, "a.gif", "GIF89a");
    {
        // A phone that goes away without asking.
        ScriptedPrompts prompts;
        CQRCodeDlg dlg(path, nullptr, loopbackOnly);
        dlg.show();
        ASSERT_TRUE(waitForCode(dlg));
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(dlg.port()));
        phone.close();
        ASSERT_TRUE(testenv::waitUntil([&] { return !dlg.isVisible(); }, 10000));
        EXPECT_EQ(askedTexts(prompts), QStringList({"文件传输异常"}));
    }
    {
        // No address at all: the button leads to the error box.
        ScriptedPrompts prompts;
        CQRCodeDlg dlg(path, nullptr, [] { return QList<QByteArray>(); });
        dlg.show();
        auto* button = findControlAs<QPushButton>(&dlg, IDC_QRCODE_GENERATE);
        ASSERT_TRUE(button && button->isVisible());
        button->click();
        ASSERT_TRUE(testenv::waitUntil([&] { return !dlg.isVisible(); }, 5000));
        EXPECT_EQ(askedTexts(prompts), QStringList({"文件传输异常"}));
        EXPECT_EQ(dlg.qrImage(), nullptr);
    }
}

TEST(QRCodeDlg, EveryWayOfClosingStopsTheListener)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    const QString path = writeFile(dir, "a.gif", "GIF89a");
    {
        // Before the listener starts: closes at once.
        CQRCodeDlg dlg(path, nullptr, loopbackOnly);
        dlg.show();
        dlg.reject();
        EXPECT_FALSE(dlg.isVisible());
        testenv::waitUntil([] { return false; }, 250);  // the 100 ms timer does not fire after closing
        EXPECT_FALSE(dlg.listenerStarted());
    }
    int port = 0;
    {
        // The close box while waiting.
        CQRCodeDlg dlg(path, nullptr, loopbackOnly);
        dlg.show();
        ASSERT_TRUE(waitForCode(dlg));
        port = dlg.port();
        EXPECT_TRUE(dlg.close());
        EXPECT_FALSE(dlg.isVisible());
        testenv::PortHolder again(port);
        EXPECT_TRUE(again.ok());
    }
    {
        // Destroyed while a phone is being served: the thread is stopped, not left running.
        auto dlg = std::make_unique<CQRCodeDlg>(writeFile(dir, "big.gif", pattern(16 * 1024 * 1024)), nullptr,
                                                loopbackOnly);
        dlg->show();
        ASSERT_TRUE(waitForCode(*dlg));
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(dlg->port(), 4096));
        ASSERT_TRUE(phone.send("1"));
        ASSERT_TRUE(testenv::waitUntil([&] { return dlg->state() == CQRCodeDlg::Transferring; }, 5000));
        QElapsedTimer t;
        t.start();
        dlg.reset();
        EXPECT_LT(t.elapsed(), 2000);
    }
    testenv::waitUntil([] { return false; }, 100);
    EXPECT_TRUE(prompts.asked().empty());
}

TEST(QRCodeDlg, FontNamesLongerThan81BytesAreRefused)
{
    testenv::TempDir dir;
    const QString tooLong = writeFile(dir, std::string(78, 'f') + ".ttf", "font");
    {
        ScriptedPrompts prompts;
        EXPECT_EQ(CQRCodeDlg::sendFile(tooLong, nullptr, loopbackOnly), QDialog::Rejected);
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_TRUE(prompts.asked()[0].text.contains(QStringLiteral("81")));
    }
    {
        ScriptedPrompts prompts;
        CQRCodeDlg dlg(tooLong, nullptr, loopbackOnly);
        dlg.show();
        ASSERT_TRUE(testenv::waitUntil([&] { return !dlg.isVisible(); }, 5000));
        EXPECT_FALSE(dlg.listenerStarted());
        ASSERT_EQ(prompts.asked().size(), 1u);
        EXPECT_TRUE(prompts.asked()[0].text.contains(QStringLiteral("太长")));
    }
}

TEST(QRCodeDlg, TheMenusEntryPointRunsTheDialogModally)
{
    testenv::TempDir dir;
    ScriptedPrompts prompts;
    const QByteArray bytes = pattern(10000);
    const QString font = writeFile(dir, "字体 Demo.otf", bytes);
    QByteArray received;
    QByteArray payload;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<CQRCodeDlg*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dlg);
        ASSERT_TRUE(waitForCode(*dlg));
        payload = dlg->payload();
        testenv::TestPhone phone;
        ASSERT_TRUE(phone.connect(dlg->port()));
        ASSERT_TRUE(phone.send("1"));
        EXPECT_TRUE(phone.readUntilClosed(received));
    });
    QTimer guard;  // never leave the modal loop running
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(20000);
    CQRCodeDlg::sendFile(font, nullptr, loopbackOnly);
    EXPECT_TRUE(received == bytes);
    EXPECT_TRUE(payload.endsWith(QStringLiteral("字体 Demo.otf").toUtf8()));
    EXPECT_EQ(askedTexts(prompts), QStringList({"文件传输成功"}));
}

TEST(QRCodeDlg, EnglishUnderAnEnglishLocale)
{
    ASSERT_EQ(installTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates)),
              UiLanguage::English);
    {
        CQRCodeDlg dlg(QStringLiteral("a.gif"), nullptr, twoLoopbacks);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Scan the QR code"));
        EXPECT_EQ(findControlAs<QPushButton>(&dlg, IDC_QRCODE_GENERATE)->text(),
                  QStringLiteral("Make the QR code"));
        EXPECT_TRUE(qrpayload::fontNameTooLongMessage(QString(90, QLatin1Char('f')) + QStringLiteral(".ttf"))
                        .startsWith(QStringLiteral("The font file name")));
    }
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}
