// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/gif_decoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "imaging/gif_canvas.h"
#include "imaging/gif_composer.h"

namespace {

constexpr int kMaxCodes = 4096;

std::vector<RgbQuad> readColourTable(ByteReader& in, int entries)
{
    std::vector<RgbQuad> table;
    const uint8_t* p = in.bytes(size_t(entries) * 3);
    if (!p)
        return table;
    table.resize(size_t(entries));
    for (int i = 0; i < entries; ++i)
        table[size_t(i)] = RgbQuad{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0};
    return table;
}

// Hands the decoded pixel stream of one image to its clipped rectangle,
// undoing interlacing. Pixels beyond the image's own size are ignored.
class PixelSink {
public:
    PixelSink(const GifFrame& f, uint8_t* out)
        : out_(out),
          width_(f.declaredWidth),
          height_(f.declaredHeight),
          interlaced_(f.interlaced),
          clipX0_(f.left - f.declaredLeft),
          clipX1_(f.left - f.declaredLeft + f.width),
          clipY0_(f.top - f.declaredTop),
          clipY1_(f.top - f.declaredTop + f.height),
          clipWidth_(f.width),
          total_(uint64_t(f.declaredWidth) * uint64_t(f.declaredHeight))
    {
    }
    bool full() const { return produced_ >= total_; }
    void put(const uint8_t* s, int n)
    {
        while (n > 0 && !full()) {
            const int run = std::min(n, width_ - col_);
            if (out_ && row_ >= clipY0_ && row_ < clipY1_) {
                const int a = std::max(col_, clipX0_);
                const int b = std::min(col_ + run, clipX1_);
                if (a < b)
                    std::memcpy(out_ + size_t(row_ - clipY0_) * size_t(clipWidth_) + size_t(a - clipX0_),
                                s + (a - col_), size_t(b - a));
            }
            s += run;
            n -= run;
            col_ += run;
            produced_ += uint64_t(run);
            if (col_ == width_) {
                col_ = 0;
                nextRow();
            }
        }
    }

private:
    void nextRow()
    {
        if (!interlaced_) {
            ++row_;
            return;
        }
        static const int kStart[4] = {0, 4, 2, 1};
        static const int kStep[4] = {8, 8, 4, 2};
        row_ += kStep[pass_];
        while (row_ >= height_ && pass_ < 3) {
            ++pass_;
            row_ = kStart[pass_];
        }
    }

