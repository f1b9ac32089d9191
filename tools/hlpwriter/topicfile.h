// The |TOPIC internal file: topic headers and paragraphs as linked records
// in 4096-byte blocks.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/hlpwriter/helpsource.h"

// Fonts the paragraphs use, by their index in |FONT.
enum HelpFontIndex { kHelpFontNormal = 0, kHelpFontHeading = 1, kHelpFontTitle = 2, kHelpFontCount = 3 };

struct TopicFile {
    std::vector<uint8_t> bytes;          // the payload, whole blocks
    std::vector<uint32_t> topicOffsets;  // per topic: what |CONTEXT, |CTXOMAP and jumps name it by
    bool compressed = false;             // blocks are LZ77-compressed
};

constexpr uint32_t kTopicBlockSize = 4096;
constexpr uint32_t kTopicBlockHeader = 12;

TopicFile BuildTopicFile(const HelpSource& source);
