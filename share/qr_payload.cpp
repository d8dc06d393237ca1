// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/qr_payload.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QList>
#include <cstdio>

namespace qrpayload {

bool isFontPath(const QString& path)
{
    const QString tail = path.right(4);
    return tail.compare(QLatin1String(".ttf"), Qt::CaseInsensitive) == 0 ||
           tail.compare(QLatin1String(".ttc"), Qt::CaseInsensitive) == 0 ||
           tail.compare(QLatin1String(".otf"), Qt::CaseInsensitive) == 0;
}

std::optional<uint32_t> addressNumber(const QByteArray& dotted)
{
    // Four parts of one to three digits, each 0-255, separated by single dots.
    const QList<QByteArray> parts = dotted.split('.');
    if (parts.size() != 4)
        return std::nullopt;
    uint32_t number = 0;
    for (int i = 0; i < 4; ++i) {
        const QByteArray& part = parts[i];
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        unsigned value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + unsigned(c - '0');
        }
        if (value > 255)
            return std::nullopt;
        number |= uint32_t(value) << (8 * i);
    }
    return number;
}

QByteArray fontName(const QString& filePath)
{
    return QFileInfo(filePath).fileName().toUtf8();
}

QString fontNameTooLongMessage(const QString& filePath)
{
    return QCoreApplication::translate("qrpayload",
                                       "字体文件名“%1”太长（UTF-8 编码 %2 字节，最多 %3 "
                                       "字节），无法发送到手机。请把文件改个短一些的名字再发送。")
        .arg(QFileInfo(filePath).fileName())
        .arg(fontName(filePath).size())
        .arg(kMaxFontNameBytes);
}

Result build(const QByteArray& address, int port, const QString& filePath)
{
    Result r;
    const std::optional<uint32_t> number = addressNumber(address);
    if (!number) {
        r.error = QCoreApplication::translate("qrpayload", "“%1”不是 IPv4 地址。")
                      .arg(QString::fromLatin1(address));
        return r;
    }
    if (port <= 0 || port > 65535) {
        r.error = QCoreApplication::translate("qrpayload", "端口 %1 无效。").arg(port);
        return r;
    }
    char head[32];
    std::snprintf(head, sizeof head, "%10u%4u", unsigned(*number), unsigned(port));
    QByteArray payload(head);
    if (isFontPath(filePath)) {
        const QByteArray name = fontName(filePath);
        if (name.size() > kMaxFontNameBytes) {
            r.error = fontNameTooLongMessage(filePath);
            return r;
        }
        if (name.isEmpty() || name.contains('\0')) {
            r.error = QCoreApplication::translate("qrpayload", "字体文件名无效。");
            return r;
        }
        payload += name;
    } else {
        payload += "00";
    }
    r.payload = payload;
    return r;
}

}  // namespace qrpayload
