// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Bounded little-endian reader over a byte buffer. Every read is checked
// against the end of the input: a read that does not fit fails, returns 0 (or
// null) and leaves the reader in its failed state, so a decoder can read a
// whole header and test ok() once.
#include <cstddef>
#include <cstdint>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

    bool ok() const { return ok_; }
    size_t pos() const { return pos_; }
    size_t size() const { return size_; }
    size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ >= size_; }
    const uint8_t* data() const { return data_; }

    // Moves to an absolute position; past the end fails.
    bool seek(size_t pos)
    {
        if (pos > size_)
            return fail();
        pos_ = pos;
        return true;
    }
    bool skip(size_t n)
    {
        if (n > remaining())
            return fail();
        pos_ += n;
        return true;
    }
    // Pointer to the next n bytes, advancing past them; null when they are not there.
    const uint8_t* bytes(size_t n)
    {
        if (n > remaining()) {
            fail();
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    uint8_t u8()
    {
        if (remaining() < 1) {
            fail();
            return 0;
        }
        return data_[pos_++];
    }
    uint16_t u16()
    {
        if (remaining() < 2) {
            fail();
            return 0;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += 2;
        return uint16_t(p[0] | (p[1] << 8));
    }
    uint32_t u32()
    {
        if (remaining() < 4) {
            fail();
            return 0;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += 4;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }
    int32_t i32() { return int32_t(u32()); }

private:
    bool fail()
    {
        ok_ = false;
        pos_ = size_;
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};
