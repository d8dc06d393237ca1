// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/text_watermark.h"

#include <QtGlobal>
#include <cstdint>

#include "app/app_settings.h"

namespace {
// The stamp underlines the character after a single ampersand; a doubled one
// draws one ampersand, so the text is drawn and measured as written.
std::string literalText(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return doubled.toStdString();
}
}  // namespace

int TextWatermark::mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t a = number;
    int64_t d = denominator;
    if (d < 0) {
        a = -a;
        d = -d;
    }
    const int64_t product = a * int64_t(numerator);
    const int64_t result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
    if (result > INT32_MAX || result < -INT32_MAX)
        return -1;
    return int(result);
}

TextWatermark TextWatermark::fromSettings(const AppSettings& settings, int dpiY)
{
    TextWatermark mark;
    mark.enabled = settings.txtEnableLogo;
    mark.corner = settings.txtLogoPos;
    mark.text = settings.logoText;
    mark.fontFace = settings.logoFontName;
    mark.fontHeight = -mulDiv(settings.logoFont, dpiY, 72);
    mark.weight = settings.logoFontBold ? 700 : 400;
    mark.italic = settings.logoFontItalic;
    mark.color = settings.logoColor;
    mark.background = settings.logoBk;
    mark.backgroundColor = settings.logoBkColor;
    return mark;
}

StampFont TextWatermark::stampFont() const
{
    StampFont font;
    font.face = fontFace.toStdString();
    font.height = fontHeight;
    font.weight = weight;
    font.italic = italic;
    font.underline = false;
    return font;
}

void TextWatermark::measure(int& boxWidth, int& boxHeight) const
{
    boxWidth = 20;
    boxHeight = 15;
    if (!enabled)
        return;
    int w = 0, h = 0;
    if (!measureStampText(literalText(text), stampFont(), w, h)) {
        qWarning("the watermark text cannot be measured; it is not drawn");
        return;
    }
    boxWidth = w;
    boxHeight = h;
}

void TextWatermark::draw(RasterImage& frame, int boxWidth, int boxHeight) const
{
    if (!enabled || text.isEmpty() || !frame.isValid())
        return;
    const int W = frame.width();
    const int H = frame.height();
    int x = 0, y = 0;
    switch (corner) {
        case 0:
            x = 0;
            y = boxHeight;
            break;
        case 1:
            x = 0;
            y = H;
            break;
        case 2:
            x = W - boxWidth;
            y = boxHeight;
            break;
        default:
            x = W - boxWidth;
            y = H;
            break;
    }
    const std::string utf8 = literalText(text);
    const bool ok = background ? stampBoxedText(frame, x, y, utf8, color, stampFont(), backgroundColor)
                               : stampText(frame, x, y, utf8, color, stampFont());
    if (!ok)
        qWarning("the watermark text cannot be drawn");
}
