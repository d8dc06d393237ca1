// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_editing.h"

#include <QCoreApplication>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>

namespace caption_editing {

namespace {

int clampToInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// Characters of a text as the vertical layout counts them (a surrogate pair
// is one character).
int characterCount(const QString& text)
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

}  // namespace

QString columnHeading(int column)
{
    switch (column) {
        case CaptionColumnFirst:
            return QCoreApplication::translate("CAddTextDlg", "开始于*帧");
        case CaptionColumnLast:
            return QCoreApplication::translate("CAddTextDlg", "结束于*帧");
        case CaptionColumnText:
            return QCoreApplication::translate("CAddTextDlg", "字幕 (双击修改内容，回车保存修改)");
        case CaptionColumnX:
            return QCoreApplication::translate("CAddTextDlg", "横座标");
        case CaptionColumnY:
            return QCoreApplication::translate("CAddTextDlg", "纵座标");
        default:
            return QString();
    }
}

int columnWidth(int column)
{
    switch (column) {
        case CaptionColumnFirst:
        case CaptionColumnLast:
            return 70;
        case CaptionColumnText:
            return 430;
        case CaptionColumnX:
        case CaptionColumnY:
            return 80;
        default:
            return 0;
    }
}

std::unique_ptr<CaptionItem> newCaption(const CaptionStyle& style, const QString& text, int currentFrame,
                                        int recordCount, int firstFrameHeight, int dpi, unsigned r1,
                                        unsigned r2)
{
    auto c = std::make_unique<CaptionItem>();
    c->x = int(r1 % 5u);
    c->y = clampToInt(int64_t(firstFrameHeight) - int64_t(r2 % 5u) - 20);
    c->firstFrame = currentFrame;
    c->lastFrame = recordCount;
    c->selected = false;
    c->width = c->height = 0;
    c->font.setFace(style.face);
    c->font.height = CaptionFont::heightForPoints(style.points, dpi);
    c->font.weight = style.bold ? CaptionFont::kWeightBold : CaptionFont::kWeightNormal;
    c->font.italic = style.italic ? 1 : 0;
    c->textColor = style.textColor;
    c->backgroundColor = style.backgroundColor;
    c->backgroundStyle = style.backgroundStyle;
    c->setText(text);
    if (style.vertical && fitsVertically(text))
        c->setVertical(true);
    return c;
}

void newCaptionRandoms(long long seconds, unsigned& r1, unsigned& r2)
{
    // A generator of our own seeded like srand(time): no process-wide state.
    std::minstd_rand generator(std::minstd_rand::result_type(uint64_t(seconds) & 0x7FFFFFFFu));
    r1 = unsigned(generator());
    r2 = unsigned(generator());
}

QString cellText(const CaptionItem& caption, int column)
{
    switch (column) {
        case CaptionColumnFirst:
            return QString::number(caption.firstFrame);
        case CaptionColumnLast:
            return QString::number(caption.lastFrame);
        case CaptionColumnText:
            return caption.displayText();
        case CaptionColumnX:
            return QString::number(caption.x);
        case CaptionColumnY:
            return QString::number(caption.y);
        default:
            return QString();
    }
}

int leadingNumber(const QString& text)
{
    int64_t v = 0;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        v = v * 10 + (ch.unicode() - '0');
        if (v > INT_MAX)
            return INT_MAX;
    }
    return int(v);
}

bool fitsVertically(const QString& text)
{
    const int64_t n = characterCount(text);
    // n characters, n - 1 breaks; a surrogate pair takes two units.
    const int64_t units = int64_t(text.size()) + std::max<int64_t>(0, n - 1);
    return units <= CaptionItem::kMaxTextUnits;
}

