// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A QR symbol as libqrencode makes it for the send-to-phone code: the smallest
// version that fits (version 0), error correction level H, 8-bit mode, case
// kept. A module is dark when bit 0 of its byte is set.
#include <QByteArray>
#include <vector>

class QrSymbol {
public:
    // Encodes the bytes; an invalid symbol (width 0) when libqrencode refuses
    // them (empty, too long, out of memory).
    static QrSymbol encode(const QByteArray& text);

    bool isValid() const { return width_ > 0; }
    int width() const { return width_; }  // modules per side
    bool dark(int x, int y) const;        // false outside the symbol

    // The symbol as terminal text: two module rows per line drawn with block
    // characters, light modules full blocks (the usual look on a dark
    // terminal), with a light border of `border` modules.
    QByteArray terminalText(int border = 2) const;

private:
    int width_ = 0;
    std::vector<unsigned char> modules_;  // width * width bytes, row by row
};
