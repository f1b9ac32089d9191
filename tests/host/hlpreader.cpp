// Test reader of WinHelp 3.1 files.
#include "tests/host/hlpreader.h"

#include <cctype>
#include <cstring>

namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr size_t kBlock = 4096;
constexpr size_t kBlockHeader = 12;

// Little-endian reads within a byte range. The first overrun marks the
// cursor bad and later reads give 0, so a caller checks Ok() once.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint32_t U8() { return Take(1) ? data_[pos_ - 1] : 0; }
    uint32_t U16() { return U8() | (U8() << 8); }
    uint32_t U32() { return U16() | (U16() << 16); }
    bool Skip(size_t n) { return Take(n); }
    std::string CString() {
        std::string s;
        while (ok_ && pos_ < size_ && data_[pos_] != 0)
            s += char(data_[pos_++]);
        if (!Take(1))
            return std::string();
        return s;
    }
    std::string Fixed(size_t width) {
        if (!Take(width))
            return std::string();
        const char* p = reinterpret_cast<const char*>(data_ + pos_ - width);
        return std::string(p, strnlen(p, width));
    }
    // Compact numbers: the low bit of the first byte says whether they are long.
    uint32_t PackedUShort() { return Peek() & 1 ? U16() / 2 : U8() / 2; }
    int32_t PackedShort() { return Peek() & 1 ? (int32_t(U16()) - 0x8001) / 2 : (int32_t(U8()) - 0x80) / 2; }
    int32_t PackedLong() {
        if (Peek() & 1)
            return int32_t((int64_t(U32()) - 0x80000001LL) / 2);
        return (int32_t(U16()) - 0x8000) / 2;
    }

    bool Ok() const { return ok_; }
    bool AtEnd() const { return ok_ && pos_ == size_; }
    size_t Pos() const { return pos_; }

