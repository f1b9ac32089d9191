// Encoders of the Windows picture formats that the resource compiler takes:
// 8-bit bitmap files and icon files with 32-bit images. Window-free.
#ifndef JOTWELL_TOOLS_ARTWORK_BMPWRITER_H
#define JOTWELL_TOOLS_ARTWORK_BMPWRITER_H

#include "tools/artwork/canvas.h"
#include "tools/artwork/palette.h"

#include <stdint.h>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

// A bitmap file: file header, 40-byte info header, the 256-entry palette,
// then the rows bottom-up, each padded to four bytes.
Bytes EncodeBmp8(const IndexedImage& image, const std::vector<Rgb8>& palette);

// An icon file with one 32-bit image (straight alpha) per canvas, each with
// the 1-bit AND mask that older displays use instead of the alpha.
Bytes EncodeIco(const std::vector<const Canvas*>& images);

// Writes the whole file; false if it cannot be created or written.
bool WriteBytes(const std::string& path, const Bytes& bytes);

#endif
