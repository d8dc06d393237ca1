// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The picture of the send-to-phone QR code and where the dialog paints it.
#include <QPoint>
#include <QSize>
#include <memory>

#include "imaging/raster_image.h"

class QrSymbol;

namespace qrimage {

inline constexpr int kModulePixels = 8;

// A 24-bit picture 8w x 8w pixels for a symbol w modules wide: white, each
// dark module an 8 x 8 black block, no border. Null for an invalid symbol.
std::unique_ptr<RasterImage> render(const QrSymbol& symbol);

// Top-left corner of the picture in a client area: centred across, its
// centre 5/8 of the way down (below the dialog's controls).
QPoint origin(const QSize& client, const QSize& image);

}  // namespace qrimage