bool applyCellText(CaptionItem& caption, int column, const QString& typed, int recordCount)
{
    const int v = leadingNumber(typed);
    switch (column) {
        case CaptionColumnFirst:
            if (v == 0 || v > caption.lastFrame)
                return false;
            caption.firstFrame = v;
            return true;
        case CaptionColumnLast:
            if (v < caption.firstFrame || v > recordCount)
                return false;
            caption.lastFrame = v;
            return true;
        case CaptionColumnText:
            if (typed.isEmpty() || typed.size() > CaptionItem::kMaxTextUnits)
                return false;
            if (caption.isVertical() && !fitsVertically(typed))
                return false;
            return caption.setTypedText(typed);
        case CaptionColumnX:
            caption.x = v;
            return true;
        case CaptionColumnY:
            caption.y = v;
            return true;
        default:
            return false;
    }
}

int cellEditorMaxLength(const CaptionItem& caption, int column)
{
    if (column == CaptionColumnText)
        return caption.isVertical() ? kMaxVerticalTypedUnits : CaptionItem::kMaxTextUnits;
    return 0;
}

bool cellTakesDigitsOnly(int column)
{
    return column == CaptionColumnFirst || column == CaptionColumnLast || column == CaptionColumnX ||
           column == CaptionColumnY;
}

bool setVertical(CaptionItem& caption, bool vertical, int displayedHeight)
{
    if (vertical && !caption.isVertical()) {
        if (!fitsVertically(caption.text()))
            return false;
        caption.setVertical(true);
        if (caption.x < 0)
            caption.x = 0;
    } else if (!vertical && caption.isVertical()) {
        caption.setVertical(false);
        if (caption.y > displayedHeight)
            caption.y = displayedHeight;
    }
    return true;
}

CaptionStyle styleOf(const CaptionItem& caption, int dpi)
{
    CaptionStyle s;
    s.face = caption.font.face();
    s.points = CaptionFont::pointsForHeight(caption.font.height, dpi);
    s.bold = caption.font.weight == CaptionFont::kWeightBold;
    s.italic = caption.font.italic == 1;
    s.vertical = caption.isVertical();
    s.textColor = caption.textColor;
    s.backgroundColor = caption.backgroundColor;
    s.backgroundStyle = caption.backgroundStyle;
    return s;
}

void applyStyleChange(CaptionItem& caption, const CaptionStyle& style, StyleChange change, int dpi)
{
    switch (change) {
        case StyleChange::Face:
            caption.font.setFace(style.face);
            break;
        case StyleChange::Size:
            caption.font.height = CaptionFont::heightForPoints(style.points, dpi);
            break;
        case StyleChange::Bold:
            caption.font.weight = style.bold ? CaptionFont::kWeightBold : CaptionFont::kWeightNormal;
            break;
        case StyleChange::Italic:
            caption.font.italic = style.italic ? 1 : 0;
            break;
        case StyleChange::TextColor:
            caption.textColor = style.textColor;
            break;
        case StyleChange::BackgroundColor:
            caption.backgroundColor = style.backgroundColor;
            break;
        case StyleChange::BackgroundStyle:
            caption.backgroundStyle = style.backgroundStyle;
            break;
    }
}

QPoint toFramePoint(const QPoint& clientPoint, const QRect& displayed, float scale)
{
    const double fx = std::trunc(double(clientPoint.x() - displayed.left()) * double(scale));
    const double fy = std::trunc(double(clientPoint.y() - displayed.top()) * double(scale));
    return QPoint(clampToInt(int64_t(std::clamp(fx, double(INT_MIN), double(INT_MAX)))),
                  clampToInt(int64_t(std::clamp(fy, double(INT_MIN), double(INT_MAX)))));
}

QPoint dragOffset(const CaptionItem& caption, const QPoint& framePoint)
{
    return QPoint(clampToInt(int64_t(framePoint.x()) - caption.x),
                  clampToInt(int64_t(framePoint.y()) - (int64_t(caption.y) - caption.height)));
}

void dragTo(CaptionItem& caption, const QPoint& framePoint, const QPoint& offset)
{
    caption.x = clampToInt(int64_t(framePoint.x()) - offset.x());
    caption.y = clampToInt(int64_t(framePoint.y()) + caption.height - offset.y());
}

}  // namespace caption_editing
