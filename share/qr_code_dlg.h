// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// "扫描二维码" (dialog 196): sends one file, the previewed GIF or a font, to
// the phone app. The user picks one of this computer's addresses (with a
// single address the code appears by itself after 100 ms), the listener
// starts on it and the QR code painted below the controls tells the phone the
// address, the port and, for a font, the name. While the phone receives, the
// title counts the bytes and Cancel is refused; at the end a message box says
// how it went and the dialog closes.
//
// Every way out stops the listener first: Cancel while waiting wakes it
// through its wake-up pipe (no connection is made to anybody) and waits for
// it; closing in any other way cuts the thread off and waits for it.
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <memory>

#include "imaging/raster_image.h"
#include "platform/window_message.h"
#include "share/lan_send_addresses.h"
#include "share/lan_send_thread.h"

class QComboBox;
class QLabel;
class QPushButton;

class CQRCodeDlg : public QDialog {
    Q_OBJECT
public:
    enum State : int { Waiting = -1, Transferring = 0, Finished = 1 };
    static constexpr int kInitialPort = 8888;  // until the listener reports its port
    static constexpr int kAutoStartMs = 100;   // single address: the code appears after this

    explicit CQRCodeDlg(const QString& filePath, QWidget* parent = nullptr,
                        SendAddressLister addresses = localSendAddresses);
    ~CQRCodeDlg() override;

    // The entry point of the menus ("发送到本软件的手机版...", "发送字体文件到本软件的
    // 手机版"): runs the dialog modally for `path`. A font whose name does not
    // fit the QR code is refused with a message and no dialog. Returns the
    // dialog's result (QDialog::Rejected when refused).
    static int sendFile(const QString& path, QWidget* parent = nullptr,
                        SendAddressLister addresses = localSendAddresses);

    int state() const { return state_; }
    const QString& filePath() const { return filePath_; }
    qint64 fileSize() const { return fileSize_; }
    const QByteArray& address() const { return address_; }
    int port() const { return port_; }
    const QByteArray& payload() const { return payload_; }
    const RasterImage* qrImage() const { return qrImage_.get(); }
    QPoint qrOrigin() const;  // where the code is painted (client coordinates)
    bool listenerStarted() const { return thread_.isStarted(); }

    // For tests: the listener's time-outs and ports.
    void setSendOptions(const LanSendThread::Options& options) { options_ = options; }

public slots:
    void reject() override;    // Esc, the close box: the Cancel logic
    void accept() override {}  // Enter: nothing
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void generate();  // "生成二维码" or the single-address timer
    void onPort(int port);
    void onProgress(qint64 sent);
    void onDone(bool ok);
    void buildQrImage();
    void closeDialog();

    QString filePath_;
    int state_ = Waiting;
    qint64 fileSize_ = 0;
    QByteArray address_;
    int port_ = kInitialPort;
    QByteArray payload_;
    std::unique_ptr<RasterImage> qrImage_;
    LanSendThread thread_;
    LanSendThread::Options options_;
    bool closed_ = false;  // messages after closing are not handled

    QLabel* ipLabel_ = nullptr;
    QComboBox* ipList_ = nullptr;
    QPushButton* generate_ = nullptr;
    QTimer autoStart_;
    bool autoStartPending_ = false;
    WindowMessageMap messages_;
};