    uint8_t* out_;
    int width_;
    int height_;
    bool interlaced_;
    int clipX0_, clipX1_, clipY0_, clipY1_, clipWidth_;
    uint64_t total_;
    uint64_t produced_ = 0;
    int row_ = 0;
    int col_ = 0;
    int pass_ = 0;
};

// Reads the image data sub-blocks as a bit stream, LSB first.
class SubBlockBits {
public:
    explicit SubBlockBits(ByteReader& in) : in_(in) {}
    // -1 at the end of the data (terminator or end of file).
    int read(int bits)
    {
        while (count_ < bits) {
            if (blockLeft_ == 0) {
                if (ended_)
                    return -1;
                const uint8_t len = in_.u8();
                if (!in_.ok()) {
                    ended_ = true;
                    cutOff_ = true;
                    return -1;
                }
                if (len == 0) {
                    ended_ = true;
                    terminated_ = true;
                    return -1;
                }
                blockLeft_ = len;
            }
            const uint8_t b = in_.u8();
            if (!in_.ok()) {
                ended_ = true;
                cutOff_ = true;
                return -1;
            }
            --blockLeft_;
            buffer_ |= uint32_t(b) << count_;
            count_ += 8;
        }
        const int v = int(buffer_ & ((1u << bits) - 1));
        buffer_ >>= bits;
        count_ -= bits;
        return v;
    }
    // Skips what is left of the data up to and including the terminator.
    // False when the file ends first.
    bool finish()
    {
        if (cutOff_)
            return false;
        if (terminated_)
            return true;
        if (!in_.skip(blockLeft_))
            return false;
        blockLeft_ = 0;
        for (;;) {
            const uint8_t len = in_.u8();
            if (!in_.ok())
                return false;
            if (len == 0)
                return true;
            if (!in_.skip(len))
                return false;
        }
    }

private:
    ByteReader& in_;
    uint32_t buffer_ = 0;
    int count_ = 0;
    int blockLeft_ = 0;
    bool ended_ = false;
    bool terminated_ = false;
    bool cutOff_ = false;
};

enum class LzwResult { Complete, Short, BadCode };

// Decodes LZW codes into the sink until the image is full, the end code, or
// the end of the data.
LzwResult decodeLzw(SubBlockBits& bits, int minCodeSize, PixelSink& sink)
{
    uint16_t prefix[kMaxCodes];
    uint8_t suffix[kMaxCodes];
    uint8_t first[kMaxCodes];
    uint16_t length[kMaxCodes];
    uint8_t stack[kMaxCodes];

    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    for (int i = 0; i < clear; ++i) {
        prefix[i] = 0;
        suffix[i] = uint8_t(i);
        first[i] = uint8_t(i);
        length[i] = 1;
    }
    int next = clear + 2;
    int width = minCodeSize + 1;
    int prev = -1;

    while (!sink.full()) {
        const int code = bits.read(width);
        if (code < 0)
            break;
        if (code == clear) {
            next = clear + 2;
            width = minCodeSize + 1;
            prev = -1;
            continue;
        }
        if (code == end)
            break;
        if (code > 255 && code < clear)
            return LzwResult::BadCode;  // a pixel value a byte cannot hold
        if (prev < 0) {
            if (code >= clear)
                return LzwResult::BadCode;
            const uint8_t c = uint8_t(code);
            sink.put(&c, 1);
            prev = code;
            continue;
        }
        int len;
        uint8_t head;
        if (code < next) {
            len = length[code];
            int c = code;
            for (int i = len - 1; i >= 0; --i) {
                stack[i] = suffix[c];
                c = prefix[c];
            }
            head = first[code];
        } else if (code == next && next < kMaxCodes) {
            len = length[prev] + 1;
            int c = prev;
            for (int i = len - 2; i >= 0; --i) {
                stack[i] = suffix[c];
                c = prefix[c];
            }
            head = first[prev];
            stack[len - 1] = head;
        } else {
            return LzwResult::BadCode;
        }
        sink.put(stack, len);
        if (next < kMaxCodes) {
            prefix[next] = uint16_t(prev);
            suffix[next] = head;
            first[next] = first[prev];
            length[next] = uint16_t(length[prev] + 1);
            ++next;
            if (next == (1 << width) && width < 12)
                ++width;
        }
        prev = code;
    }
    return sink.full() ? LzwResult::Complete : LzwResult::Short;
}

}  // namespace

GifDecoder::GifDecoder(const uint8_t* data, size_t size) : in_(data, size) {}

bool GifDecoder::readHeader(std::string& error)
{
    const uint8_t* sig = in_.bytes(6);
    if (!sig || std::memcmp(sig, "GIF", 3) != 0) {
        error = "not a GIF file";
        return false;
    }
    width_ = in_.u16();
    height_ = in_.u16();
    const uint8_t packed = in_.u8();
    backgroundIndex_ = in_.u8();
    in_.u8();  // pixel aspect ratio
    if (!in_.ok()) {
        error = "GIF header is truncated";
        return false;
    }
    if (width_ == 0 || height_ == 0) {
        error = "GIF logical screen has zero size";
        return false;
    }
    if (std::string refusal = pictureSizeRefusal("GIF logical screen", uint64_t(width_), uint64_t(height_));
        !refusal.empty()) {
        error = refusal;
        return false;
    }
    if (packed & 0x80) {
        globalPalette_ = readColourTable(in_, 2 << (packed & 7));
        if (!in_.ok()) {
            error = "GIF global colour table is truncated";
            return false;
        }
    }
    return true;
}

