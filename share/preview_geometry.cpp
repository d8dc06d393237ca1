// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/preview_geometry.h"

#include <algorithm>

namespace previewgeo {

QSize windowSize(int gifWidth, int gifHeight, int captionHeight, int topBarHeight, int captureHeight)
{
    const int w = std::max(kMinWidth, gifWidth + 60);
    int h = std::max(kMinHeight, gifHeight + 4 * captionHeight);
    h = std::max(h, 3 * topBarHeight + captureHeight);
    return {w, h};
}

QPoint windowPosition(const QRect& topBar)
{
    const int right = topBar.x() + topBar.width();  // the edge, one past the last column
    const int top = topBar.y();
    if (right < 0 || right > 1000 || top < 0 || top > 700)
        return kFallbackPos;
    return {right, top};
}

Layout layoutControls(const QSize& client, int firstButtonHeight, const std::vector<int>& buttonWidths)
{
    const int b = firstButtonHeight + 1;
    const int w = client.width();
    const int h = client.height();
    Layout l;
    l.view = QRect(0, 0, w, std::max(0, h - 2 * b));
    l.info = QRect(5, h - 2 * b, w, b);
    int x = 1;
    for (int bw : buttonWidths) {
        l.buttons.emplace_back(x, h - b);
        x += bw + 1;
    }
    return l;
}

QString infoLine(float sizeKb, int width, int height, int frames)
{
    return QString::asprintf("%.1fK, %d*%d, %d frames", double(sizeKb), width, height, frames);
}

}  // namespace previewgeo
