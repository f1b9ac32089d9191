// The LZ77 variant of compressed topic blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Groups of eight items, each group led by a control byte read from its low
// bit up: 0 is one literal byte, 1 a 16-bit back reference whose low 12 bits
// are the distance minus 1 and high 4 bits the length minus 3.
std::vector<uint8_t> Lz77Compress(const std::vector<uint8_t>& data);

// The largest compressed size of n bytes: all literals, one control byte per eight.
size_t Lz77WorstCase(size_t n);
