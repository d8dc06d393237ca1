// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Draws a caption in the editor's picture, onto the frame-sized surface the
// current frame is composed on before it is shrunk to the picture area.
//
// The text is measured as it is (an ampersand is an ordinary character) and
// the caption keeps the measured width and height for hit tests and dragging.
// The block is drawn where the GIF will have it: its bottom row is row y and
// it reaches up `height` rows (CaptionRenderer puts the mask's bottom row on
// y). By background style: 1 fills the block with the background colour; 2
// and 3 draw the text in the background colour at the 9 offsets dx, dy in
// -1..1 or the 49 offsets in -3..3; then the text is drawn in the text colour,
// every pass cut to its block (so an italic overhang beyond the measured width
// does not show). A selected caption gets a 1-pixel outline in the highlight
// colour through (x - 2, y - height - 2), (x - 2, y + 2),
// (x + width + 2, y + 2), (x + width + 2, y - height - 2).
#include <QRect>
#include <QSize>
#include <QString>

#include "editor/caption_item.h"

class QPainter;
class RasterImage;

class CaptionPreviewRenderer {
public:
    // Measures the caption, stores its width and height and draws it.
    static void draw(QPainter& painter, CaptionItem& caption, ColorRef highlight);
    // The same onto a 24-bit frame image in place (other images are only
    // measured).
    static void draw(RasterImage& frame, CaptionItem& caption, ColorRef highlight);

    // The measured size of a caption's text (lines broken only at line feeds,
    // no mnemonics), as draw() stores it.
    static QSize measure(const CaptionItem& caption);
    // Where draw() puts the text block of a measured caption.
    static QRect textRect(const CaptionItem& caption);
};
