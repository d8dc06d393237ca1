// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/qr_symbol.h"

#include <qrencode.h>

#include <memory>

namespace {
struct QrcodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QrcodePtr = std::unique_ptr<QRcode, QrcodeFree>;
}  // namespace

QrSymbol QrSymbol::encode(const QByteArray& text)
{
    QrSymbol symbol;
    if (text.isEmpty() || text.contains('\0'))
        return symbol;
    const QrcodePtr code(QRcode_encodeString(text.constData(), 0, QR_ECLEVEL_H, QR_MODE_8, 1));
    if (!code || code->width <= 0 || code->width > 177)
        return symbol;
    symbol.width_ = code->width;
    const size_t count = size_t(code->width) * size_t(code->width);
    symbol.modules_.assign(code->data, code->data + count);
    return symbol;
}

bool QrSymbol::dark(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= width_)
        return false;
    return (modules_[size_t(y) * size_t(width_) + size_t(x)] & 1) != 0;
}

QByteArray QrSymbol::terminalText(int border) const
{
    if (!isValid())
        return QByteArray();
    if (border < 0)
        border = 0;
    static const char kFull[] = "\xE2\x96\x88";   // both light
    static const char kUpper[] = "\xE2\x96\x80";  // upper light, lower dark
    static const char kLower[] = "\xE2\x96\x84";  // upper dark, lower light
    QByteArray out;
    const int from = -border;
    const int to = width_ + border;
    for (int y = from; y < to; y += 2) {
        for (int x = from; x < to; ++x) {
            const bool upperLight = !dark(x, y);
            const bool lowerLight = y + 1 < to ? !dark(x, y + 1) : false;
            if (upperLight && lowerLight)
                out += kFull;
            else if (upperLight)
                out += kUpper;
            else if (lowerLight)
                out += kLower;
            else
                out += ' ';
        }
        out += '\n';
    }
    return out;
}
