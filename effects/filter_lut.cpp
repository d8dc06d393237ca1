// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_lut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include "platform/app_paths.h"
#include "platform/data_dirs.h"

QString FilterLut::findFile(int number, const QString& programFolder)
{
    if (number < 1)
        return QString();
    const QString name = QString::number(number) + QStringLiteral(".fff");
    const QString program = programFolder.isEmpty() ? programDir() : programFolder;
    QStringList candidates;
    candidates << program + QStringLiteral("/") + name << program + QStringLiteral("/filters/") + name;
    const QString appData = appDataDir();
    if (!appData.isEmpty())
        candidates << appData + QStringLiteral("/vexlo/") + name;
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    // The shipped pictures of an installed program.
    return findDataFile(QStringLiteral("filters/") + name);
}

std::unique_ptr<FilterLut> FilterLut::load(int number, const QString& programFolder)
{
    if (number < 1)
        return nullptr;
    const QString path = findFile(number, programFolder);
    if (path.isEmpty()) {
        qWarning("filter %d: no file %d.fff found; no filter is applied", number, number);
        return nullptr;
    }
    return loadFile(path);
}

std::unique_ptr<FilterLut> FilterLut::loadFile(const QString& path)
{
    RasterImage picture;
    // The PNG decoder first; decodeFile falls back to detection by content.
    if (!picture.decodeFile(QFile::encodeName(path).toStdString(), ImageTypePng)) {
        qWarning("filter file %s cannot be decoded (%s); no filter is applied", qPrintable(path),
                 picture.lastError().c_str());
        return nullptr;
    }
    return fromImage(picture);
}

std::unique_ptr<FilterLut> FilterLut::fromImage(const RasterImage& picture)
{
    if (!picture.isValid())
        return nullptr;
    std::unique_ptr<FilterLut> lut(new FilterLut);
    lut->width_ = picture.width();
    lut->height_ = picture.height();
    lut->cube_.resize(size_t(64) * 64 * 64 * 3);
    const RgbQuad outside = picture.getColor(0, picture.height() - 1);
    for (int b6 = 0; b6 < 64; ++b6) {
        const int tileX = 64 * (b6 % 8);
        const int tileY = 64 * (b6 / 8);
        for (int g6 = 0; g6 < 64; ++g6) {
            const int y = g6 + tileY;
            for (int r6 = 0; r6 < 64; ++r6) {
                const int x = r6 + tileX;
                const bool inside = x < lut->width_ && y < lut->height_;
                const RgbQuad c = inside ? picture.getColor(x, y) : outside;
                uint8_t* e = &lut->cube_[((size_t(b6) << 12) | (size_t(g6) << 6) | size_t(r6)) * 3];
                e[0] = c.blue;
                e[1] = c.green;
                e[2] = c.red;
            }
        }
    }
    return lut;
}

RgbQuad FilterLut::lookup(uint8_t red, uint8_t green, uint8_t blue) const
{
    const uint8_t* e = &cube_[cubeIndex(red, green, blue) * 3];
    return RgbQuad{e[0], e[1], e[2], 0};
}

void FilterLut::apply(RasterImage& image) const
{
    if (!image.isValid())
        return;
    if (image.isPalette()) {
        for (int i = 0; i < image.paletteSize(); ++i) {
            RgbQuad c = image.palette()[i];
            const RgbQuad n = lookup(c.red, c.green, c.blue);
            c.red = n.red;
            c.green = n.green;
            c.blue = n.blue;
            image.setPaletteEntry(i, c);
        }
        return;
    }
    const int w = image.width();
    const uint8_t* cube = cube_.data();
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        uint8_t* end = p + size_t(w) * 3;
        for (; p < end; p += 3) {
            const uint8_t* e = cube + cubeIndex(p[2], p[1], p[0]) * 3;
            p[0] = e[0];
            p[1] = e[1];
            p[2] = e[2];
        }
    }
}
