// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_renderer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cstdlib>

#include "imaging/raster_image.h"

namespace {
// Fonts taller than this cannot be made; the default interface font is used.
constexpr int kMaxFontPixels = 2048;
// The widest outline reaches this far around the text.
constexpr int kOutlineReach = 3;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
}  // namespace

// The part of the w + h by h mask that can land on a frame of a given size,
// for any of the pass offsets: columns i0 .. i0 + width - 1, rows j0 .. .
struct CaptionRenderer::Mask {
    int i0 = 0;
    int j0 = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> on;  // width * height, 1 where the rendered blue is not 0
};

QFont CaptionRenderer::captionFont(const CaptionFont& cf)
{
    const int pixels = std::abs(cf.height);
    if (pixels > kMaxFontPixels || cf.weight < 0 || cf.weight > 1000) {
        qWarning("caption font %s of height %d and weight %d cannot be made; using the default font",
                 qPrintable(cf.face()), cf.height, cf.weight);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!cf.face().isEmpty())
        font.setFamilies({cf.face()});
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setWeight(QFont::Weight(std::clamp(cf.weight == 0 ? 400 : cf.weight, 1, 1000)));
    font.setItalic(cf.italic != 0);
    font.setUnderline(cf.underline != 0);
    return font;
}

CaptionRenderer::CaptionRenderer(const CaptionItem& caption)
    : font_(captionFont(caption.font)),
      text_(caption.text()),
      x_(caption.x),
      y_(caption.y),
      style_(caption.backgroundStyle),
      textColor_(caption.textColor),
      backgroundColor_(caption.backgroundColor)
{
    const QSize size = QFontMetrics(font_).size(Qt::TextShowMnemonic, text_);
    w_ = std::max(0, size.width());
    h_ = std::max(0, size.height());
}

CaptionRenderer::~CaptionRenderer() = default;

std::shared_ptr<const CaptionRenderer::Mask> CaptionRenderer::maskFor(int frameWidth, int frameHeight) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto key = std::make_pair(frameWidth, frameHeight);
    auto found = masks_.find(key);
    if (found != masks_.end())
        return found->second;

    auto mask = std::make_shared<Mask>();
    // Mask column i lands on frame column px + i and mask row j on frame row
    // py - (h - 1) + j, with px, py within kOutlineReach of x, y. Only the
    // mask pixels that can land inside the frame are rendered, which keeps
    // long or far-off captions cheap.
    const int64_t maskW = int64_t(w_) + h_;
    const int64_t i0 = std::max<int64_t>(0, -int64_t(x_) - kOutlineReach);
    const int64_t i1 = std::min<int64_t>(maskW, int64_t(frameWidth) - x_ + kOutlineReach);
    const int64_t j0 = std::max<int64_t>(0, int64_t(h_) - 1 - y_ - kOutlineReach);
    const int64_t j1 = std::min<int64_t>(h_, int64_t(frameHeight) + h_ - 1 - y_ + kOutlineReach);
    if (i1 > i0 && j1 > j0) {
        mask->i0 = int(i0);
        mask->j0 = int(j0);
        mask->width = int(i1 - i0);
        mask->height = int(j1 - j0);
        QImage image(mask->width, mask->height, QImage::Format_RGB32);
        if (image.isNull()) {
            qWarning("caption mask of %d x %d pixels cannot be made", mask->width, mask->height);
            mask->width = mask->height = 0;
        } else {
            image.fill(Qt::black);
            {
                QPainter painter(&image);
                painter.setFont(font_);
                painter.setPen(Qt::white);
                painter.translate(-mask->i0, -mask->j0);
                painter.drawText(QRect(0, 0, int(maskW), h_), kTextFlags, text_);
            }
            mask->on.resize(size_t(mask->width) * size_t(mask->height));
            for (int j = 0; j < mask->height; ++j) {
                const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(j));
                uint8_t* out = mask->on.data() + size_t(j) * size_t(mask->width);
                for (int i = 0; i < mask->width; ++i)
                    out[i] = qBlue(line[i]) != 0 ? 1 : 0;
            }
        }
    }
    masks_.emplace(key, mask);
    return mask;
}

namespace {
void putPixel(uint8_t* row, int x, ColorRef c)
{
    uint8_t* p = row + size_t(x) * 3;
    p[0] = uint8_t(colorRefBlue(c));
    p[1] = uint8_t(colorRefGreen(c));
    p[2] = uint8_t(colorRefRed(c));
}
}  // namespace

void CaptionRenderer::draw(RasterImage& frame) const
{
    if (!frame.isValid() || frame.depth() != 24)
        return;
    const int fw = frame.width();
    const int fh = frame.height();
    const std::shared_ptr<const Mask> mask = maskFor(fw, fh);

    // One text pass at (px, py) in colour c, using mask columns below `columns`
    // (64-bit positions: a caption may sit at the end of the int range).
    auto pass = [&](int64_t px, int64_t py, ColorRef c, int64_t columns) {
        for (int j = 0; j < mask->height; ++j) {
            const int64_t fy = py - (h_ - 1) + mask->j0 + j;
            if (fy < 0 || fy >= fh)
                continue;
            uint8_t* row = frame.row(int(fy));
            const uint8_t* on = mask->on.data() + size_t(j) * size_t(mask->width);
            for (int i = 0; i < mask->width; ++i) {
                if (!on[i] || mask->i0 + i >= columns)
                    continue;
                const int64_t fx = px + mask->i0 + i;
                if (fx >= 0 && fx < fw)
                    putPixel(row, int(fx), c);
            }
        }
    };
    const int64_t allColumns = int64_t(w_) + h_;

    switch (style_) {
        case CaptionBackgroundBox: {
            // The w x h block whose bottom-left pixel is (x, y); the italic margin
            // of the mask is not part of it, and the text is cut to it.
            const int64_t top = std::max<int64_t>(0, int64_t(y_) - h_ + 1);
            const int64_t bottom = std::min<int64_t>(fh - 1, y_);
            const int64_t left = std::max<int64_t>(0, x_);
            const int64_t right = std::min<int64_t>(fw - 1, int64_t(x_) + w_ - 1);
            for (int64_t r = top; r <= bottom; ++r) {
                uint8_t* row = frame.row(int(r));
                for (int64_t c = left; c <= right; ++c)
                    putPixel(row, int(c), backgroundColor_);
            }
            pass(x_, y_, textColor_, w_);
            break;
        }
        case CaptionBackgroundThinOutline:
        case CaptionBackgroundThickOutline: {
            const int reach = style_ == CaptionBackgroundThinOutline ? 1 : 3;
            for (int dx = -reach; dx <= reach; ++dx)
                for (int dy = -reach; dy <= reach; ++dy)
                    pass(int64_t(x_) + dx, int64_t(y_) + dy, backgroundColor_, allColumns);
            pass(x_, y_, textColor_, allColumns);
            break;
        }
        default:
            pass(x_, y_, textColor_, allColumns);
            break;
    }
}

void CaptionRenderer::drawOnFrame(RasterImage& frame, const CaptionItem& caption)
{
    CaptionRenderer(caption).draw(frame);
}
