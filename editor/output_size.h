// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The arithmetic of the output size dialog: the reference size W x H (the
// first frame's image) and the output scale give the two fields and the
// slider; the slider and the typed fields give each other's values. Only the
// width decides the scale, so the output always keeps the frames' aspect ratio.
#include <QString>
#include <optional>

namespace outputsize {

struct Fields {
    int width = 0;
    int height = 0;
    bool operator==(const Fields& o) const { return width == o.width && height == o.height; }
};

// Sides narrower than this are never produced by the slider.
inline constexpr int kMinSliderSide = 50;

// The fields the dialog opens with: trunc(W x scale + 0.5) and trunc(H x scale + 0.5).
Fields initialFields(int refWidth, int refHeight, float scale);
// The slider position it opens with: trunc(scale x 100), kept within 1..100.
int initialSliderPosition(float scale);

// Slider at `percent`: w = W x percent / 100 (integer division) and the height
// to match; nothing when either side would be below 50 pixels.
std::optional<Fields> fromSlider(int refWidth, int refHeight, int percent);
// A width typed by the user: wider than W gives W x H, else the height to match.
Fields fromTypedWidth(int refWidth, int refHeight, long long width);
// A height typed by the user: taller than H gives W x H, else the width to match.
Fields fromTypedHeight(int refWidth, int refHeight, long long height);

// The integer value of a digits-only field: empty gives 0, a value too large
// for the field gives a very large number (it is then larger than any side).
long long fieldValue(const QString& text);

// OK: the scale width / W, at most 1; nothing when the width is below 1, or
// when that scale would make H shrink to no pixel row (generation makes
// trunc(H x scale + 0.5) rows): no GIF can be made, so the dialog stays open.
std::optional<float> scaleForWidth(int refWidth, int refHeight, long long width);

}  // namespace outputsize
