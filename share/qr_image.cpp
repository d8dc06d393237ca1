// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/qr_image.h"

#include <cstring>

#include "share/qr_symbol.h"

namespace qrimage {

std::unique_ptr<RasterImage> render(const QrSymbol& symbol)
{
    if (!symbol.isValid())
        return nullptr;
    const int side = symbol.width() * kModulePixels;
    std::unique_ptr<RasterImage> image = RasterImage::make(side, side, 24);
    if (!image)
        return nullptr;
    for (int y = 0; y < side; ++y) {
        uint8_t* row = image->row(y);
        const int my = y / kModulePixels;
        for (int mx = 0; mx < symbol.width(); ++mx) {
            const uint8_t value = symbol.dark(mx, my) ? 0 : 255;
            std::memset(row + size_t(mx) * kModulePixels * 3, value, size_t(kModulePixels) * 3);
        }
    }
    return image;
}

QPoint origin(const QSize& client, const QSize& image)
{
    return QPoint((client.width() - image.width()) / 2, (client.height() * 5 / 4 - image.height()) / 2);
}

}  // namespace qrimage
