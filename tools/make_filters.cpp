// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Writes the colour filter lookup pictures res/filters/1.fff ... 15.fff.
//
//   make_filters OUTPUT_FOLDER
//
// Each file is a 512 × 512 PNG holding a 64 × 64 × 64 colour cube: tile t (the
// blue level) of an 8 × 8 grid of 64 × 64 tiles lies in tile column t mod 8 and
// tile row t div 8 (rows from the top); inside a tile the column is the red level
// and the row the green level. Level k stands for the colour value k × 255 / 63.
// Every filter is a small colour transform chosen to fit its name.
#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

struct Rgb {
    double r, g, b;
};

double clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
double luma(const Rgb& c)
{
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

Rgb saturate(Rgb c, double s)
{
    const double l = luma(c);
    return {l + (c.r - l) * s, l + (c.g - l) * s, l + (c.b - l) * s};
}

double contrast(double v, double k, double pivot = 0.5)
{
    return (v - pivot) * k + pivot;
}
Rgb contrast(Rgb c, double k)
{
    return {contrast(c.r, k), contrast(c.g, k), contrast(c.b, k)};
}

double gammaCurve(double v, double g)
{
    return std::pow(clamp01(v), g);
}
Rgb gammaCurve(Rgb c, double g)
{
    return {gammaCurve(c.r, g), gammaCurve(c.g, g), gammaCurve(c.b, g)};
}

// Black point lifted to `lift`, white point lowered to `top`.
Rgb fade(Rgb c, double lift, double top = 1.0)
{
    auto f = [&](double v) { return lift + (top - lift) * v; };
    return {f(c.r), f(c.g), f(c.b)};
}

// Smooth S-curve of strength k (0 = none).
double sCurve(double v, double k)
{
    v = clamp01(v);
    const double s = v * v * (3 - 2 * v);
    return v + (s - v) * k;
}

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Shadows pushed toward `shadow`, highlights toward `highlight`.
Rgb splitTone(Rgb c, const Rgb& shadow, const Rgb& highlight, double amount)
{
    const double l = clamp01(luma(c));
    const double ws = (1 - l) * (1 - l) * amount;
    const double wh = l * l * amount;
    return {c.r + (shadow.r - 0.5) * ws + (highlight.r - 0.5) * wh,
            c.g + (shadow.g - 0.5) * ws + (highlight.g - 0.5) * wh,
            c.b + (shadow.b - 0.5) * ws + (highlight.b - 0.5) * wh};
}

// Hue, saturation, value (h in degrees).
void toHsv(const Rgb& c, double& h, double& s, double& v)
{
    const double mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
    v = mx;
    const double d = mx - mn;
    s = mx > 0 ? d / mx : 0;
    if (d <= 0) {
        h = 0;
        return;
    }
    if (mx == c.r)
        h = 60 * std::fmod((c.g - c.b) / d + 6, 6.0);
    else if (mx == c.g)
        h = 60 * ((c.b - c.r) / d + 2);
    else
        h = 60 * ((c.r - c.g) / d + 4);
}

Rgb fromHsv(double h, double s, double v)
{
    h = std::fmod(h + 360, 360.0);
    const double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60, 2.0) - 1)), m = v - c;
    Rgb o{0, 0, 0};
    if (h < 60)
        o = {c, x, 0};
    else if (h < 120)
        o = {x, c, 0};
    else if (h < 180)
        o = {0, c, x};
    else if (h < 240)
        o = {0, x, c};
    else if (h < 300)
        o = {x, 0, c};
    else
        o = {c, 0, x};
    return {o.r + m, o.g + m, o.b + m};
}

// Hues near `centre` (within `width` degrees) are turned by up to `shift` degrees.
Rgb shiftHue(Rgb c, double centre, double width, double shift)
{
    double h, s, v;
    toHsv({clamp01(c.r), clamp01(c.g), clamp01(c.b)}, h, s, v);
    double d = std::fabs(h - centre);
    d = std::min(d, 360 - d);
    if (d >= width || s <= 0)
        return c;
    const double w = 1 - d / width;
    return fromHsv(h + shift * w * w, s, v);
}

using Transform = std::function<Rgb(Rgb)>;

struct Filter {
    const char* name;
    Transform apply;
};

