// A reader of WinHelp 3.1 files for the tests: it parses what the help
// writer produced, written apart from the writer from the format notes, and
// checks the file's structure on the way.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct HlpFont {
    uint8_t attributes = 0;
    uint8_t halfPoints = 0;
    uint8_t family = 0;
    std::string face;
};

// A paragraph as the viewer shows it: its text, the font it starts with and
// the context hashes its hotspots jump to.
struct HlpParagraph {
    std::string text;
    int font = -1;
    uint16_t bits = 0;
    std::vector<int32_t> jumps;
};

struct HlpTopic {
    std::string title;
    uint32_t offset = 0;    // what |CONTEXT and |CTXOMAP name the topic by
    uint32_t position = 0;  // of its header record
    uint32_t browseBack = 0;
    uint32_t browseForward = 0;
    uint32_t number = 0;
    std::vector<HlpParagraph> paragraphs;
};

struct HlpFile {
    std::vector<std::string> directory;  // internal file names, in directory order
    uint16_t systemFlags = 0;
    std::string title;
    bool hasContents = false;
    uint32_t contents = 0;
    std::vector<std::string> macros;
    std::string windowName;
    std::string windowCaption;
    std::vector<HlpFont> fonts;
    std::map<int32_t, uint32_t> contexts;        // name hash -> topic offset
    std::map<uint32_t, uint32_t> contextNumbers;  // context number -> topic offset
    size_t topicBlocks = 0;
    std::vector<HlpTopic> topics;

    // Index of the topic with this offset, or -1.
    int TopicAt(uint32_t offset) const;
    // Index of the topic a context name or number leads to, or -1.
    int TopicOfContext(const std::string& name) const;
    int TopicOfNumber(uint32_t number) const;
};

// False with a description of the first fault found.
bool ReadHlpFile(const std::vector<uint8_t>& bytes, HlpFile* out, std::string* error);

// The reader's own context-name hash and LZ77 decompression.
int32_t HlpContextHash(const std::string& name);
bool HlpLz77Decompress(const std::vector<uint8_t>& in, std::vector<uint8_t>* out);
