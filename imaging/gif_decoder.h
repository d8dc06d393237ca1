// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Our own GIF decoder, on two levels:
//
//  * GifDecoder / parseGif: the raw frames of a file, each with its own
//    sub-image, rectangle, delay, disposal method and transparent index, for
//    callers that compose frames themselves (fitting GIF frames into a
//    recording).
//  * decodeGif: the decoder behind RasterImage's decode dispatch. It composes
//    frames the way the animation shows them and fills the animated-GIF
//    interface of RasterImage.
//
// Composition (decodeGif): the canvas is the logical screen and starts fully
// transparent. Before a frame is drawn, its predecessor's disposal is applied:
// 0 or 1 (and the undefined 4-7) keep the canvas, 2 clears the predecessor's
// rectangle to transparent, 3 restores the canvas from before the predecessor
// was drawn. Pixels of a frame's transparent index leave the canvas visible;
// indices beyond the colour table show black.
//
// Pixel format of a composed frame:
//  * 8-bit palette image with the colour table (padded to 256 entries with
//    black) when every frame so far used the same colour table and a palette
//    slot is free for the transparent pixels. Transparent pixels carry that
//    slot as the image's transparent index (the frame's own transparent index
//    when no visible pixel uses it). Without transparent pixels the frame's
//    transparent index is still set when no visible pixel uses it. The
//    transparent slot's palette colour is changed, where needed, to differ
//    from every visible colour, so that after a conversion to 24 bits the
//    transparent colour marks only the transparent pixels.
//  * otherwise a 24-bit image; it has an alpha plane (0 transparent, 255
//    opaque) exactly when some pixel is transparent; transparent pixels are
//    black.
//
// Robustness: the input is never read past its end; a screen or frame side
// above kMaxImageSide, or frames adding up to more than kMaxDecodedBytes, is
// refused with a reason before the memory is allocated. A truncated or
// damaged file yields the frames that decoded completely (a frame is complete
// when its LZW data produced all of its pixels); a file without any complete
// frame is invalid.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/byte_reader.h"
#include "imaging/raster_image.h"

// One image of a GIF file as stored, clipped to the logical screen.
struct GifFrame {
    // Rectangle on the logical screen after clipping; 0 x 0 when the image lies
    // entirely outside the screen (it still counts as a frame).
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The rectangle as the file declares it (before clipping).
    int declaredLeft = 0;
    int declaredTop = 0;
    int declaredWidth = 0;
    int declaredHeight = 0;
    int delay = 0;              // hundredths of a second as stored; 0 without a graphic control
    int disposal = 0;           // raw disposal method 0-7 (0 without a graphic control)
    int transparentIndex = -1;  // -1 when none
    bool interlaced = false;
    bool hasLocalPalette = false;
    // The colour table in effect for this image: its local table, else the
    // global one; may be empty when the file has neither. Indices at or beyond
    // its size show black.
    std::vector<RgbQuad> palette;
    // width * height palette indices of the clipped rectangle, rows top-down
    // (interlacing already undone). Empty when pixels were not kept.
    std::vector<uint8_t> indices;
};

struct GifFile {
    int width = 0;  // logical screen
    int height = 0;
    int backgroundIndex = 0;
    std::vector<RgbQuad> globalPalette;  // empty when none
    int loopCount = -1;                  // -1: no looping extension; 0: forever; n: repeat n times
    std::vector<GifFrame> frames;
    bool truncated = false;  // reading stopped early (damaged or cut-off data)
    std::string stopReason;  // why, when truncated
};

// Reads a GIF frame by frame.
class GifDecoder {
public:
    GifDecoder(const uint8_t* data, size_t size);

    // Header and logical screen. False (with a reason) for a file that is not
    // a GIF, a zero-size screen or a screen side above kMaxImageSide.
    bool readHeader(std::string& error);
    int width() const { return width_; }
    int height() const { return height_; }
    int backgroundIndex() const { return backgroundIndex_; }
    const std::vector<RgbQuad>& globalPalette() const { return globalPalette_; }
    int loopCount() const { return loopCount_; }

    enum class Result {
        Frame,    // a complete frame was read
        End,      // the trailer (or the end of usable data after the last frame)
        Stopped,  // damaged or truncated data: no further frames; see stopReason()
    };
    // Reads the next image. With keepPixels off the LZW data is still decoded
    // and checked, but no indices are stored.
    Result nextFrame(GifFrame& frame, bool keepPixels = true);
    const std::string& stopReason() const { return stopReason_; }
    bool truncated() const { return truncated_; }
    // Bytes of pixel indices nextFrame may keep in all (kMaxDecodedBytes by
    // default); a frame that would go beyond stops reading before it is
    // allocated, and budgetExceeded() turns true.
    void setPixelBudget(uint64_t bytes) { pixelBudget_ = bytes; }
    bool budgetExceeded() const { return budgetExceeded_; }

    // Number of image descriptors found by walking the block structure
    // without decoding pixels (an upper bound of the frames nextFrame gives).
    static int countImages(const uint8_t* data, size_t size);

private:
    Result stop(const std::string& reason);
    bool skipSubBlocks();

    ByteReader in_;
    int width_ = 0;
    int height_ = 0;
    int backgroundIndex_ = 0;
    int loopCount_ = -1;
    std::vector<RgbQuad> globalPalette_;
    std::string stopReason_;
    bool truncated_ = false;
    bool finished_ = false;
    bool budgetExceeded_ = false;
    uint64_t pixelBudget_ = kMaxDecodedBytes;
};

// Every frame of a file with its pixels. False (with a reason) when the header
// is unusable, the frames would exceed kMaxDecodedBytes, or no frame decoded
// completely; a damaged file otherwise gives the frames before the damage
// (file.truncated is then set).
bool parseGif(const uint8_t* data, size_t size, GifFile& file, std::string& error);

// RasterImage's GIF decoder. Honours image.retrieveAllFrames() and
// image.frameIndex() (clamped to the frames present); sets the image to the
// composed requested frame with its delay and transparent index, the type
// code, the number of frames and, with retrieve-all-frames on, every composed
// frame with its delay. On failure the image is invalid and error says why.
bool decodeGif(const uint8_t* data, size_t size, RasterImage& image, std::string& error);
