// Records and blocks of |TOPIC.
#include "tools/hlpwriter/topicfile.h"

#include "tools/hlpwriter/bytewriter.h"
#include "tools/hlpwriter/contexthash.h"
#include "tools/hlpwriter/lz77.h"

namespace {

constexpr uint8_t kRecordTopicHeader = 0x02;
constexpr uint8_t kRecordText = 0x20;
constexpr uint32_t kRecordHeader = 21;
constexpr size_t kTopicHeaderData1 = 28;
constexpr uint32_t kBlockData = kTopicBlockSize - kTopicBlockHeader;
// The viewer counts record positions in steps of 0x4000 per block and topic
// offsets in steps of 0x8000, whatever the blocks hold.
constexpr uint32_t kPositionStride = 0x4000;
constexpr uint32_t kOffsetStride = 0x8000;
constexpr uint32_t kNone = 0xFFFFFFFF;

constexpr uint16_t kSpaceAbove = 0x02;
constexpr uint16_t kSpaceBelow = 0x04;
constexpr uint16_t kLeftIndent = 0x10;

constexpr uint8_t kCmdFont = 0x80;
constexpr uint8_t kCmdParagraphEnd = 0x82;
constexpr uint8_t kCmdHotspotEnd = 0x89;
constexpr uint8_t kCmdJump = 0xE3;
constexpr uint8_t kCmdEnd = 0xFF;

constexpr char kBullet[] = "\x95 ";  // the bullet of the Windows-1252 code page

struct Record {
    uint8_t type = kRecordText;
    std::vector<uint8_t> data1;  // what follows the 21-byte record header
    std::vector<uint8_t> data2;
    uint32_t textLength = 0;     // characters the viewer counts in a text record
    size_t topic = 0;

    uint32_t Size() const { return uint32_t(kRecordHeader + data1.size() + data2.size()); }
};

// Space above and below and the left indent, in the file's spacing units. A
// paragraph's space below and the next one's space above add up.
struct Style {
    HelpFontIndex font;
    int spaceAbove;
    int spaceBelow;
    int leftIndent;
};

Style TitleStyle() {
    return {kHelpFontTitle, 0, 8, 0};
}

Style StyleOf(HelpParagraphKind kind) {
    switch (kind) {
    case HelpParagraphKind::Heading:
        return {kHelpFontHeading, 12, 0, 0};
    case HelpParagraphKind::Item:
        return {kHelpFontNormal, 0, 4, 20};
    case HelpParagraphKind::Link:
        return {kHelpFontNormal, 0, 4, 10};
    case HelpParagraphKind::Text:
        break;
    }
    return {kHelpFontNormal, 4, 4, 0};
}

void WriteParagraphFormat(ByteWriter* out, const Style& style) {
    uint16_t bits = 0;
    if (style.spaceAbove)
        bits |= kSpaceAbove;
    if (style.spaceBelow)
        bits |= kSpaceBelow;
    if (style.leftIndent)
        bits |= kLeftIndent;
    out->U16(bits);
    // Values follow in the order of their bits.
    if (style.spaceAbove)
        out->PackedShort(style.spaceAbove);
    if (style.spaceBelow)
        out->PackedShort(style.spaceBelow);
    if (style.leftIndent)
        out->PackedShort(style.leftIndent);
}

// One paragraph. The viewer reads a string, then a command, and so on until
// the end command, so every command has a (possibly empty) string before it.
// A jump paragraph shows 'text' as a hotspot leading to the context hash.
Record TextRecord(size_t topic, const Style& style, const std::string& text, bool jump,
                  int32_t hash) {
    ByteWriter strings, commands;
    strings.TextZ("");
    commands.U8(kCmdFont);
    commands.U16(style.font);
    if (jump) {
        strings.TextZ("");
        commands.U8(kCmdJump);
        commands.U32(uint32_t(hash));
    }
    strings.TextZ(text);
    if (jump) {
        commands.U8(kCmdHotspotEnd);
        strings.TextZ("");
    }
    commands.U8(kCmdParagraphEnd);
    strings.TextZ("");
    commands.U8(kCmdEnd);

    Record r;
    r.topic = topic;
    r.textLength = uint32_t(text.size() + 1);  // the paragraph end counts as one
    ByteWriter data1;
    data1.PackedLong(int32_t(strings.Size()));
    data1.PackedUShort(r.textLength);
    data1.U8(0x00);
    data1.U8(0x80);
    data1.U16(0);
    WriteParagraphFormat(&data1, style);
    data1.Bytes(commands.Data());
    r.data1 = data1.Take();
    r.data2 = strings.Take();
    return r;
}

Record ParagraphRecord(const HelpSource& source, size_t topic, const HelpParagraph& p) {
    Style style = StyleOf(p.kind);
    if (p.kind == HelpParagraphKind::Link) {
        const HelpTopic& target = source.topics[size_t(FindHelpTopic(source, p.text))];
        return TextRecord(topic, style, target.title, true, HelpContextHash(p.text));
    }
    std::string text = p.kind == HelpParagraphKind::Item ? kBullet + p.text : p.text;
    return TextRecord(topic, style, text, false, 0);
}

// The topic header's fields depend on where the records land; they are
// filled in once the layout is known.
Record TopicHeaderRecord(size_t topic, const std::string& title) {
    Record r;
    r.type = kRecordTopicHeader;
    r.topic = topic;
    r.data1.assign(kTopicHeaderData1, 0);
    ByteWriter data2;
    data2.TextZ(title);
    r.data2 = data2.Take();
    return r;
}

// Each topic: its header, its title as the first paragraph, its paragraphs.
std::vector<Record> BuildRecords(const HelpSource& source) {
    std::vector<Record> records;
    for (size_t t = 0; t < source.topics.size(); ++t) {
        const HelpTopic& topic = source.topics[t];
        records.push_back(TopicHeaderRecord(t, topic.title));
        records.push_back(TextRecord(t, TitleStyle(), topic.title, false, 0));
        for (const HelpParagraph& p : topic.paragraphs)
            records.push_back(ParagraphRecord(source, t, p));
    }
    return records;
}

struct Layout {
    std::vector<uint32_t> block;
    std::vector<uint32_t> position;
};

// Fills blocks in order; a record never crosses into the next block.
Layout Place(const std::vector<Record>& records, uint32_t capacity) {
    Layout layout;
    uint32_t block = 0;
    uint32_t used = 0;
    for (const Record& r : records) {
        if (used > 0 && used + r.Size() > capacity) {
            ++block;
            used = 0;
        }
        layout.block.push_back(block);
        layout.position.push_back(kTopicBlockHeader + block * kPositionStride + used);
        used += r.Size();
    }
    return layout;
}

// A topic's offset counts the characters of the text records before its
// header in the same block.
std::vector<uint32_t> TopicOffsets(const std::vector<Record>& records, const Layout& layout) {
    std::vector<uint32_t> offsets;
    uint32_t block = 0;
    uint32_t characters = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (layout.block[i] != block) {
            block = layout.block[i];
            characters = 0;
        }
        if (records[i].type == kRecordTopicHeader)
            offsets.push_back(block * kOffsetStride + characters);
        else
            characters += records[i].textLength;
    }
    return offsets;
}