const Filter kFilters[15] = {
    {"阿宝色",  // soft, bright, greens turned cyan, skin slightly pink
     [](Rgb c) {
         c = shiftHue(c, 100, 70, 55);
         c = gammaCurve(c, 0.85);
         c = saturate(c, 0.82);
         c = splitTone(c, {0.45, 0.52, 0.56}, {0.56, 0.48, 0.53}, 0.35);
         return fade(c, 0.04);
     }},
    {"哥特风",  // dark, cold, hard and nearly colourless
     [](Rgb c) {
         c = saturate(c, 0.3);
         c = contrast(c, 1.35);
         c = gammaCurve(c, 1.3);
         return splitTone(c, {0.42, 0.44, 0.62}, {0.5, 0.5, 0.55}, 0.5);
     }},
    {"复古lomo",  // cross-processed: strong red and green curves, flat lifted blue
     [](Rgb c) {
         c = {sCurve(c.r, 0.9), sCurve(c.g, 0.6), 0.16 + 0.68 * c.b};
         c = saturate(c, 1.2);
         return splitTone(c, {0.4, 0.45, 0.62}, {0.62, 0.6, 0.38}, 0.4);
     }},
    {"复古",  // faded warm print
     [](Rgb c) {
         const Rgb sepia{0.393 * c.r + 0.769 * c.g + 0.189 * c.b, 0.349 * c.r + 0.686 * c.g + 0.168 * c.b,
                         0.272 * c.r + 0.534 * c.g + 0.131 * c.b};
         c = mix(c, sepia, 0.55);
         c = contrast(c, 0.88);
         return fade(c, 0.07, 0.94);
     }},
    {"古铜",  // bronze monochrome
     [](Rgb c) {
         const double l = clamp01(sCurve(luma(c), 0.3));
         const Rgb dark{0.1, 0.06, 0.03}, mid{0.7, 0.46, 0.24}, light{1.0, 0.93, 0.8};
         return l < 0.5 ? mix(dark, mid, l * 2) : mix(mid, light, (l - 0.5) * 2);
     }},
    {"粉红佳人",  // rosy and light
     [](Rgb c) {
         c = gammaCurve(c, 0.9);
         c = {c.r + 0.1 * (1 - c.r), c.g * 0.95, c.b + 0.06 * (1 - c.b)};
         return splitTone(saturate(c, 0.95), {0.56, 0.44, 0.52}, {0.58, 0.47, 0.52}, 0.4);
     }},
    {"淡雅",  // pale, quiet colours
     [](Rgb c) {
         c = saturate(c, 0.5);
         c = contrast(c, 0.8);
         c = gammaCurve(c, 0.9);
         return fade(c, 0.06);
     }},
    {"暖化",  // warmer white balance
     [](Rgb c) {
         c = {c.r * 1.08 + 0.03, c.g * 1.02 + 0.01, c.b * 0.84};
         return saturate(c, 1.05);
     }},
    {"青阶",  // cyan-teal cast, reds held back
     [](Rgb c) {
         c = {c.r * 0.84, c.g * 1.02 + 0.02, c.b * 1.06 + 0.04};
         c = saturate(c, 0.9);
         return splitTone(c, {0.34, 0.56, 0.6}, {0.46, 0.53, 0.54}, 0.55);
     }},
    {"艳丽",  // vivid
     [](Rgb c) {
         c = saturate(c, 1.55);
         return contrast(c, 1.12);
     }},
    {"金黄",  // golden light
     [](Rgb c) {
         c = {c.r * 1.06 + 0.06, c.g * 1.0 + 0.03, c.b * 0.68};
         c = saturate(c, 1.1);
         return splitTone(c, {0.55, 0.5, 0.4}, {0.62, 0.56, 0.38}, 0.45);
     }},
    {"蓝调",  // blue mood
     [](Rgb c) {
         c = {c.r * 0.86, c.g * 0.95, c.b * 1.1 + 0.07};
         c = saturate(c, 0.85);
         return splitTone(c, {0.4, 0.45, 0.66}, {0.48, 0.5, 0.56}, 0.5);
     }},
    {"日系",  // airy: bright, soft, lifted shadows, slightly cool
     [](Rgb c) {
         c = gammaCurve(c, 0.78);
         c = contrast(c, 0.85);
         c = saturate(c, 0.78);
         c = {c.r * 0.97, c.g, c.b * 1.03 + 0.02};
         return fade(c, 0.08);
     }},
    {"新日系",  // bright and clean, cyan greens, warm highlights, cool shadows
     [](Rgb c) {
         c = shiftHue(c, 110, 60, 35);
         c = gammaCurve(c, 0.85);
         c = saturate(c, 0.9);
         c = splitTone(c, {0.44, 0.52, 0.58}, {0.55, 0.51, 0.46}, 0.4);
         return fade(c, 0.05);
     }},
    {"经典影楼",  // studio portrait: soft glowing highlights, warm skin
     [](Rgb c) {
         c = {1 - std::pow(1 - clamp01(c.r), 1.25), 1 - std::pow(1 - clamp01(c.g), 1.25),
              1 - std::pow(1 - clamp01(c.b), 1.25)};
         c = {c.r * 1.04, c.g, c.b * 0.96};
         c = saturate(c, 0.9);
         c = contrast(c, 1.05);
         return splitTone(c, {0.5, 0.48, 0.5}, {0.54, 0.5, 0.52}, 0.3);
     }},
};

int toByte(double v)
{
    return int(std::lround(clamp01(v) * 255.0));
}

QImage makeCube(const Transform& transform)
{
    QImage image(512, 512, QImage::Format_RGB888);
    for (int b6 = 0; b6 < 64; ++b6) {
        for (int g6 = 0; g6 < 64; ++g6) {
            uchar* line = image.scanLine(g6 + 64 * (b6 / 8));
            for (int r6 = 0; r6 < 64; ++r6) {
                const Rgb out = transform({r6 / 63.0, g6 / 63.0, b6 / 63.0});
                uchar* p = line + 3 * (r6 + 64 * (b6 % 8));
                p[0] = uchar(toByte(out.r));
                p[1] = uchar(toByte(out.g));
                p[2] = uchar(toByte(out.b));
            }
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_filters OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_filters: cannot create %s\n", argv[1]);
        return 2;
    }
    for (int n = 1; n <= 15; ++n) {
        const QString path = folder + QStringLiteral("/%1.fff").arg(n);
        if (!makeCube(kFilters[n - 1].apply).save(path, "PNG", 9)) {
            std::fprintf(stderr, "make_filters: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s  %s\n", qPrintable(path), kFilters[n - 1].name);
    }
    return 0;
}
