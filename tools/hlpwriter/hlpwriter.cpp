// Internal files, directory and header of a help file.
#include "tools/hlpwriter/hlpwriter.h"

#include <algorithm>
#include <string>
#include <utility>

#include "tools/hlpwriter/bytewriter.h"
#include "tools/hlpwriter/contexthash.h"
#include "tools/hlpwriter/topicfile.h"

namespace {

constexpr uint32_t kMagic = 0x00035F3F;
constexpr uint32_t kFileHeader = 16;
constexpr uint32_t kInternalHeader = 9;
constexpr uint32_t kBTreeHeader = 38;
constexpr uint16_t kDirectoryPage = 0x400;
constexpr uint16_t kContextPage = 0x800;

constexpr uint16_t kSystemMagic = 0x036C;
constexpr uint16_t kVersion31 = 21;
constexpr uint16_t kSystemCompressed = 4;
constexpr uint16_t kSysTitle = 1;
constexpr uint16_t kSysContents = 3;
constexpr uint16_t kSysMacro = 4;
constexpr uint16_t kSysWindow = 6;

constexpr char kFace[] = "Arial";
constexpr uint16_t kFaceSlot = 20;
constexpr uint8_t kFamilySwiss = 3;
constexpr uint8_t kBold = 1;

struct InternalFile {
    std::string name;
    std::vector<uint8_t> payload;
};

// A B+ tree of one leaf page, enough for this file's few entries.
std::vector<uint8_t> SingleLeafTree(uint16_t flags, uint16_t pageSize, const char* layout,
                                    uint32_t count, const std::vector<uint8_t>& entries) {
    ByteWriter out;
    out.U16(0x293B);
    out.U16(flags);
    out.U16(pageSize);
    out.Field(layout, 16);
    out.U16(0);       // must be zero
    out.U16(0);       // page splits
    out.U16(0);       // root page
    out.U16(0xFFFF);  // must be -1
    out.U16(1);       // pages
    out.U16(1);       // levels
    out.U32(count);
    out.U16(uint32_t(pageSize - 8 - entries.size()));  // free bytes at the page end
    out.U16(count);
    out.U16(0xFFFF);  // no previous leaf
    out.U16(0xFFFF);  // no next leaf
    out.Bytes(entries);
    out.PadTo(kBTreeHeader + pageSize);
    return out.Take();
}

void SystemRecord(ByteWriter* out, uint16_t type, const std::vector<uint8_t>& data) {
    out->U16(type);
    out->U16(uint32_t(data.size()));
    out->Bytes(data);
}

std::vector<uint8_t> TextZ(const std::string& text) {
    ByteWriter w;
    w.TextZ(text);
    return w.Take();
}

// The main window's record: its name and caption. Without it the viewer
// adds its own name and the file's path to the caption.
std::vector<uint8_t> MainWindow(const std::string& caption) {
    ByteWriter w;
    w.U16(0x0002 | 0x0004);  // name and caption are set
    w.Field("", 10);         // type
    w.Field("main", 9);
    w.Field(caption, 51);
    w.Zeros(90 - w.Size());  // position, size, state and colours: defaults
    return w.Take();
}

InternalFile SystemFile(const HelpSource& source, const TopicFile& topics) {
    ByteWriter out;
    out.U16(kSystemMagic);
    out.U16(kVersion31);
    out.U16(1);  // major version
    out.U32(0);  // build date
    out.U16(topics.compressed ? kSystemCompressed : 0);
    SystemRecord(&out, kSysTitle, TextZ(source.caption));
    ByteWriter contents;
    contents.U32(topics.topicOffsets[0]);
    SystemRecord(&out, kSysContents, contents.Data());
    SystemRecord(&out, kSysWindow, MainWindow(source.caption));
    // The << and >> buttons page through the topics in source order.
    SystemRecord(&out, kSysMacro, TextZ("BrowseButtons()"));
    return {"|SYSTEM", out.Take()};
}

void FontDescriptor(ByteWriter* out, uint8_t attributes, uint8_t halfPoints) {
    out->U8(attributes);
    out->U8(halfPoints);
    out->U8(kFamilySwiss);
    out->U16(0);  // face index
    out->Zeros(3);  // black text
    for (int i = 0; i < 3; ++i)
        out->U8(255);  // on white
}

// Indexed by HelpFontIndex.
InternalFile FontFile() {
    ByteWriter out;
    out.U16(1);  // face names
    out.U16(kHelpFontCount);
    out.U16(8);
    out.U16(8 + kFaceSlot);
    out.Field(kFace, kFaceSlot);
    FontDescriptor(&out, 0, 20);      // normal, 10 points
    FontDescriptor(&out, kBold, 20);  // heading
    FontDescriptor(&out, kBold, 28);  // title, 14 points
    return {"|FONT", out.Take()};
}

// Context-name hashes, sorted as signed numbers: the viewer stops at the first larger key.
InternalFile ContextFile(const HelpSource& source, const TopicFile& topics) {
    std::vector<std::pair<int32_t, uint32_t>> entries;
    for (size_t t = 0; t < source.topics.size(); ++t)
        for (const HelpContext& c : source.topics[t].contexts)
            entries.push_back({HelpContextHash(c.name), topics.topicOffsets[t]});
    std::sort(entries.begin(), entries.end());
    ByteWriter leaf;
    for (const auto& e : entries) {
        leaf.U32(uint32_t(e.first));
        leaf.U32(e.second);
    }
    return {"|CONTEXT", SingleLeafTree(0x0002, kContextPage, "L4", uint32_t(entries.size()),
                                       leaf.Data())};
}

InternalFile ContextMapFile(const HelpSource& source, const TopicFile& topics) {
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    for (size_t t = 0; t < source.topics.size(); ++t)
        for (const HelpContext& c : source.topics[t].contexts)
            if (c.hasNumber)
                entries.push_back({c.number, topics.topicOffsets[t]});
    std::sort(entries.begin(), entries.end());
    ByteWriter out;
    out.U16(uint32_t(entries.size()));
    for (const auto& e : entries) {
        out.U32(e.first);
        out.U32(e.second);
    }
    return {"|CTXOMAP", out.Take()};
}

void InternalHeader(ByteWriter* out, size_t payload) {
    // The reserved size must be exact: the viewer reads up to it.
    out->U32(uint32_t(payload + kInternalHeader));
    out->U32(uint32_t(payload));
    out->U8(4);
}

// The directory lists the files by name in byte order; the files follow it
// in that order.
std::vector<uint8_t> Assemble(std::vector<InternalFile> files) {
    std::sort(files.begin(), files.end(),
              [](const InternalFile& a, const InternalFile& b) { return a.name < b.name; });
    uint32_t offset = kFileHeader + kInternalHeader + kBTreeHeader + kDirectoryPage;
    ByteWriter entries;
    for (const InternalFile& f : files) {
        entries.TextZ(f.name);
        entries.U32(offset);
        offset += uint32_t(kInternalHeader + f.payload.size());
    }
    std::vector<uint8_t> directory =
        SingleLeafTree(0x0402, kDirectoryPage, "z4", uint32_t(files.size()), entries.Data());

    ByteWriter out;
    out.U32(kMagic);
    out.U32(kFileHeader);  // the directory follows the header
    out.U32(0xFFFFFFFF);   // no free blocks
    out.U32(offset);       // total size
    InternalHeader(&out, directory.size());
    out.Bytes(directory);
    for (const InternalFile& f : files) {
        InternalHeader(&out, f.payload.size());
        out.Bytes(f.payload);
    }
    return out.Take();
}

}  // namespace

std::vector<uint8_t> WriteHelpFile(const HelpSource& source) {
    TopicFile topics = BuildTopicFile(source);
    std::vector<InternalFile> files;
    files.push_back(SystemFile(source, topics));
    files.push_back(FontFile());
    files.push_back(ContextFile(source, topics));
    files.push_back(ContextMapFile(source, topics));
    files.push_back({"|TOPIC", std::move(topics.bytes)});
    return Assemble(std::move(files));
}
