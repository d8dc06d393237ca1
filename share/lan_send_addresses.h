// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The IPv4 addresses a phone on the same network can reach this computer at,
// in dotted form, in the order the system lists its interfaces: the
// addresses of the interfaces that are up, loopback left out unless there is
// nothing else.
#include <QByteArray>
#include <QList>
#include <functional>

QList<QByteArray> localSendAddresses();

// Where a window gets its address list from (tests give 127.0.0.1 alone).
using SendAddressLister = std::function<QList<QByteArray>()>;
