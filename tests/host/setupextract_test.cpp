// The install job's extraction from a setup file in memory into targets in
// memory: what a damaged file, a failed write and Cancel lead to.
#include "installer/setupextract.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const SetupFileEntry kTable[] = {{0, "a.exe"}, {"Book", "b.txt"}, {"Book", "c.txt"}, {0, 0}};

class MemorySource : public SetupSource {
public:
    explicit MemorySource(const std::string& bytes) : file(bytes), at(0) {}
    bool ReadTail(unsigned char* bytes, int length) override {
        if ((size_t)length > file.size())
            return false;
        file.copy((char*)bytes, (size_t)length, file.size() - (size_t)length);
        return true;
    }
    void Rewind() override { at = 0; }
    uint32_t Read(unsigned char* buffer, uint32_t want) override {
        size_t n = file.copy((char*)buffer, want, at);
        at += n;
        return (uint32_t)n;
    }
    std::string file;
    size_t at;
};

// Keeps what is written; can refuse a file, cut a write or cancel.
class MemoryTarget : public SetupTarget {
public:
    bool Create(int index, const SetupFileEntry&) override {
        if (index == refuseCreate)
            return false;
        files.push_back(std::string());
        return true;
    }
    bool Write(const unsigned char* data, uint32_t length) override {
        if (files.back().size() + length > writeLimit) {
            files.back().append((const char*)data, writeLimit - files.back().size());
            return false;
        }
        files.back().append((const char*)data, length);
        return true;
    }
    bool Close() override {
        ++closed;
        return true;
    }
    bool Cancelled(uint64_t done, uint64_t total) override {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        lastTotal = total;
        return done >= cancelAt;
    }

    std::vector<std::string> files;
    int refuseCreate = -1;
    size_t writeLimit = (size_t)-1;
    uint64_t cancelAt = (uint64_t)-1;
    uint64_t lastDone = 0, lastTotal = 0;
    int closed = 0;
};

std::string LE32(uint32_t v) {
    unsigned char p[4];
    WriteLE32(p, v);
    return std::string((const char*)p, 4);
}

// A setup file of three entries, the middle one 10,000 bytes long.
std::string SetupFile(uint32_t checksumDelta = 0, int32_t lastSize = 3) {
    std::string data[3] = {"MZ program", std::string(10000, 'n'), "abc"};
    std::string file;
    uint32_t sum = 0;
    for (const std::string& d : data) {
        file += d;
        sum = SetupChecksumAdd(sum, (const unsigned char*)d.data(), d.size());
    }
    file += LE32((uint32_t)data[0].size()) + LE32((uint32_t)data[1].size()) + LE32((uint32_t)lastSize);
    return file + LE32(sum + checksumDelta) + LE32(SETUP_TRAILER_INSTALL);
}

TEST(SetupExtract, CopiesEveryEntryAndFingerprintsWhatItWrote) {
    MemorySource source(SetupFile());
    MemoryTarget target;
    SetupWritten written;
    ASSERT_EQ(SetupExtract(&source, &target, kTable, 3, &written), SETUP_EXTRACTED);
    ASSERT_EQ(target.files.size(), 3u);
    EXPECT_EQ(target.files[0], "MZ program");
    EXPECT_EQ(target.files[1], std::string(10000, 'n'));
    EXPECT_EQ(target.files[2], "abc");
    EXPECT_EQ(target.closed, 3);
    EXPECT_EQ(written.size[2], 3);
    EXPECT_EQ(written.fingerprint[2],
              SetupFingerprintAdd(SETUP_FINGERPRINT_START, (const unsigned char*)"abc", 3));
    EXPECT_NE(written.fingerprint[1], written.fingerprint[2]);
    char text[SETUP_FINGERPRINT_TEXT];
    SetupFingerprintText(3, 0xE71FA2190541574Bull, text);
    EXPECT_STREQ(text, "3:e71fa2190541574b");
}

TEST(SetupExtract, AShortOrFailedWriteStopsTheInstall) {
    MemorySource source(SetupFile());
    MemoryTarget cut;
    cut.writeLimit = 5000;
    EXPECT_EQ(SetupExtract(&source, &cut, kTable, 3, NULL), SETUP_WRITE_FAILED);
    EXPECT_EQ(cut.files.size(), 2u) << "nothing after the cut file";
    EXPECT_EQ(cut.closed, 1 + 1);

    MemoryTarget refused;
    refused.refuseCreate = 1;
    EXPECT_EQ(SetupExtract(&source, &refused, kTable, 3, NULL), SETUP_WRITE_FAILED);
    EXPECT_EQ(refused.files.size(), 1u);
}

TEST(SetupExtract, DamagedFilesAreCorrupt) {
    MemoryTarget changed;
    MemorySource changedSource(SetupFile(1));
    EXPECT_EQ(SetupExtract(&changedSource, &changed, kTable, 3, NULL), SETUP_CORRUPT);
    EXPECT_EQ(changed.files.size(), 3u) << "a wrong checksum shows after the copy";

    // Sizes beyond the end of the file: the copy stops where the file does.
    MemoryTarget longer;
    MemorySource longerSource(SetupFile(0, 1 << 30));
    EXPECT_EQ(SetupExtract(&longerSource, &longer, kTable, 3, NULL), SETUP_CORRUPT);
    EXPECT_EQ(longer.files.size(), 3u);

    MemoryTarget none;
    MemorySource tiny("short");
    EXPECT_EQ(SetupExtract(&tiny, &none, kTable, 3, NULL), SETUP_CORRUPT);
    EXPECT_TRUE(none.files.empty());
}

// The check reads the whole payload and writes nothing; a damaged file is
// found there. The progress runs over the check, then over the copy.
TEST(SetupExtract, TheCheckFindsDamageBeforeAnythingIsWritten) {
    for (MemorySource damaged : {MemorySource(SetupFile(1)), MemorySource(SetupFile(0, 1 << 30)),
                                 MemorySource("short")}) {
        MemoryTarget target;
        EXPECT_EQ(SetupCheck(&damaged, &target, 3), SETUP_CORRUPT);
        EXPECT_TRUE(target.files.empty());
    }

    MemorySource source(SetupFile());
    MemoryTarget halves;
    ASSERT_EQ(SetupCheck(&source, &halves, 3), SETUP_INTACT);
    EXPECT_TRUE(halves.files.empty());
    EXPECT_EQ(halves.lastDone, 10013u);
    EXPECT_EQ(halves.lastTotal, 2 * 10013u);
    ASSERT_EQ(SetupExtract(&source, &halves, kTable, 3, NULL), SETUP_EXTRACTED);
    EXPECT_EQ(halves.lastDone, 2 * 10013u);
    EXPECT_EQ(halves.files[1], std::string(10000, 'n'));
}

TEST(SetupExtract, CancelStopsAfterTheCurrentChunk) {
    MemorySource source(SetupFile());
    MemoryTarget target;
    target.cancelAt = 10013 + 20;
    EXPECT_EQ(SetupExtract(&source, &target, kTable, 3, NULL), SETUP_CANCELLED);
    ASSERT_EQ(target.files.size(), 2u);
    EXPECT_EQ(target.files[1].size(), (size_t)SETUP_CHUNK);
    EXPECT_EQ(target.closed, 2);
}

}  // namespace
