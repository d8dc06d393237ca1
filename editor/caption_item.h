// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// One caption: a piece of text drawn on a range of frames.
#include <QString>
#include <cstdint>

#include "editor/caption_font.h"
#include "imaging/raster_image.h"

enum CaptionBackground : int {
    CaptionBackgroundNone = 0,          // "不用了"
    CaptionBackgroundBox = 1,           // "方框"
    CaptionBackgroundThinOutline = 2,   // "细描边"
    CaptionBackgroundThickOutline = 3,  // "粗描边"
};

class CaptionItem {
public:
    // The record holds at most this many UTF-16 code units of text.
    static constexpr int kMaxTextUnits = 4095;

    bool selected = false;  // at most one caption of the list is selected
    int x = 0;              // left edge of the text block, frame pixels
    int y = 0;              // bottom edge (the block hangs upward from y)
    int width = 0;          // size of the block as last measured by the preview
    int height = 0;         // renderer; 0 until first drawn in the editor
    int firstFrame = 1;     // 1-based frame numbers, inclusive, deleted frames counted
    int lastFrame = 1;
    int backgroundStyle = CaptionBackgroundNone;  // CaptionBackground
    CaptionFont font;
    ColorRef textColor = 0;
    ColorRef backgroundColor = 0;  // used by styles 1, 2 and 3

    // The text as drawn: a vertical caption has a line break (code 10) after
    // every character but the last.
    const QString& text() const { return text_; }
    // Stores `text` as it is, cut to kMaxTextUnits code units.
    void setText(const QString& text);
    // Text typed by the user: refused (false, nothing changes) when empty;
    // otherwise stored, made vertical when the caption is vertical (the typed
    // text is cut so that the stored form fits the record).
    bool setTypedText(const QString& typed);
    // The text with every line break removed (the caption list's cell).
    QString displayText() const { return horizontalText(text_); }

    bool isVertical() const { return vertical_; }
    // Switches the layout and converts the text; nothing when already so.
    void setVertical(bool on);

    // Whether frame number n lies in first..last.
    bool encloses(int frameNumber) const { return firstFrame <= frameNumber && frameNumber <= lastFrame; }
    // Whether (fx, fy) lies in the measured block (x, y - height, x + width, y),
    // left and top inclusive, right and bottom exclusive.
    bool boxContains(int fx, int fy) const
    {
        // 64-bit edges: a caption may be dragged or typed to the end of the int range.
        return fx >= x && int64_t(fx) < int64_t(x) + width && int64_t(fy) >= int64_t(y) - height && fy < y;
    }

    // A line break after every character except the last (a character is one
    // code unit, or a surrogate pair, which is never split); the result is cut
    // to whole characters so it holds at most `maxUnits` code units.
    static QString verticalText(const QString& text, int maxUnits = kMaxTextUnits);
    // Every line break removed.
    static QString horizontalText(const QString& text);

private:
    bool vertical_ = false;
    QString text_;
};