private:
    uint32_t Peek() const { return pos_ < size_ ? data_[pos_] : 0; }
    bool Take(size_t n) {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

struct Span {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

struct TopicBlock {
    uint32_t lastOfPrevious = 0;
    uint32_t first = 0;
    uint32_t lastHeader = 0;
    std::vector<uint8_t> data;
};

struct HeaderFields {
    uint32_t size = 0;
    uint32_t nonScrolling = 0;
    uint32_t firstText = 0;
    uint32_t nextHeader = 0;
};

class Reader {
public:
    Reader(const std::vector<uint8_t>& bytes, HlpFile* out, std::string* error)
        : bytes_(bytes), out_(out), error_(error) {}
    bool Run();

private:
    bool Fail(const std::string& what) {
        *error_ = what;
        return false;
    }
    bool InternalFile(uint32_t offset, Span* out);
    bool Tree(Span file, uint32_t flags, const char* layout, Span* entries, uint32_t* count);
    bool Directory(uint32_t offset);
    bool Named(const char* name, Span* out);
    bool System();
    bool SystemRecord(uint32_t type, Span data);
    bool Fonts();
    bool Contexts();
    bool ContextNumbers();
    bool Topics();
    bool LoadBlocks(Span file, std::vector<TopicBlock>* blocks);
    bool WalkRecords(const std::vector<TopicBlock>& blocks);
    bool TopicHeader(Span data1, Span data2, uint32_t position, uint32_t offset);
    bool TextRecord(Span data1, Span data2, uint32_t* textLength);
    bool Paragraphs(Cursor* commands, Cursor* strings, uint32_t* characters);
    bool CheckTopicLinks();

    const std::vector<uint8_t>& bytes_;
    HlpFile* out_;
    std::string* error_;
    std::map<std::string, uint32_t> files_;
    std::vector<HeaderFields> headers_;
    std::vector<uint32_t> recordSizes_;  // per topic, summed
};

bool Reader::Run() {
    Cursor c(bytes_.data(), bytes_.size());
    uint32_t magic = c.U32(), directory = c.U32(), freeBlock = c.U32(), size = c.U32();
    if (!c.Ok() || magic != 0x00035F3F)
        return Fail("not a help file");
    if (size != bytes_.size())
        return Fail("the header's file size differs from the file's");
    if (freeBlock != kNone)
        return Fail("the header names a free block");
    return Directory(directory) && System() && Fonts() && Contexts() && ContextNumbers() &&
           Topics();
}

bool Reader::InternalFile(uint32_t offset, Span* out) {
    if (offset > bytes_.size())
        return Fail("internal file outside the file");
    Cursor c(bytes_.data() + offset, bytes_.size() - offset);
    uint32_t reserved = c.U32(), used = c.U32(), flags = c.U8();
    if (!c.Ok() || flags != 4)
        return Fail("bad internal file header");
    if (reserved != used + 9)
        return Fail("an internal file's reserved size is not its used size plus 9");
    if (used > bytes_.size() - offset - 9)
        return Fail("internal file runs past the end");
    out->data = bytes_.data() + offset + 9;
    out->size = used;
    return true;
}

// Only the one-leaf trees of small files are read.
bool Reader::Tree(Span file, uint32_t flags, const char* layout, Span* entries, uint32_t* count) {
    Cursor c(file.data, file.size);
    uint32_t magic = c.U16(), treeFlags = c.U16(), pageSize = c.U16();
    std::string treeLayout = c.Fixed(16);
    uint32_t zero = c.U16(), splits = c.U16(), root = c.U16(), minusOne = c.U16();
    uint32_t pages = c.U16(), levels = c.U16(), total = c.U32();
    if (!c.Ok() || magic != 0x293B || treeFlags != flags || treeLayout != layout)
        return Fail("bad B+ tree header");
    if (zero != 0 || splits != 0 || root != 0 || minusOne != 0xFFFF || pages != 1 || levels != 1)
        return Fail("B+ tree is not a single leaf");
    if (file.size != 38 + pageSize)
        return Fail("B+ tree size is not one page");
    uint32_t freeBytes = c.U16(), entryCount = c.U16(), previous = c.U16(), next = c.U16();
    if (entryCount != total || previous != 0xFFFF || next != 0xFFFF || freeBytes > pageSize - 8)
        return Fail("bad B+ tree leaf");
    entries->data = file.data + 38 + 8;
    entries->size = pageSize - 8 - freeBytes;
    *count = total;
    return true;
}

bool Reader::Directory(uint32_t offset) {
    Span file, entries;
    uint32_t count = 0;
    if (!InternalFile(offset, &file) || !Tree(file, 0x0402, "z4", &entries, &count))
        return false;
    Cursor c(entries.data, entries.size);
    for (uint32_t i = 0; i < count; ++i) {
        std::string name = c.CString();
        uint32_t at = c.U32();
        if (!c.Ok())
            return Fail("directory entry overruns its page");
        if (!out_->directory.empty() && !(out_->directory.back() < name))
            return Fail("directory names are not in ascending order");
        out_->directory.push_back(name);
        files_[name] = at;
    }
    if (!c.AtEnd())
        return Fail("directory page's free count is wrong");
    return true;
}

bool Reader::Named(const char* name, Span* out) {
    auto it = files_.find(name);
    if (it == files_.end())
        return Fail(std::string("no internal file ") + name);
    return InternalFile(it->second, out);
}

bool Reader::System() {
    Span file;
    if (!Named("|SYSTEM", &file))
        return false;
    Cursor c(file.data, file.size);
    uint32_t magic = c.U16(), minor = c.U16(), major = c.U16();
    c.U32();  // build date
    out_->systemFlags = uint16_t(c.U16());
    if (!c.Ok() || magic != 0x036C || minor != 21 || major != 1)
        return Fail("not a 3.1 |SYSTEM");
    if (out_->systemFlags != 0 && out_->systemFlags != 4)
        return Fail("|SYSTEM flags name neither plain nor LZ77 4 KB blocks");
    while (!c.AtEnd()) {
        uint32_t type = c.U16(), length = c.U16();
        size_t at = c.Pos();
        if (!c.Skip(length))
            return Fail("|SYSTEM record overruns the file");
        if (!SystemRecord(type, Span{file.data + at, length}))
            return false;
    }
    return true;
}

bool Reader::SystemRecord(uint32_t type, Span data) {
    Cursor c(data.data, data.size);
    switch (type) {
    case 1:
        out_->title = c.CString();
        break;
    case 3:
        out_->hasContents = true;
        out_->contents = c.U32();
        break;
    case 4:
        out_->macros.push_back(c.CString());
        break;
    case 6:
        if (data.size != 90)
            return Fail("window record is not 90 bytes");
        c.U16();
        c.Fixed(10);
        out_->windowName = c.Fixed(9);
        out_->windowCaption = c.Fixed(51);
        return true;
    default:
        return Fail("unexpected |SYSTEM record " + std::to_string(type));
    }
    if (!c.AtEnd())
        return Fail("|SYSTEM record " + std::to_string(type) + " has a wrong length");
    return true;
}

bool Reader::Fonts() {
    Span file;
    if (!Named("|FONT", &file))
        return false;
    Cursor c(file.data, file.size);
    uint32_t faces = c.U16(), descriptors = c.U16(), facesAt = c.U16(), descriptorsAt = c.U16();
    if (!c.Ok() || faces == 0 || descriptorsAt < facesAt || descriptorsAt + descriptors * 11 != file.size)
        return Fail("bad |FONT layout");
    size_t slot = (descriptorsAt - facesAt) / faces;
    for (uint32_t i = 0; i < descriptors; ++i) {
        Cursor d(file.data + descriptorsAt + i * 11, 11);
        HlpFont font;
        font.attributes = uint8_t(d.U8());
        font.halfPoints = uint8_t(d.U8());
        font.family = uint8_t(d.U8());
        uint32_t face = d.U16();
        if (face >= faces)
            return Fail("font descriptor names a missing face");
        Cursor name(file.data + facesAt + face * slot, slot);
        font.face = name.Fixed(slot);
        out_->fonts.push_back(font);
    }
    return true;
}

bool Reader::Contexts() {
    Span file, entries;
    uint32_t count = 0;
    if (!Named("|CONTEXT", &file) || !Tree(file, 0x0002, "L4", &entries, &count))
        return false;
    if (entries.size != count * 8)
        return Fail("|CONTEXT leaf size does not match its entries");
    Cursor c(entries.data, entries.size);
    bool first = true;
    int32_t last = 0;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t hash = int32_t(c.U32());
        uint32_t offset = c.U32();
        if (!first && hash <= last)
            return Fail("|CONTEXT hashes are not in ascending signed order");
        out_->contexts[hash] = offset;
        first = false;
        last = hash;
    }
    return true;
}

bool Reader::ContextNumbers() {
    Span file;
    if (!Named("|CTXOMAP", &file))
        return false;
    Cursor c(file.data, file.size);
    uint32_t count = c.U16();
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t number = c.U32(), offset = c.U32();
        if (out_->contextNumbers.count(number))
            return Fail("|CTXOMAP maps a number twice");
        out_->contextNumbers[number] = offset;
    }
    if (!c.AtEnd())
        return Fail("|CTXOMAP size does not match its count");
    return true;
}

