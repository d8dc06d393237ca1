// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_font.h"

#include <cmath>
#include <cstdint>

QString truncateUtf16(const QString& text, int maxUnits)
{
    if (maxUnits <= 0)
        return QString();
    if (text.size() <= maxUnits)
        return text;
    int n = maxUnits;
    // Do not keep the first half of a pair whose second half is cut off.
    if (text.at(n - 1).isHighSurrogate() && text.at(n).isLowSurrogate())
        --n;
    return text.left(n);
}

void CaptionFont::setFace(const QString& face)
{
    face_ = truncateUtf16(face, kMaxFaceUnits);
}

StampFont CaptionFont::toStampFont() const
{
    StampFont f;
    f.face = face_.toStdString();
    f.height = height;
    f.weight = weight;
    f.italic = italic != 0;
    f.underline = underline != 0;
    return f;
}

namespace {
// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is
// 0 or the result lies beyond +-INT32_MAX (so that it can always be negated).
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t num = int64_t(a) * int64_t(b);
    int64_t q = num / c;
    int64_t r = num % c;
    const int64_t absR = r < 0 ? -r : r;
    const int64_t absC = c < 0 ? -int64_t(c) : int64_t(c);
    if (2 * absR >= absC)
        q += ((num < 0) != (c < 0)) ? -1 : 1;
    if (q > INT32_MAX || q < -int64_t(INT32_MAX))
        return -1;
    return int(q);
}
}  // namespace

int CaptionFont::heightForPoints(int points, int dpi)
{
    return -mulDiv(points, dpi, 72);
}

int CaptionFont::pointsForHeight(int height, int dpi)
{
    if (dpi <= 0)
        return 0;
    return int(std::trunc(0.5 - double(height) * 72.0 / double(dpi)));
}
