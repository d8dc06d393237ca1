// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the editor does to captions, without any window: a new caption from the
// caption controls, the caption list's cells and what typing into them does,
// vertical and horizontal layout, the press and drag arithmetic of the picture,
// and the control changes applied to the active caption.
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

#include "editor/caption_item.h"

// What the caption controls show (font list 1010, size list 1011, "B", "I",
// "竖排", the two colour buttons and the background list). They are the
// settings of the next new caption and are loaded from a selected caption.
struct CaptionStyle {
    QString face;
    int points = 14;
    bool bold = true;
    bool italic = false;
    bool vertical = false;
    ColorRef textColor = 0;
    ColorRef backgroundColor = 0;
    int backgroundStyle = CaptionBackgroundNone;

    bool operator==(const CaptionStyle& o) const
    {
        return face == o.face && points == o.points && bold == o.bold && italic == o.italic &&
               vertical == o.vertical && textColor == o.textColor && backgroundColor == o.backgroundColor &&
               backgroundStyle == o.backgroundStyle;
    }
};

// The caption list's columns.
enum CaptionColumn : int {
    CaptionColumnFirst = 0,  // "开始于*帧"
    CaptionColumnLast = 1,   // "结束于*帧"
    CaptionColumnText = 2,   // "字幕 (双击修改内容，回车保存修改)"
    CaptionColumnX = 3,      // "横座标"
    CaptionColumnY = 4,      // "纵座标"
    CaptionColumnCount = 5,
};

namespace caption_editing {

// The longest text a vertical caption can be given: its n characters take
// n + (n - 1) code units.
constexpr int kMaxVerticalTypedUnits = (CaptionItem::kMaxTextUnits + 1) / 2;

// Headings and widths (pixels) of the caption list's columns.
QString columnHeading(int column);
int columnWidth(int column);

// A new caption, as button "添加字幕" makes it: x = r1 mod 5 and
// y = firstFrameHeight - (r2 mod 5) - 20, on frames currentFrame .. recordCount,
// not selected and not measured yet, with the controls' font, colours, style
// and layout and `text` (made vertical when the layout is). `dpi` is the
// screen's vertical resolution.
std::unique_ptr<CaptionItem> newCaption(const CaptionStyle& style, const QString& text, int currentFrame,
                                        int recordCount, int firstFrameHeight, int dpi, unsigned r1,
                                        unsigned r2);
// The two numbers of a new caption's position: the standard generator seeded
// with `seconds` (the current time) and drawn from twice.
void newCaptionRandoms(long long seconds, unsigned& r1, unsigned& r2);

// The text of cell `column` of a caption's row: frame numbers and coordinates
// in decimal, the text with its line breaks removed.
QString cellText(const CaptionItem& caption, int column);

// The integer at the start of `text` (0 when it does not start with a digit);
// digits beyond the int range give INT_MAX.
int leadingNumber(const QString& text);

// Applies what was typed into cell `column`; false when the value is refused
// (the caption and the cell stay as they were):
//   first frame: v != 0 and v <= last frame;  last frame: first <= v <= recordCount;
//   text: not empty, and it must fit the record in the caption's layout;
//   x, y: always.
bool applyCellText(CaptionItem& caption, int column, const QString& typed, int recordCount);

// Most code units the cell editor of `column` takes (typing beyond what the
// record can hold is not possible); 0 for no limit.
int cellEditorMaxLength(const CaptionItem& caption, int column);
// Whether the cell editor of `column` takes digits only.
bool cellTakesDigitsOnly(int column);

// Whether `text` still fits the record once made vertical.
bool fitsVertically(const QString& text);

// The "竖排" box clicked while `caption` is active. Checked on a horizontal
// caption: the text is made vertical and x raised to 0 if negative. Unchecked
// on a vertical caption: the text is made horizontal and y lowered to
// `displayedHeight` (the displayed image's height in screen pixels) if beyond
// it. A text too long to be vertical (more than 2048 characters) stays
// horizontal, whole: the function returns false and the box is to be unchecked
// again. True otherwise.
bool setVertical(CaptionItem& caption, bool vertical, int displayedHeight);

// The controls loaded from a caption: its face, the point size rounded half up
// from its height, bold from weight 700, italic, layout, colours and style.
CaptionStyle styleOf(const CaptionItem& caption, int dpi);

// One caption control changed while `caption` is active.
enum class StyleChange { Face, Size, Bold, Italic, TextColor, BackgroundColor, BackgroundStyle };
// Copies the changed value from `style` into the caption (the size as
// -MulDiv(points, dpi, 72)). The layout is changed by setVertical().
void applyStyleChange(CaptionItem& caption, const CaptionStyle& style, StyleChange change, int dpi);

// A point of the editor's client area in frame pixels, for a picture drawn in
// `displayed` at `scale` frame pixels per screen pixel (truncated).
QPoint toFramePoint(const QPoint& clientPoint, const QRect& displayed, float scale);
// Where in its block a caption was picked: (fx - x, fy - (y - height)).
QPoint dragOffset(const CaptionItem& caption, const QPoint& framePoint);
// Moves a dragged caption so that the picked point follows the pointer:
// x = fx - offset x, y = fy + height - offset y. Nothing limits it to the frame.
void dragTo(CaptionItem& caption, const QPoint& framePoint, const QPoint& offset);

}  // namespace caption_editing