bool Reader::Topics() {
    Span file;
    std::vector<TopicBlock> blocks;
    if (!Named("|TOPIC", &file) || !LoadBlocks(file, &blocks))
        return false;
    out_->topicBlocks = blocks.size();
    return WalkRecords(blocks) && CheckTopicLinks();
}

bool Reader::LoadBlocks(Span file, std::vector<TopicBlock>* blocks) {
    if (file.size == 0 || file.size % kBlock != 0)
        return Fail("|TOPIC is not made of whole 4096-byte blocks");
    bool compressed = out_->systemFlags == 4;
    if (!compressed && file.size != kBlock)
        return Fail("uncompressed |TOPIC with more than one block");
    for (size_t at = 0; at < file.size; at += kBlock) {
        Cursor c(file.data + at, kBlock);
        TopicBlock block;
        block.lastOfPrevious = c.U32();
        block.first = c.U32();
        block.lastHeader = c.U32();
        std::vector<uint8_t> raw(file.data + at + kBlockHeader, file.data + at + kBlock);
        if (!compressed)
            block.data = raw;
        else if (!HlpLz77Decompress(raw, &block.data))
            return Fail("bad LZ77 data in topic block " + std::to_string(at / kBlock));
        blocks->push_back(block);
    }
    return true;
}