GifDecoder::Result GifDecoder::stop(const std::string& reason)
{
    finished_ = true;
    truncated_ = true;
    stopReason_ = reason;
    return Result::Stopped;
}

bool GifDecoder::skipSubBlocks()
{
    for (;;) {
        const uint8_t len = in_.u8();
        if (!in_.ok())
            return false;
        if (len == 0)
            return true;
        if (!in_.skip(len))
            return false;
    }
}

GifDecoder::Result GifDecoder::nextFrame(GifFrame& frame, bool keepPixels)
{
    if (finished_)
        return truncated_ ? Result::Stopped : Result::End;
    bool haveControl = false;
    int delay = 0, disposal = 0, transparent = -1;
    for (;;) {
        if (in_.atEnd())
            return stop("GIF file ends without a trailer");
        const uint8_t type = in_.u8();
        if (type == 0x3B) {
            finished_ = true;
            return Result::End;
        }
        if (type == 0x21) {
            const uint8_t label = in_.u8();
            if (!in_.ok())
                return stop("GIF extension is truncated");
            if (label == 0xF9) {
                // Graphic control: its first sub-block holds the fields.
                const uint8_t len = in_.u8();
                const uint8_t* p = in_.bytes(len);
                if (!p)
                    return stop("GIF graphic control extension is truncated");
                if (len >= 4) {
                    haveControl = true;
                    disposal = (p[0] >> 2) & 7;
                    delay = p[1] | (p[2] << 8);
                    transparent = (p[0] & 1) ? p[3] : -1;
                }
                if (len != 0 && !skipSubBlocks())
                    return stop("GIF graphic control extension is truncated");
            } else if (label == 0xFF) {
                // Application: NETSCAPE2.0 / ANIMEXTS1.0 carry the loop count.
                const uint8_t len = in_.u8();
                const uint8_t* id = in_.bytes(len);
                if (!id)
                    return stop("GIF application extension is truncated");
                const bool looping = len == 11 && (std::memcmp(id, "NETSCAPE2.0", 11) == 0 ||
                                                   std::memcmp(id, "ANIMEXTS1.0", 11) == 0);
                for (bool done = (len == 0); !done;) {
                    const uint8_t n = in_.u8();
                    const uint8_t* d = in_.bytes(n);
                    if (!d)
                        return stop("GIF application extension is truncated");
                    if (n == 0)
                        done = true;
                    else if (looping && n >= 3 && d[0] == 1 && loopCount_ < 0)
                        loopCount_ = d[1] | (d[2] << 8);
                }
            } else {
                // Comment, plain text and unknown extensions are skipped. A
                // plain text block is a graphic of its own and uses up the
                // graphic control before it.
                if (label == 0x01) {
                    haveControl = false;
                    delay = disposal = 0;
                    transparent = -1;
                }
                if (!skipSubBlocks())
                    return stop("GIF extension is truncated");
            }
            continue;
        }
        if (type != 0x2C) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "unknown GIF block type 0x%02X", type);
            return stop(buf);
        }

        // Image descriptor.
        GifFrame f;
        f.declaredLeft = in_.u16();
        f.declaredTop = in_.u16();
        f.declaredWidth = in_.u16();
        f.declaredHeight = in_.u16();
        const uint8_t packed = in_.u8();
        if (!in_.ok())
            return stop("GIF image descriptor is truncated");
        if (f.declaredWidth > kMaxImageSide || f.declaredHeight > kMaxImageSide)
            return stop("GIF frame " + std::to_string(f.declaredWidth) + "x" +
                        std::to_string(f.declaredHeight) + " exceeds the limit of " +
                        std::to_string(kMaxImageSide) + " pixels a side");
        f.interlaced = (packed & 0x40) != 0;
        f.hasLocalPalette = (packed & 0x80) != 0;
        if (f.hasLocalPalette) {
            f.palette = readColourTable(in_, 2 << (packed & 7));
            if (!in_.ok())
                return stop("GIF local colour table is truncated");
        } else {
            f.palette = globalPalette_;
        }
        f.delay = haveControl ? delay : 0;
        f.disposal = haveControl ? disposal : 0;
        f.transparentIndex = haveControl ? transparent : -1;
        f.left = std::min(f.declaredLeft, width_);
        f.top = std::min(f.declaredTop, height_);
        f.width = std::min(f.declaredLeft + f.declaredWidth, width_) - f.left;
        f.height = std::min(f.declaredTop + f.declaredHeight, height_) - f.top;
        if (f.width <= 0 || f.height <= 0)
            f.width = f.height = 0;

        const uint8_t minCodeSize = in_.u8();
        if (!in_.ok())
            return stop("GIF image data is missing");
        if (minCodeSize < 1 || minCodeSize > 11)
            return stop("invalid LZW code size " + std::to_string(minCodeSize));
        if (keepPixels) {
            const uint64_t area = uint64_t(f.width) * uint64_t(f.height);
            if (area > pixelBudget_) {
                budgetExceeded_ = true;
                return stop("GIF frames exceed the decoding budget of " +
                            std::to_string(kMaxDecodedBytes >> 20) + " MiB");
            }
            pixelBudget_ -= area;
            try {
                f.indices.assign(size_t(f.width) * size_t(f.height), 0);
            } catch (const std::bad_alloc&) {
                return stop("not enough memory for a GIF frame");
            }
        }
        SubBlockBits bits(in_);
        PixelSink sink(f, keepPixels ? f.indices.data() : nullptr);
        const LzwResult r = decodeLzw(bits, minCodeSize, sink);
        if (r == LzwResult::BadCode)
            return stop("invalid LZW code in GIF frame");
        if (r == LzwResult::Short)
            return stop("GIF frame data ends before the frame is complete");
        const bool rest = bits.finish();
        if (!rest) {
            // The frame is whole; the file ends right after its pixels.
            finished_ = true;
            truncated_ = true;
            stopReason_ = "GIF file is truncated";
        }
        if (f.declaredWidth == 0 || f.declaredHeight == 0) {
            // An image without pixels is no frame; its graphic control is used up.
            if (finished_)
                return Result::Stopped;
            haveControl = false;
            delay = disposal = 0;
            transparent = -1;
            continue;
        }
        frame = std::move(f);
        return Result::Frame;
    }
}

