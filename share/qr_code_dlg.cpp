// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/qr_code_dlg.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "share/qr_image.h"
#include "share/qr_payload.h"
#include "share/qr_symbol.h"

namespace {

// Template 196, in dialog units.
constexpr int kDialogWidth = 288;
constexpr int kDialogHeight = 314;

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& units, const DialogBaseUnits& base)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(mapDialogRect(units, base));
    return label;
}

}  // namespace

CQRCodeDlg::CQRCodeDlg(const QString& filePath, QWidget* parent, SendAddressLister addresses)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      filePath_(filePath)
{
    setControlId(this, IDD_QRCODE_DIALOG);
    setWindowTitle(tr("扫描二维码"));
    setModal(true);

    const DialogBaseUnits base = dialogBaseUnits();
    setFixedSize(mapDialogRect(QRect(0, 0, kDialogWidth, kDialogHeight), base).size());

    makeLabel(this, tr("1.请在安卓各大应用市场上下载“Loopkit”手机版。"), QRect(7, 7, 274, 10), base);
    makeLabel(this, tr("2.确保你的手机和电脑在同一WiFi局域网上."), QRect(7, 20, 274, 10), base);
    makeLabel(this, tr("3.打开“Loopkit”，扫描下图二维码，即可把GIF动图或字体发送到手机上。"),
              QRect(7, 33, 274, 18), base);
    ipLabel_ =
        makeLabel(this, tr("您的电脑有多个IP地址，请选择一个用来发送文件："), QRect(7, 56, 274, 10), base);
    setControlId(ipLabel_, IDC_QRCODE_IP_LABEL);

    ipList_ = new QComboBox(this);
    setControlId(ipList_, IDC_QRCODE_IP_LIST);
    ipList_->setEditable(false);
    ipList_->setGeometry(mapDialogRect(QRect(7, 69, 190, 14), base));

    generate_ = new QPushButton(tr("生成二维码"), this);
    setControlId(generate_, IDC_QRCODE_GENERATE);
    generate_->setAutoDefault(false);
    generate_->setGeometry(mapDialogRect(QRect(204, 68, 77, 16), base));
    connect(generate_, &QPushButton::clicked, this, &CQRCodeDlg::generate);

    messages_.on(UM_SEND_PORT, [this](intptr_t, intptr_t l) { onPort(int(l)); });
    messages_.on(UM_SEND_PROGRESS, [this](intptr_t, intptr_t l) { onProgress(qint64(l)); });
    messages_.on(UM_SEND_DONE, [this](intptr_t, intptr_t l) { onDone(l == 1); });

    // This computer's addresses; one alone needs no choice.
    const QList<QByteArray> list = addresses ? addresses() : QList<QByteArray>();
    for (const QByteArray& a : list)
        ipList_->addItem(QString::fromLatin1(a));
    if (ipList_->count() > 0)
        ipList_->setCurrentIndex(0);
    if (ipList_->count() == 1) {
        ipLabel_->hide();
        ipList_->hide();
        generate_->hide();
        autoStart_.setSingleShot(true);
        autoStart_.setInterval(kAutoStartMs);
        connect(&autoStart_, &QTimer::timeout, this, &CQRCodeDlg::generate);
        autoStartPending_ = true;  // counted from the first showing
    }
}

CQRCodeDlg::~CQRCodeDlg()
{
    autoStart_.stop();
    thread_.stop();
}

int CQRCodeDlg::sendFile(const QString& path, QWidget* parent, SendAddressLister addresses)
{
    if (qrpayload::isFontPath(path) && qrpayload::fontName(path).size() > qrpayload::kMaxFontNameBytes) {
        promptMessageBox(parent, qrpayload::fontNameTooLongMessage(path), QString(), MB_OK | MB_ICONWARNING);
        return QDialog::Rejected;
    }
    CQRCodeDlg dlg(path, parent, std::move(addresses));
    return dlg.exec();
}

void CQRCodeDlg::generate()
{
    autoStart_.stop();
    if (closed_ || thread_.isStarted())
        return;
    generate_->setEnabled(false);
    address_ = ipList_->currentText().toLatin1();
    if (qrpayload::isFontPath(filePath_) &&
        qrpayload::fontName(filePath_).size() > qrpayload::kMaxFontNameBytes) {
        // The phone could not be told the name: nothing is offered.
        promptMessageBox(this, qrpayload::fontNameTooLongMessage(filePath_), QString(),
                         MB_OK | MB_ICONWARNING);
        closeDialog();
        return;
    }
    QFile file(filePath_);
    fileSize_ = file.open(QIODevice::ReadOnly) ? file.size() : 0;
    file.close();

    thread_.setNotifyWindow(this);
    thread_.setFilePath(filePath_);
    thread_.setAddress(address_);
    thread_.setOptions(options_);
    if (!thread_.start())
        onDone(false);  // as a listener that failed at once
}

void CQRCodeDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (autoStartPending_ && !closed_) {
        autoStartPending_ = false;
        autoStart_.start();
    }
}

void CQRCodeDlg::onPort(int port)
{
    port_ = port;
    buildQrImage();
    update();
}

void CQRCodeDlg::buildQrImage()
{
    // Failures are silent: no code is shown and the listener keeps waiting.
    qrImage_.reset();
    const qrpayload::Result r = qrpayload::build(address_, port_, filePath_);
    if (!r.ok()) {
        qWarning("send to phone: no QR code: %s", qPrintable(r.error));
        return;
    }
    payload_ = r.payload;
    qrImage_ = qrimage::render(QrSymbol::encode(payload_));
    if (!qrImage_)
        qWarning("send to phone: the payload does not encode");
}

QPoint CQRCodeDlg::qrOrigin() const
{
    if (!qrImage_)
        return QPoint();
    return qrimage::origin(size(), QSize(qrImage_->width(), qrImage_->height()));
}

void CQRCodeDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!qrImage_)
        return;
    QPainter painter(this);
    const QPoint at = qrOrigin();
    qrImage_->draw(painter, at.x(), at.y());
}

void CQRCodeDlg::onProgress(qint64 sent)
{
    state_ = Transferring;
    const qint64 left = fileSize_ > sent ? fileSize_ - sent : 0;
    setWindowTitle(tr("正在传输文件。已发送 %1 字节, 剩余 %2 字节").arg(sent).arg(left));
}

void CQRCodeDlg::onDone(bool ok)
{
    state_ = Finished;
    thread_.join();  // its last act was this message
    promptMessageBox(this, ok ? tr("文件传输成功") : tr("文件传输异常"));
    reject();
}

void CQRCodeDlg::reject()
{
    if (closed_)
        return;
    if (state_ == Transferring) {
        promptMessageBox(this, tr("正在传输文件，请稍候"));
        return;
    }
    if (state_ == Waiting && thread_.isStarted()) {
        if (!thread_.cancelWaiting()) {
            // A phone was taken just now: the transfer goes on.
            state_ = Transferring;
            promptMessageBox(this, tr("正在传输文件，请稍候"));
            return;
        }
        thread_.join();
    }
    closeDialog();
}

void CQRCodeDlg::closeDialog()
{
    done(QDialog::Rejected);
}

void CQRCodeDlg::done(int result)
{
    // Whatever closes the dialog, the listener is gone before it is.
    autoStartPending_ = false;
    autoStart_.stop();
    thread_.stop();
    closed_ = true;
    QDialog::done(result);
}

bool CQRCodeDlg::event(QEvent* e)
{
    if (asWindowMessage(e)) {
        if (!closed_)
            messages_.dispatch(e);
        return true;
    }
    return QDialog::event(e);
}
