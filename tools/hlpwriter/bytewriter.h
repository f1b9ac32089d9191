// Little-endian byte output for the help file's structures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ByteWriter {
public:
    void U8(uint32_t v) { bytes_.push_back(uint8_t(v)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Text(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void TextZ(const std::string& s) {
        Text(s);
        U8(0);
    }
    // The text in a fixed field of 'width' bytes, cut and NUL-padded.
    void Field(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i)
            U8(i < s.size() && i + 1 < width ? uint8_t(s[i]) : 0);
    }
    void Zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    void PadTo(size_t size) {
        if (bytes_.size() < size)
            Zeros(size - bytes_.size());
    }

    // The format's compact numbers: the low bit of the first byte tells the width.
    void PackedUShort(uint32_t v) {
        if (v < 0x80)
            U8(v * 2);
        else
            U16(v * 2 + 1);
    }
    void PackedShort(int32_t v) {
        if (v >= -64 && v < 64)
            U8(uint32_t(v * 2 + 0x80));
        else
            U16(uint32_t(v * 2 + 0x8001));
    }
    void PackedLong(int32_t v) {
        if (v >= -16384 && v < 16384)
            U16(uint32_t(v * 2 + 0x8000));
        else
            U32(uint32_t(v) * 2 + 0x80000001u);
    }

    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Data() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};
