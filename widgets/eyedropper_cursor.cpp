// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/eyedropper_cursor.h"

#include <QBitmap>

namespace {
// '#' black, '.' white, ' ' transparent.
constexpr const char* kShape[kEyedropperSize] = {
    "           ###  ", "          ##### ", "          ######", "        ########",
    "       #.######",  "      #...####  ", "     #...#.#    ", "    #...#  #    ",
    "   #...#        ", "  #...#         ", "  #..#          ", " #..#           ",
    " #.#            ", " ##             ", "##              ", "#               ",
};
}  // namespace

QImage eyedropperImage()
{
    QImage image(kEyedropperSize, kEyedropperSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kEyedropperSize; ++y) {
        const char* row = kShape[y];
        for (int x = 0; x < kEyedropperSize && row[x]; ++x) {
            if (row[x] == '#')
                image.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (row[x] == '.')
                image.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    }
    return image;
}

QCursor eyedropperCursor()
{
    const QImage picture = eyedropperImage();
    // Bitmaps from black-on-white pictures: black is a set bit.
    QImage black(kEyedropperSize, kEyedropperSize, QImage::Format_RGB32);
    QImage mask(kEyedropperSize, kEyedropperSize, QImage::Format_RGB32);
    black.fill(Qt::white);
    mask.fill(Qt::white);
    for (int y = 0; y < kEyedropperSize; ++y) {
        for (int x = 0; x < kEyedropperSize; ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) == 0)
                continue;
            mask.setPixel(x, y, qRgb(0, 0, 0));
            if (qRed(p) == 0)
                black.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    return QCursor(QBitmap::fromImage(black), QBitmap::fromImage(mask), kEyedropperHotSpot.x(),
                   kEyedropperHotSpot.y());
}
