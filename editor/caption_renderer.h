// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Draws a caption onto a 24-bit frame image for the GIF, at the frame's own
// size (before scaling).
//
// One text pass renders the caption's text white on black, opaque, into a mask
// w + h pixels wide (the extra h leaves room for the italic overhang) and h
// high, where w x h is the text's measured box; every mask pixel whose blue is
// not 0 sets the frame pixel under it to the pass colour, without blending. The
// mask's bottom row lands on row py, its left column on px; pixels outside the
// frame are ignored. Lines break at line feeds; an ampersand is not drawn but
// underlines the character after it ("&&" draws one ampersand).
//
// By background style: 0 one pass in the text colour at (x, y); 1 the w x h
// block whose bottom-left pixel is (x, y) filled with the background colour,
// then one pass in the text colour cut to those w columns; 2 passes in the
// background colour at the 9 offsets dx, dy in -1..1, then the text colour at
// (x, y); 3 the same with the 49 offsets in -3..3.
//
// A renderer measures once and renders each mask once per frame size, so the
// 49 outline passes cost one text layout. draw() may be called from several
// threads at once.
#include <QFont>
#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "editor/caption_item.h"

class RasterImage;

class CaptionRenderer {
public:
    explicit CaptionRenderer(const CaptionItem& caption);
    ~CaptionRenderer();
    CaptionRenderer(const CaptionRenderer&) = delete;
    CaptionRenderer& operator=(const CaptionRenderer&) = delete;

    // Measured text box (DT_CALCRECT-like, mnemonics processed).
    int textWidth() const { return w_; }
    int textHeight() const { return h_; }

    // Draws the caption on a 24-bit image (other images are left alone).
    void draw(RasterImage& frame) const;

    // One-off: measure, render and draw.
    static void drawOnFrame(RasterImage& frame, const CaptionItem& caption);

    // The font a caption is drawn with: its face, pixel height, weight, italic
    // and underline; the default interface font when those cannot make a font.
    static QFont captionFont(const CaptionFont& font);

private:
    struct Mask;
    std::shared_ptr<const Mask> maskFor(int frameWidth, int frameHeight) const;

    QFont font_;
    QString text_;
    int x_ = 0;
    int y_ = 0;
    int style_ = 0;
    ColorRef textColor_ = 0;
    ColorRef backgroundColor_ = 0;
    int w_ = 0;
    int h_ = 0;

    mutable std::mutex mutex_;
    mutable std::map<std::pair<int, int>, std::shared_ptr<const Mask>> masks_;
};