uint32_t TopicSize(const std::vector<Record>& records, size_t topic) {
    uint32_t size = 0;
    for (const Record& r : records)
        if (r.topic == topic)
            size += r.Size();
    return size;
}

uint32_t NextTopicHeader(const std::vector<Record>& records, const Layout& layout, size_t i) {
    for (size_t j = i + 1; j < records.size(); ++j)
        if (records[j].type == kRecordTopicHeader)
            return layout.position[j];
    return kNone;
}

// Browse back and forward follow the order of the source.
void FillTopicHeaders(std::vector<Record>* records, const Layout& layout,
                      const std::vector<uint32_t>& offsets) {
    for (size_t i = 0; i < records->size(); ++i) {
        Record& r = (*records)[i];
        if (r.type != kRecordTopicHeader)
            continue;
        size_t t = r.topic;
        ByteWriter data1;
        data1.U32(TopicSize(*records, t));
        data1.U32(t > 0 ? offsets[t - 1] : kNone);
        data1.U32(t + 1 < offsets.size() ? offsets[t + 1] : kNone);
        data1.U32(uint32_t(t));
        data1.U32(kNone);  // no non-scrolling region
        data1.U32(layout.position[i + 1]);
        data1.U32(NextTopicHeader(*records, layout, i));
        r.data1 = data1.Take();
    }
}

void WriteRecord(ByteWriter* out, const Record& r, uint32_t previous, uint32_t next) {
    out->U32(r.Size());
    out->U32(uint32_t(r.data2.size()));
    out->U32(previous);
    out->U32(next);
    out->U32(uint32_t(kRecordHeader + r.data1.size()));
    out->U8(r.type);
    out->Bytes(r.data1);
    out->Bytes(r.data2);
}

// Every block is padded to its full size, the last one too: the viewer
// reads whole blocks.
void WriteBlocks(const std::vector<Record>& records, const Layout& layout, bool compressed,
                 ByteWriter* out) {
    uint32_t lastHeader = kNone;
    size_t i = 0;
    for (uint32_t block = 0; i < records.size(); ++block) {
        size_t first = i;
        if (records[first].type == kRecordTopicHeader)
            lastHeader = layout.position[first];
        out->U32(first == 0 ? kNone : layout.position[first - 1]);
        out->U32(layout.position[first]);
        out->U32(lastHeader);
        ByteWriter data;
        for (; i < records.size() && layout.block[i] == block; ++i) {
            uint32_t previous = i == 0 ? kNone : layout.position[i - 1];
            uint32_t next = i + 1 < records.size() ? layout.position[i + 1] : kNone;
            WriteRecord(&data, records[i], previous, next);
            if (records[i].type == kRecordTopicHeader)
                lastHeader = layout.position[i];
        }
        size_t start = out->Size();
        out->Bytes(compressed ? Lz77Compress(data.Data()) : data.Data());
        out->PadTo(start + kBlockData);
    }
}

uint32_t TotalSize(const std::vector<Record>& records) {
    uint32_t total = 0;
    for (const Record& r : records)
        total += r.Size();
    return total;
}

// Blocks are packed by the worst-case compressed size, so where a record
// lands never depends on how well its block compresses.
uint32_t CompressedCapacity() {
    uint32_t n = kBlockData * 8 / 9;
    while (Lz77WorstCase(n) > kBlockData)
        --n;
    return n;
}

}  // namespace

TopicFile BuildTopicFile(const HelpSource& source) {
    std::vector<Record> records = BuildRecords(source);
    TopicFile file;
    // One block needs no compression; more do, since the viewer places
    // uncompressed blocks after the first one wrongly.
    file.compressed = TotalSize(records) > kBlockData;
    Layout layout = Place(records, file.compressed ? CompressedCapacity() : kBlockData);
    file.topicOffsets = TopicOffsets(records, layout);
    FillTopicHeaders(&records, layout, file.topicOffsets);
    ByteWriter out;
    WriteBlocks(records, layout, file.compressed, &out);
    file.bytes = out.Take();
    return file;
}