bool Reader::WalkRecords(const std::vector<TopicBlock>& blocks) {
    uint32_t position = 12, previous = kNone, lastHeader = kNone, characters = 0;
    size_t block = blocks.size();  // none yet
    std::vector<bool> seen(blocks.size(), false);
    while (position != kNone) {
        if (position < 12)
            return Fail("record position below 12");
        size_t b = (position - 12) >> 14;
        size_t offset = (position - 12) & 0x3FFF;
        if (b >= blocks.size())
            return Fail("record position past the last block");
        const TopicBlock& tb = blocks[b];
        if (b != block) {
            if (seen[b])
                return Fail("records return to an earlier block");
            seen[b] = true;
            block = b;
            characters = 0;
            if (tb.first != position || tb.lastOfPrevious != previous)
                return Fail("block header " + std::to_string(b) + " does not match its records");
        }
        if (offset + 21 > tb.data.size())
            return Fail("record header past the block's data");
        Cursor c(tb.data.data() + offset, tb.data.size() - offset);
        uint32_t size = c.U32(), length2 = c.U32(), previousField = c.U32(), next = c.U32();
        uint32_t length1 = c.U32(), type = c.U8();
        if (previousField != previous)
            return Fail("record's previous position is wrong");
        if (size < 25 || length1 < 21 || size != length1 + length2 || size > tb.data.size() - offset)
            return Fail("record sizes are inconsistent or cross the block's end");
        if (next != kNone && next <= position)
            return Fail("record chain does not move forward");
        Span data1{tb.data.data() + offset + 21, length1 - 21};
        Span data2{tb.data.data() + offset + length1, length2};
        if (type == 2) {
            lastHeader = position;
            if (!TopicHeader(data1, data2, position, uint32_t(b) * 0x8000 + characters))
                return false;
        } else if (type == 0x20) {
            uint32_t textLength = 0;
            if (out_->topics.empty())
                return Fail("text record before the first topic header");
            if (!TextRecord(data1, data2, &textLength))
                return false;
            characters += textLength;
        } else {
            return Fail("unexpected record type " + std::to_string(type));
        }
        if (offset == 0 && tb.lastHeader != lastHeader)
            return Fail("block " + std::to_string(b) + " names a wrong last topic header");
        if (type == 2 && headers_.back().firstText != next)
            return Fail("topic header's first text record is not the next record");
        recordSizes_.back() += size;
        previous = position;
        position = next;
    }
    for (bool s : seen)
        if (!s)
            return Fail("a topic block holds no record");
    return true;
}

bool Reader::TopicHeader(Span data1, Span data2, uint32_t position, uint32_t offset) {
    Cursor c(data1.data, data1.size);
    HeaderFields fields;
    HlpTopic topic;
    fields.size = c.U32();
    topic.browseBack = c.U32();
    topic.browseForward = c.U32();
    topic.number = c.U32();
    fields.nonScrolling = c.U32();
    fields.firstText = c.U32();
    fields.nextHeader = c.U32();
    if (!c.AtEnd())
        return Fail("topic header data is not 28 bytes");
    Cursor title(data2.data, data2.size);
    topic.title = title.CString();
    if (!title.AtEnd())
        return Fail("topic title is not one NUL-terminated string");
    topic.offset = offset;
    topic.position = position;
    out_->topics.push_back(topic);
    headers_.push_back(fields);
    recordSizes_.push_back(0);
    return true;
}

bool Reader::TextRecord(Span data1, Span data2, uint32_t* textLength) {
    Cursor commands(data1.data, data1.size);
    Cursor strings(data2.data, data2.size);
    int32_t length2 = commands.PackedLong();
    *textLength = commands.PackedUShort();
    commands.Skip(4);
    uint32_t bits = commands.U16();
    if (!commands.Ok() || uint32_t(length2) != data2.size)
        return Fail("text record's data length is wrong");
    if (bits & ~0x0C7Eu)
        return Fail("paragraph bits the reader does not know");
    for (uint32_t bit = 0x02; bit <= 0x40; bit <<= 1)
        if (bits & bit)
            commands.PackedShort();
    uint32_t characters = 0;
    size_t first = out_->topics.back().paragraphs.size();
    if (!Paragraphs(&commands, &strings, &characters))
        return false;
    for (size_t i = first; i < out_->topics.back().paragraphs.size(); ++i)
        out_->topics.back().paragraphs[i].bits = uint16_t(bits);
    if (characters != *textLength)
        return Fail("text length " + std::to_string(*textLength) + " differs from the " +
                    std::to_string(characters) + " characters shown");
    return true;
}