int GifDecoder::countImages(const uint8_t* data, size_t size)
{
    ByteReader in(data, size);
    if (!in.skip(10))
        return 0;
    const uint8_t packed = in.u8();
    in.skip(2);
    if (packed & 0x80)
        in.skip(size_t(3) * size_t(2 << (packed & 7)));
    auto skipBlocks = [&in]() {
        for (;;) {
            const uint8_t len = in.u8();
            if (!in.ok() || len == 0)
                return;
            in.skip(len);
        }
    };
    int count = 0;
    while (in.ok() && !in.atEnd()) {
        const uint8_t type = in.u8();
        if (type == 0x21) {
            in.u8();
            skipBlocks();
        } else if (type == 0x2C) {
            in.skip(8);
            const uint8_t p = in.u8();
            if (p & 0x80)
                in.skip(size_t(3) * size_t(2 << (p & 7)));
            in.u8();
            if (!in.ok())
                break;
            ++count;
            skipBlocks();
        } else {
            break;
        }
    }
    return count;
}

bool parseGif(const uint8_t* data, size_t size, GifFile& file, std::string& error)
{
    file = GifFile();
    GifDecoder decoder(data, size);
    if (!decoder.readHeader(error))
        return false;
    file.width = decoder.width();
    file.height = decoder.height();
    file.backgroundIndex = decoder.backgroundIndex();
    file.globalPalette = decoder.globalPalette();
    for (;;) {
        GifFrame frame;
        const GifDecoder::Result r = decoder.nextFrame(frame);
        if (r != GifDecoder::Result::Frame)
            break;
        file.frames.push_back(std::move(frame));
    }
    if (decoder.budgetExceeded()) {
        file.frames.clear();
        error = decoder.stopReason();
        return false;
    }
    file.loopCount = decoder.loopCount();
    file.truncated = decoder.truncated();
    file.stopReason = decoder.stopReason();
    if (file.frames.empty()) {
        error = file.truncated ? "no complete GIF frame: " + file.stopReason : "GIF file holds no frame";
        return false;
    }
    return true;
}

