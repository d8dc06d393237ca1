// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Picture files as a generation source (the command line's input): every file
// becomes one frame with the same delay. The first picture's size is the frame
// size; a picture of another size is fitted onto a black frame-sized canvas the
// way the editor inserts pictures: kept as it is when it is smaller on both
// sides, otherwise scaled (bicubic) to fit with its aspect ratio kept, and
// centred (an odd remainder goes to the right and to the top); its transparent
// pixels leave the canvas black.
//
// Pictures are decoded when composition asks for them, on the generation's
// threads. A picture that cannot be decoded is left out and remembered
// (failure()), so the caller can refuse the whole input.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "gif/generation_source.h"
#include "gif/object_pool.h"

class PictureFilesSource : public GenerationSource {
public:
    // `first` is the decoded first file (it fixes the frame size); it is handed
    // over as frame 0.
    PictureFilesSource(std::vector<std::string> files, std::unique_ptr<RasterImage> first, int delay);
    ~PictureFilesSource() override;

    // Decodes one picture as 24 bits; null with `error` set when it fails.
    static std::unique_ptr<RasterImage> decodePicture(const std::string& path, std::string* error);
    // The same, reading the file into `scratch` (kept for the next one).
    static std::unique_ptr<RasterImage> decodePicture(const std::string& path, std::string* error,
                                                      std::vector<uint8_t>& scratch);
    // Fits `picture` into width x height as described above.
    static std::unique_ptr<RasterImage> fitPicture(const RasterImage& picture, int width, int height);

    int count() const override { return int(files_.size()); }
    int frameWidth() const override { return width_; }
    int frameHeight() const override { return height_; }
    bool included(int) const override { return true; }
    int delay(int) const override { return delay_; }
    const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) override;

    int fatalRecord() const override;

    // The failure of the earliest picture in order that failed ("file:
    // reason"), whichever thread met it first; empty when every picture
    // decoded.
    std::string failure() const;

private:
    // Notes the failure of picture i, unless an earlier picture failed.
    void fail(int i, const std::string& reason);

    std::vector<std::string> files_;
    std::unique_ptr<RasterImage> first_;
    int width_ = 0;
    int height_ = 0;
    int delay_ = 5;
    mutable std::mutex mutex_;
    std::string failure_;                           // guarded by mutex_
    int failureIndex_ = -1;                         // the picture failure_ is of; guarded by mutex_
    ObjectPool<std::vector<uint8_t>> freeScratch_;  // file buffers not in use
};
