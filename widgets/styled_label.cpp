// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/styled_label.h"

#include <QPainter>

#include "app/ui_scale.h"
#include "platform/sys_colors.h"
#include "widgets/cell_height_font.h"

namespace {
QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}
}  // namespace

CStyledLabel::CStyledLabel(QWidget* parent) : CStyledLabel(QString(), parent) {}

CStyledLabel::CStyledLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void CStyledLabel::setLabelStyle(int flags)
{
    if (flags & StyleBold)
        bold_ = true;
    if (flags & StyleItalic)
        italic_ = true;
    if (flags & StyleUnderline)
        underline_ = true;
    if (flags & StyleStrikeOut)
        strikeOut_ = true;
    if (flags & StyleSmooth)
        smooth_ = true;
    if (flags & StyleCenter)
        align_ = Qt::AlignHCenter;
    else if (flags & StyleRight)
        align_ = Qt::AlignRight;
    else
        align_ = Qt::AlignLeft;
    update();
}

void CStyledLabel::setBackgroundColor(ColorRef colour)
{
    background_ = colour & 0xFFFFFFu;
    ownBackground_ = true;
    update();
}

void CStyledLabel::setTextColor(ColorRef colour)
{
    textColor_ = colour & 0xFFFFFFu;
    update();
}

void CStyledLabel::setLabelFont(const QString& face, int size, ColorRef textColour, int flags)
{
    face_ = face;
    size_ = size;
    textColor_ = textColour & 0xFFFFFFu;
    setLabelStyle(flags);
}

QFont CStyledLabel::paintFont() const
{
    CellHeightFontOptions options;
    options.weight = bold_ ? 900 : 400;
    options.italic = italic_;
    options.underline = underline_;
    options.strikeOut = strikeOut_;
    options.antialias = smooth_;
    return cellHeightFont(face_, int(float(size_) * UiScale()), options);
}

void CStyledLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ownBackground_ ? qColor(background_) : sysQColor(SysColor::ButtonFace));
    p.setFont(paintFont());
    p.setPen(qColor(textColor_));
    p.drawText(rect(), int(align_) | Qt::AlignTop | Qt::TextWordWrap, text());
}