// Strings and commands alternate: a string, then a command, until 0xFF.
bool Reader::Paragraphs(Cursor* commands, Cursor* strings, uint32_t* characters) {
    HlpParagraph paragraph;
    for (;;) {
        std::string s = strings->CString();
        paragraph.text += s;
        *characters += uint32_t(s.size());
        uint32_t command = commands->U8();
        if (!commands->Ok() || !strings->Ok())
            return Fail("paragraph ends without its end command");
        switch (command) {
        case 0x80:
            if (paragraph.font < 0)
                paragraph.font = int(commands->U16());
            else
                commands->U16();
            break;
        case 0x81:
        case 0x83:
            paragraph.text += command == 0x81 ? '\n' : '\t';
            ++*characters;
            break;
        case 0x82:
            out_->topics.back().paragraphs.push_back(paragraph);
            paragraph = HlpParagraph();
            ++*characters;
            break;
        case 0x89:
            break;
        case 0xE3:
            paragraph.jumps.push_back(int32_t(commands->U32()));
            break;
        case 0xFF:
            if (!paragraph.text.empty() || !commands->AtEnd() || !strings->AtEnd())
                return Fail("text record has data after its end");
            return true;
        default:
            return Fail("unknown paragraph command " + std::to_string(command));
        }
    }
}

bool Reader::CheckTopicLinks() {
    std::vector<HlpTopic>& topics = out_->topics;
    for (size_t i = 0; i < topics.size(); ++i) {
        uint32_t nextHeader = i + 1 < topics.size() ? topics[i + 1].position : kNone;
        if (headers_[i].nextHeader != nextHeader)
            return Fail("topic header's next topic is wrong");
        if (headers_[i].size != recordSizes_[i])
            return Fail("topic header's size is not the size of its records");
        if (headers_[i].nonScrolling != kNone)
            return Fail("unexpected non-scrolling region");
    }
    return true;
}

int CharValue(char c) {
    if (std::isalpha(static_cast<unsigned char>(c)))
        return std::tolower(static_cast<unsigned char>(c)) - 'a' + 17;
    if (c == '0')
        return 10;
    if (c >= '1' && c <= '9')
        return c - '0';
    return c == '.' ? 12 : c == '_' ? 13 : 0;
}

}  // namespace

int HlpFile::TopicAt(uint32_t offset) const {
    for (size_t i = 0; i < topics.size(); ++i)
        if (topics[i].offset == offset)
            return int(i);
    return -1;
}

int HlpFile::TopicOfContext(const std::string& name) const {
    auto it = contexts.find(HlpContextHash(name));
    return it == contexts.end() ? -1 : TopicAt(it->second);
}

int HlpFile::TopicOfNumber(uint32_t number) const {
    auto it = contextNumbers.find(number);
    return it == contextNumbers.end() ? -1 : TopicAt(it->second);
}

bool ReadHlpFile(const std::vector<uint8_t>& bytes, HlpFile* out, std::string* error) {
    *out = HlpFile();
    Reader reader(bytes, out, error);
    return reader.Run();
}

int32_t HlpContextHash(const std::string& name) {
    uint64_t hash = 0;
    for (char c : name)
        if (int v = CharValue(c))
            hash = (hash * 43 + uint64_t(v)) & 0xFFFFFFFFu;
    return int32_t(uint32_t(hash));
}

bool HlpLz77Decompress(const std::vector<uint8_t>& in, std::vector<uint8_t>* out) {
    out->clear();
    size_t i = 0;
    while (i < in.size()) {
        uint32_t control = in[i++];
        for (int bit = 0; bit < 8 && i < in.size(); ++bit, control >>= 1) {
            if (!(control & 1)) {
                out->push_back(in[i++]);
                continue;
            }
            if (i + 2 > in.size())
                return false;
            uint32_t code = in[i] | (in[i + 1] << 8);
            i += 2;
            size_t distance = (code & 0xFFF) + 1, length = (code >> 12) + 3;
            if (distance > out->size())
                return false;
            for (size_t k = 0; k < length; ++k)
                out->push_back((*out)[out->size() - distance]);
        }
    }
    return true;
}