bool decodeGif(const uint8_t* data, size_t size, RasterImage& image, std::string& error)
{
    const bool retrieveAll = image.retrieveAllFrames();
    const int frameIndex = image.frameIndex();
    const int requested = std::max(frameIndex, 0);

    GifComposer composer(data, size);
    if (!composer.readHeader(error)) {
        image.destroy();
        return false;
    }
    const GifDecoder& decoder = composer.decoder();
    const uint64_t screen = uint64_t(decoder.width()) * uint64_t(decoder.height());
    // Refuse before allocating: the canvas (colours plus a saved copy for
    // disposal 3) and at least one byte a pixel for every kept frame.
    const uint64_t images = uint64_t(std::max(GifDecoder::countImages(data, size), 1));
    const uint64_t minimum = screen * 8 + screen * (retrieveAll ? images : 1);
    if (minimum > kMaxDecodedBytes) {
        error = "GIF of " + std::to_string(images) + (images == 1 ? " frame at " : " frames at ") +
                std::to_string(decoder.width()) + "x" + std::to_string(decoder.height()) +
                " exceeds the decoding budget of " + std::to_string(kMaxDecodedBytes >> 20) + " MiB";
        image.destroy();
        return false;
    }

    if (!composer.allocateCanvas(error)) {
        image.destroy();
        return false;
    }
    std::vector<std::unique_ptr<RasterImage>> frames;
    std::unique_ptr<RasterImage> chosen;
    int chosenDelay = 0;
    uint64_t kept = 0;
    for (;;) {
        const bool compose = retrieveAll || composer.framesRead() <= requested;
        if (!composer.next(compose))
            break;
        if (!compose)
            continue;
        const GifFrame& frame = composer.frame();
        auto composed = composer.canvas().toImage(frame.transparentIndex, error);
        if (!composed) {
            image.destroy();
            return false;
        }
        composed->setFrameDelay(frame.delay);
        if (retrieveAll) {
            kept += uint64_t(composed->stride()) * uint64_t(composed->height()) +
                    (composed->hasAlpha() ? screen : 0);
            if (kept + composer.canvas().memoryBytes() * 2 > kMaxDecodedBytes) {
                error = "GIF frames exceed the decoding budget of " + std::to_string(kMaxDecodedBytes >> 20) +
                        " MiB";
                image.destroy();
                return false;
            }
            frames.push_back(std::move(composed));
        } else {
            chosen = std::move(composed);
            chosenDelay = frame.delay;
        }
    }
    const int count = composer.framesRead();
    if (count == 0) {
        error = decoder.truncated() ? "no complete GIF frame: " + decoder.stopReason()
                                    : "GIF file holds no frame";
        image.destroy();
        return false;
    }
    const int index = std::min(requested, count - 1);
    RasterImage result;
    if (retrieveAll) {
        result = *frames[size_t(index)];
        chosenDelay = frames[size_t(index)]->frameDelay();
    } else {
        result = std::move(*chosen);
    }
    image = std::move(result);
    image.setRetrieveAllFrames(retrieveAll);
    image.setFrameIndex(frameIndex);
    image.setTypeCode(ImageTypeGif);
    image.setNumFrames(count);
    image.setFrameDelay(chosenDelay);
    image.setFlags(0);
    image.clearRetrievedFrames();
    for (auto& f : frames)
        image.addRetrievedFrame(std::move(f));
    return true;
}
