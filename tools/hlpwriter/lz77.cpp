// LZ77 compression of topic blocks.
#include "tools/hlpwriter/lz77.h"

#include <algorithm>

namespace {

constexpr size_t kWindow = 4096;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 18;

struct Match {
    size_t distance = 0;
    size_t length = 0;
};

// Longest earlier copy of the bytes at 'pos'. A copy may overlap the bytes it
// produces, since the reader copies byte by byte.
Match LongestMatch(const std::vector<uint8_t>& data, size_t pos) {
    Match best;
    size_t limit = std::min(kMaxMatch, data.size() - pos);
    size_t farthest = std::min(kWindow, pos);
    for (size_t distance = 1; distance <= farthest && best.length < limit; ++distance) {
        size_t n = 0;
        while (n < limit && data[pos - distance + n] == data[pos + n])
            ++n;
        if (n > best.length) {
            best.distance = distance;
            best.length = n;
        }
    }
    return best;
}

}  // namespace

std::vector<uint8_t> Lz77Compress(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    size_t control = 0;
    int items = 8;  // items in the current group; 8 starts a new one
    size_t pos = 0;
    while (pos < data.size()) {
        if (items == 8) {
            control = out.size();
            out.push_back(0);
            items = 0;
        }
        Match m = LongestMatch(data, pos);
        if (m.length >= kMinMatch) {
            uint32_t code = uint32_t(((m.length - kMinMatch) << 12) | (m.distance - 1));
            out[control] |= uint8_t(1u << items);
            out.push_back(uint8_t(code));
            out.push_back(uint8_t(code >> 8));
            pos += m.length;
        } else {
            out.push_back(data[pos]);
            ++pos;
        }
        ++items;
    }
    return out;
}

size_t Lz77WorstCase(size_t n) {
    return n + (n + 7) / 8;
}
