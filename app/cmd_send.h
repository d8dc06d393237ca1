// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// vexlo send FILE [--address A]: serves one transfer to the phone app exactly
// as the send-to-phone dialog does, with the QR code drawn in the terminal.
#include <QByteArray>
#include <QString>

struct SendCommandArgs {
    QString file;
    QByteArray address;  // empty: the first of this computer's addresses
};

// Runs the transfer; the exit status: 0 the transfer succeeded, 1 it failed
// (or was interrupted), 2 refused input.
int runSend(const SendCommandArgs& args);
