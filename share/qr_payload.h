// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The text of the send-to-phone QR code: where the phone finds the file and,
// for a font, the name to give it.
//
//     characters 1-10   the IPv4 address w.x.y.z as w + 256x + 65536y + 16777216z,
//                       right-aligned with leading spaces
//     characters 11-14  the port, at least four digits
//     the rest          "00" for a GIF, the font's file name in UTF-8 for a font
//
// A GIF on 192.168.1.5 port 8881 is "  83994816888100".
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace qrpayload {

// The payload buffer holds 96 bytes with its terminating zero: 14 for the
// address and port, so a font name takes at most 81 bytes of UTF-8.
inline constexpr int kBufferBytes = 96;
inline constexpr int kMaxFontNameBytes = kBufferBytes - 1 - 14;

// A font is a path whose last four characters are ".ttf", ".ttc" or ".otf",
// in any case; everything else is sent as a GIF.
bool isFontPath(const QString& path);

// "w.x.y.z" (four decimal parts 0-255, nothing else) as the number the phone
// reads; nothing for anything that is not a dotted IPv4 address.
std::optional<uint32_t> addressNumber(const QByteArray& dotted);

struct Result {
    QByteArray payload;  // empty when refused
    QString error;       // why it was refused (for the user)
    bool ok() const { return !payload.isEmpty(); }
};

// The payload for sending `filePath` from `address` (dotted) on `port`.
// Refused for an address that is not dotted IPv4, a port outside 1-65535 and
// a font whose file name is longer than kMaxFontNameBytes in UTF-8 (cutting
// it would give the phone a wrong, possibly broken, name).
Result build(const QByteArray& address, int port, const QString& filePath);

// The name a font is announced with: the file name without folders, UTF-8.
QByteArray fontName(const QString& filePath);

// The message shown when a font's name does not fit (also used before a
// dialog is opened).
QString fontNameTooLongMessage(const QString& filePath);

}  // namespace qrpayload
