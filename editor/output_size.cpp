// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/output_size.h"

#include <QString>
#include <algorithm>
#include <climits>

#include "gif/gif_generator.h"

namespace outputsize {
namespace {

int roundedSide(double v)
{
    v += 0.5;
    if (!(v < double(INT_MAX)))
        return INT_MAX;
    if (!(v > 0.0))
        return 0;
    return int(v);  // truncation
}

// The other side for one side: trunc(side x (other / this) + 0.5), the ratio a 32-bit float.
int matchingSide(long long side, int thisRef, int otherRef)
{
    if (thisRef <= 0)
        return 0;
    const float ratio = float(otherRef) / float(thisRef);
    return roundedSide(double(float(side) * ratio));
}

}  // namespace

Fields initialFields(int refWidth, int refHeight, float scale)
{
    // The same sizes generation will make, so the fields never promise a pixel the GIF lacks.
    return {GifGenerator::outputSide(refWidth, scale), GifGenerator::outputSide(refHeight, scale)};
}

int initialSliderPosition(float scale)
{
    const float p = scale * 100.0f;
    if (!(p >= 1.0f))
        return 1;
    if (p >= 100.0f)
        return 100;
    return int(p);
}

std::optional<Fields> fromSlider(int refWidth, int refHeight, int percent)
{
    const int w = int(static_cast<long long>(refWidth) * percent / 100);
    const int h = matchingSide(w, refWidth, refHeight);
    if (w < kMinSliderSide || h < kMinSliderSide)
        return std::nullopt;
    return Fields{w, h};
}

Fields fromTypedWidth(int refWidth, int refHeight, long long width)
{
    if (width > refWidth)
        return {refWidth, refHeight};
    return {int(width), matchingSide(width, refWidth, refHeight)};
}

Fields fromTypedHeight(int refWidth, int refHeight, long long height)
{
    if (height > refHeight)
        return {refWidth, refHeight};
    return {matchingSide(height, refHeight, refWidth), int(height)};
}

long long fieldValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    if (ok)
        return std::max(0LL, v);
    // Only digits reach here: a number too long for 64 bits.
    return LLONG_MAX;
}

std::optional<float> scaleForWidth(int refWidth, int refHeight, long long width)
{
    if (width < 1 || refWidth < 1)
        return std::nullopt;
    const float scale = float(std::min<long long>(width, refWidth)) / float(refWidth);
    if (GifGenerator::outputSide(refHeight, scale) < 1)
        return std::nullopt;
    return scale;
}

}  // namespace outputsize
