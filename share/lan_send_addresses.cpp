// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/lan_send_addresses.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>

QList<QByteArray> localSendAddresses()
{
    QList<QByteArray> found;
    QList<QByteArray> loopback;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (!iface.flags().testFlag(QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const QByteArray dotted = ip.toString().toLatin1();
            QList<QByteArray>& list = ip.isLoopback() ? loopback : found;
            if (!list.contains(dotted))
                list.append(dotted);
        }
    }
    return found.isEmpty() ? loopback : found;
}
