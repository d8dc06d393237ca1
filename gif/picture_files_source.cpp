// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/picture_files_source.h"

#include <QtDebug>
#include <algorithm>

#include "imaging/raster_image.h"

PictureFilesSource::PictureFilesSource(std::vector<std::string> files, std::unique_ptr<RasterImage> first,
                                       int delay)
    : files_(std::move(files)), first_(std::move(first)), delay_(delay)
{
    if (first_ && first_->isValid()) {
        width_ = first_->width();
        height_ = first_->height();
    }
}

PictureFilesSource::~PictureFilesSource() = default;

std::unique_ptr<RasterImage> PictureFilesSource::decodePicture(const std::string& path, std::string* error)
{
    std::vector<uint8_t> scratch;
    return decodePicture(path, error, scratch);
}

std::unique_ptr<RasterImage> PictureFilesSource::decodePicture(const std::string& path, std::string* error,
                                                               std::vector<uint8_t>& scratch)
{
    auto picture = std::make_unique<RasterImage>();
    if (!picture->decodeFile(path, imageTypeFromPath(path), scratch) || !picture->isValid()) {
        if (error != nullptr)
            *error = picture->lastError().empty() ? "cannot decode the picture" : picture->lastError();
        return nullptr;
    }
    if (!picture->increaseTo24Bits()) {
        if (error != nullptr)
            *error = "cannot convert the picture to 24 bits";
        return nullptr;
    }
    picture->setFlags(1);
    return picture;
}

std::unique_ptr<RasterImage> PictureFilesSource::fitPicture(const RasterImage& picture, int width, int height)
{
    auto canvas = RasterImage::make(width, height, 24);
    if (!canvas)
        return nullptr;
    for (int y = 0; y < height; ++y)
        std::fill_n(canvas->row(y), size_t(width) * 3, uint8_t(0));

    const int w = picture.width();
    const int h = picture.height();
    const double rx = double(w) / width;
    const double ry = double(h) / height;
    int fw = w;
    int fh = h;
    if (!(rx < 1 && ry < 1)) {
        if (rx > ry) {
            fw = width;
            fh = std::max(1, int(h / rx));
        } else {
            fw = std::max(1, int(w / ry));
            fh = height;
        }
    }
    const RasterImage* placed = &picture;
    RasterImage scaled;
    if (fw != w || fh != h) {
        scaled = picture;
        if (!scaled.resampleSmooth(fw, fh))
            return nullptr;
        placed = &scaled;
    }
    const int left = (width - fw) / 2;
    const int bottom = (height - fh) / 2;
    blendImage(*canvas, *placed, left, height - fh - bottom, BlendMode::CopyUnlessTransparent);
    canvas->setFlags(1);
    return canvas;
}

const RasterImage* PictureFilesSource::image(int i, std::unique_ptr<RasterImage>& owned)
{
    if (i < 0 || i >= count())
        return nullptr;
    std::unique_ptr<RasterImage> picture;
    if (i == 0 && first_) {
        picture = std::move(first_);
    } else {
        // The files are read into buffers handed from picture to picture, so
        // that the heap does not fill with holes of file size between the
        // pictures that are kept.
        std::vector<uint8_t> scratch = freeScratch_.take();
        std::string reason;
        picture = decodePicture(files_[size_t(i)], &reason, scratch);
        freeScratch_.give(std::move(scratch));
        if (!picture) {
            fail(i, reason);
            return nullptr;
        }
    }
    if (picture->width() != width_ || picture->height() != height_) {
        picture = fitPicture(*picture, width_, height_);
        if (!picture) {
            fail(i, "cannot fit the picture into the frame");
            return nullptr;
        }
    }
    owned = std::move(picture);
    return owned.get();
}

void PictureFilesSource::fail(int i, const std::string& reason)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (failureIndex_ < 0 || i < failureIndex_) {
        failureIndex_ = i;
        failure_ = files_[size_t(i)] + ": " + reason;
    }
}

int PictureFilesSource::fatalRecord() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failureIndex_;
}

std::string PictureFilesSource::failure() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}
