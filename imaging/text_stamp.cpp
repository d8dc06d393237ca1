// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Stamping text into a RasterImage: the text is rendered white on black into a
// box-sized picture with Qt, then every box pixel whose blue is not 0 takes the
// full text colour (so anti-aliased glyph edges are solid).
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtGlobal>
#include <algorithm>

#include "imaging/raster_image.h"

namespace {

const int kTextFlags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;

bool haveGuiApplication()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    qWarning("text stamping needs a QGuiApplication");
    return false;
}

// The face (first 31 characters), height (negative: character height in pixels),
// weight, italic and underline; the default interface font when the face is not
// available.
QFont makeFont(const StampFont& spec)
{
    QFont font = QGuiApplication::font();
    const QString face = QString::fromStdString(spec.face).left(31);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        font.setFamily(face);
    if (spec.height != 0) {
        const int px = spec.height < 0 ? -spec.height : spec.height;
        font.setPixelSize(std::clamp(px, 1, 4096));
    }
    if (spec.weight > 0)
        font.setWeight(QFont::Weight(std::clamp(spec.weight, 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    return font;
}

QSize measure(const QString& text, const QFont& font)
{
    const QFontMetrics fm(font);
    return fm.size(Qt::TextShowMnemonic, text);
}

// The part of a w x h box that lands inside the image: box columns c0 .. c1 - 1
// and rows r0 .. r1 - 1 (rows from the box's top). Box row r lands on image row
// y - (h - 1 - r), column c on x + c.
struct VisiblePart {
    int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    bool empty() const { return c0 >= c1 || r0 >= r1; }
};

VisiblePart visiblePart(const RasterImage& image, int x, int y, int w, int h)
{
    VisiblePart v;
    v.c0 = int(std::clamp<int64_t>(-int64_t(x), 0, w));
    v.c1 = int(std::clamp<int64_t>(int64_t(image.width()) - x, 0, w));
    const int64_t top = int64_t(y) - (h - 1);  // image row of box row 0
    v.r0 = int(std::clamp<int64_t>(-top, 0, h));
    v.r1 = int(std::clamp<int64_t>(int64_t(image.height()) - top, 0, h));
    return v;
}

// Renders `text` white on black as into a w x h box, keeping only the visible
// part (a long text far beyond the image costs no memory for what is cut off).
QImage renderBox(const QString& text, const QFont& font, int w, int h, const VisiblePart& v)
{
    QImage box(v.c1 - v.c0, v.r1 - v.r0, QImage::Format_RGB32);
    if (box.isNull())
        return box;
    box.fill(Qt::black);
    QPainter p(&box);
    p.setFont(font);
    p.setPen(Qt::white);
    p.translate(-v.c0, -v.r0);
    p.drawText(QRect(0, 0, w, h), kTextFlags, text);
    p.end();
    return box;
}

template <typename Fn>
void forEachBoxPixel(int x, int y, int h, const VisiblePart& v, Fn fn)
{
    for (int r = v.r0; r < v.r1; ++r)
        for (int c = v.c0; c < v.c1; ++c)
            fn(c - v.c0, r - v.r0, x + c, y - (h - 1 - r));
}

void putColour(RasterImage& image, int x, int y, const RgbQuad& colour)
{
    if (image.isPalette()) {
        image.setColor(x, y, colour);
        return;
    }
    uint8_t* p = image.row(y) + size_t(x) * 3;
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

bool stamp(RasterImage& image, int x, int y, const std::string& utf8Text, ColorRef colour,
           const StampFont& fontSpec, bool boxed, ColorRef background)
{
    if (!image.isValid())
        return true;
    if (!haveGuiApplication())
        return false;
    const QString text = QString::fromUtf8(utf8Text.data(), int(utf8Text.size()));
    const QFont font = makeFont(fontSpec);
    const QSize size = measure(text, font);
    int w = size.width();
    const int h = size.height();
    if (!boxed)
        w += h;  // room for italic overhang
    if (w <= 0 || h <= 0)
        return true;
    const VisiblePart visible = visiblePart(image, x, y, w, h);
    if (visible.empty())
        return true;  // the whole box falls outside the image
    const QImage box = renderBox(text, font, w, h, visible);
    if (box.isNull())
        return false;
    if (boxed) {
        const RgbQuad bg = rgbQuadFromColorRef(background);
        forEachBoxPixel(x, y, h, visible, [&](int, int, int ix, int iy) { putColour(image, ix, iy, bg); });
    }
    const RgbQuad fg = rgbQuadFromColorRef(colour);
    forEachBoxPixel(x, y, h, visible, [&](int c, int r, int ix, int iy) {
        const QRgb px = reinterpret_cast<const QRgb*>(box.constScanLine(r))[c];
        if (qBlue(px) != 0)
            putColour(image, ix, iy, fg);
    });
    return true;
}

}  // namespace

bool stampText(RasterImage& image, int x, int y, const std::string& utf8Text, ColorRef colour,
               const StampFont& font)
{
    return stamp(image, x, y, utf8Text, colour, font, false, 0);
}

bool stampBoxedText(RasterImage& image, int x, int y, const std::string& utf8Text, ColorRef colour,
                    const StampFont& font, ColorRef background)
{
    return stamp(image, x, y, utf8Text, colour, font, true, background);
}

bool measureStampText(const std::string& utf8Text, const StampFont& font, int& boxWidth, int& boxHeight)
{
    boxWidth = boxHeight = 0;
    if (!haveGuiApplication())
        return false;
    const QSize size = measure(QString::fromUtf8(utf8Text.data(), int(utf8Text.size())), makeFont(font));
    boxWidth = size.width();
    boxHeight = size.height();
    return true;
}
