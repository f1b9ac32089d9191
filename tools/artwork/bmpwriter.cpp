// Every number in these formats is little-endian, whatever the host.
#include "tools/artwork/bmpwriter.h"

#include <algorithm>
#include <cmath>
#include <stdio.h>

namespace {

const uint32_t INFO_HEADER_SIZE = 40;
const uint32_t FILE_HEADER_SIZE = 14;
const int32_t PIXELS_PER_METRE = 2835;  // 72 dots per inch

void Put16(Bytes& out, uint32_t v) {
    out.push_back((uint8_t)v);
    out.push_back((uint8_t)(v >> 8));
}

void Put32(Bytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t RowBytes(int width, int bitsPerPixel) {
    return (uint32_t)((width * bitsPerPixel + 31) / 32 * 4);
}

// The info header; icons give twice the height, for the image and its mask.
void PutInfoHeader(Bytes& out, int width, int height, int bits, uint32_t imageSize,
                   uint32_t colors) {
    Put32(out, INFO_HEADER_SIZE);
    Put32(out, (uint32_t)width);
    Put32(out, (uint32_t)height);
    Put16(out, 1);  // planes
    Put16(out, (uint32_t)bits);
    Put32(out, 0);  // uncompressed
    Put32(out, imageSize);
    Put32(out, (uint32_t)PIXELS_PER_METRE);
    Put32(out, (uint32_t)PIXELS_PER_METRE);
    Put32(out, colors);
    Put32(out, 0);  // all colours important
}

uint8_t Alpha8(const Color& c) {
    return (uint8_t)std::lround(std::min(1.0f, std::max(0.0f, c.a)) * 255);
}

uint8_t Channel8(float v) {
    return (uint8_t)std::lround(std::min(255.0f, std::max(0.0f, v)));
}

Bytes IconImage(const Canvas& c) {
    const int w = c.Width(), h = c.Height();
    const uint32_t maskRow = RowBytes(w, 1);
    Bytes out;
    PutInfoHeader(out, w, h * 2, 32, (uint32_t)(w * h * 4) + maskRow * h, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Color p = c.Pixel(x, y);
            uint8_t a = Alpha8(p);
            // Clear pixels are stored black, as the mask leaves them alone.
            out.push_back(a ? Channel8(p.b) : 0);
            out.push_back(a ? Channel8(p.g) : 0);
            out.push_back(a ? Channel8(p.r) : 0);
            out.push_back(a);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (Alpha8(c.Pixel(x, y)) == 0)
                row[x / 8] |= (uint8_t)(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes EncodeBmp8(const IndexedImage& image, const std::vector<Rgb8>& palette) {
    const uint32_t row = RowBytes(image.width, 8);
    const uint32_t paletteSize = (uint32_t)palette.size();
    const uint32_t offset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + 4 * paletteSize;
    const uint32_t imageSize = row * (uint32_t)image.height;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, offset);
    PutInfoHeader(out, image.width, image.height, 8, imageSize, paletteSize);
    for (const Rgb8& p : palette) {
        out.push_back(p.b);
        out.push_back(p.g);
        out.push_back(p.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < image.width; ++x)
            out.push_back(image.At(x, y));
        out.resize(start + row, 0);
    }
    return out;
}

Bytes EncodeIco(const std::vector<const Canvas*>& images) {
    const uint32_t DIR_HEADER = 6, DIR_ENTRY = 16;
    Bytes out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon, not cursor
    Put16(out, (uint32_t)images.size());
    std::vector<Bytes> bodies;
    for (const Canvas* c : images)
        bodies.push_back(IconImage(*c));
    uint32_t offset = DIR_HEADER + DIR_ENTRY * (uint32_t)images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        // Width and height 0 would mean 256.
        out.push_back((uint8_t)images[i]->Width());
        out.push_back((uint8_t)images[i]->Height());
        out.push_back(0);  // colour count: none below 8 bits
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 32);    // bits per pixel
        Put32(out, (uint32_t)bodies[i].size());
        Put32(out, offset);
        offset += (uint32_t)bodies[i].size();
    }
    for (const Bytes& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}
