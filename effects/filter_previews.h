// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The sixteen entries of the filter list: "原图" and filters 1 to 15, each
// with the shown frame as that filter makes it. Each entry is made from its
// own full copy of the frame, with the filter's lookup picture loaded for it
// and released at once; the entries are independent, so they are made on all
// cores. A filter whose file does not load gets the placeholder picture and is
// not available.
//
// The list shows every preview shrunk to its thumbnail box, so each entry
// keeps only that thumbnail (scaled down with its aspect ratio kept when
// larger than the box, at its own size otherwise), not the full-size copy.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class FilterLut;
class RasterImage;

// Loads filter n (1 to 15), or gives nothing; called from several threads at
// once. An empty loader means FilterLut::load.
using FilterLoader = std::function<std::unique_ptr<FilterLut>(int number)>;

struct FilterPreview {
    int number = 0;          // 0 .. 15
    bool available = false;  // "原图" always; a filter when its file loaded
    QImage thumbnail;        // null when there was no frame to show
    QString label;
};

class FilterPreviews {
public:
    static constexpr int kEntryCount = 16;

    // The labels by filter number ("原图", "滤镜1: 阿宝色", ...).
    static QString label(int number);
    // The picture shown for a filter that does not load.
    static QImage placeholder(const QSize& box);
    // Fits `size` into `box`: scaled down keeping the aspect ratio when it is
    // larger, unchanged when it fits.
    static QSize fitted(const QSize& size, const QSize& box);

    // The sixteen entries for `frame` (null: no frame, entries without
    // thumbnails). `box` is the space a thumbnail may take; an empty box
    // keeps the previews at full size.
    static std::vector<FilterPreview> make(const RasterImage* frame, const QSize& box, int threads,
                                           const FilterLoader& loader = FilterLoader());
};
