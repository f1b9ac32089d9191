// The setup-file writer: what it writes parses back as the installer reads
// it, and its own check catches damaged files.
#include "tools/mksetup/mksetup.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "installer/setuplayout.h"

namespace {

class MkSetup : public ::testing::Test {
protected:
    void SetUp() override {
        dir = ::testing::TempDir() + "mksetup_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(dir.c_str(), 0755);
        out = dir + "Setup.exe";
        remove(out.c_str());
    }

    std::string File(const char* name, const std::string& content) {
        std::string path = dir + name;
        FILE* f = fopen(path.c_str(), "wb");
        fwrite(content.data(), 1, content.size(), f);
        fclose(f);
        return path;
    }

    bool Make(const std::string& a, const std::string& b, const std::string& c,
              const std::string& d, const std::string& e) {
        const char* inputs[] = {a.c_str(), b.c_str(), c.c_str(), d.c_str(), e.c_str()};
        return MakeSetupFile(out.c_str(), inputs, 5, message, sizeof message);
    }

    Bytes Written() {
        Bytes b;
        EXPECT_EQ(ReadWholeFile(out.c_str(), &b), READ_OK);
        return b;
    }

    bool OutExists() {
        struct stat st;
        return stat(out.c_str(), &st) == 0;
    }

    std::string dir, out;
    char message[512] = "";
};

Bytes B(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST_F(MkSetup, WritesTheLayoutTheInstallerReads) {
    std::string program = "MZ program image";
    ASSERT_TRUE(Make(File("p.exe", program), File("h.hlp", "help"), File("t", "Name: \r\n"),
                     File("k", "Korvane"), File("l", "https://a.org/\r\n")))
        << message;
    Bytes f = Written();
    std::string all = program + "help" + "Name: \r\n" + "Korvane" + "https://a.org/\r\n";
    ASSERT_EQ(f.size(), all.size() + 28);
    EXPECT_EQ(0, memcmp(f.data(), all.data(), all.size()));

    const unsigned char trailer[] = {0xF0, 0xF0, 0x0F, 0x0F};
    EXPECT_EQ(0, memcmp(&f[f.size() - 4], trailer, 4));

    SetupTail t;
    ASSERT_TRUE(SetupParseTail(f.data(), f.size(), 5, &t));
    EXPECT_EQ(t.sizes[0], (int32_t)program.size());
    EXPECT_EQ(t.sizes[1], 4);
    EXPECT_EQ(t.sizes[2], 8);
    EXPECT_EQ(t.sizes[3], 7);
    EXPECT_EQ(t.sizes[4], 16);
    EXPECT_EQ(t.checksum, SetupChecksumAdd(0, (const unsigned char*)all.data(), all.size()));
    EXPECT_EQ(SetupEntryOffset(t.sizes, 3), (int64_t)(program.size() + 4 + 8));
    EXPECT_TRUE(SetupChecksumMatches(f.data(), f.size(), 5));
}

TEST_F(MkSetup, MissingFilesAndDashGiveEmptyEntries) {
    ASSERT_TRUE(Make(File("p.exe", "PROG"), "-", dir + "no-such-file", File("k", "K"), "-"))
        << message;
    Bytes f = Written();
    SetupTail t;
    ASSERT_TRUE(SetupParseTail(f.data(), f.size(), 5, &t));
    const int32_t expected[] = {4, 0, 0, 1, 0};
    EXPECT_EQ(0, memcmp(t.sizes, expected, sizeof expected));
    // The entry after the empty ones begins right after the program.
    EXPECT_EQ(SetupEntryOffset(t.sizes, 3), 4);
    EXPECT_EQ(f[4], 'K');
    EXPECT_EQ(f.size(), 5u + 28);
}

TEST_F(MkSetup, RefusesBadInputsAndLeavesNoOutput) {
    std::string prog = File("p.exe", "PROG");
    const char* four[] = {prog.c_str(), "-", "-", "-"};
    EXPECT_FALSE(MakeSetupFile(out.c_str(), four, 4, message, sizeof message));

    EXPECT_FALSE(Make(dir + "missing.exe", "-", "-", "-", "-"));
    EXPECT_FALSE(Make("-", "-", "-", "-", "-"));
    EXPECT_FALSE(Make(File("empty.exe", ""), "-", "-", "-", "-"));
    EXPECT_FALSE(Make(prog, dir, "-", "-", "-"));  // a folder
    EXPECT_FALSE(OutExists());

    // A setup file or an uninstaller given as the program image.
    EXPECT_FALSE(Make(File("s.exe", "PROG\xF0\xF0\x0F\x0F"), "-", "-", "-", "-"));
    EXPECT_FALSE(Make(File("u.exe", "PROG\x0F\x0F\xF0\xF0"), "-", "-", "-", "-"));
    EXPECT_TRUE(Make(File("i.exe", std::string("PROG\0\0\0\0", 8)), "-", "-", "-", "-"))
        << message;

    // Payload files out of table order.
    EXPECT_FALSE(Make(prog, "-", File("Korvane.txt", "K"), File("template._txt", "T"), "-"));
    EXPECT_TRUE(Make(prog, "-", File("template._txt", "T"), File("Korvane.txt", "K"), "-"))
        << message;

    // The output must not overwrite an input.
    std::string before = "PROG";
    out = prog;
    EXPECT_FALSE(Make(prog, "-", "-", "-", "-"));
    Bytes kept;
    ASSERT_EQ(ReadWholeFile(prog.c_str(), &kept), READ_OK);
    EXPECT_EQ(kept, B(before));
}

TEST(CheckSetupImage, CatchesEveryKindOfDamage) {
    Bytes entries[5] = {B("program"), B(""), B("tmpl"), B("contact"), B("links")};
    Bytes good;
    char message[256];
    ASSERT_TRUE(BuildSetupImage(entries, 5, &good, message, sizeof message));
    ASSERT_TRUE(CheckSetupImage(good, entries, 5, message, sizeof message)) << message;

    // One payload byte changed: both the check and the installer's
    // verification fail.
    Bytes payload = good;
    payload[9] ^= 0x20;
    EXPECT_FALSE(CheckSetupImage(payload, entries, 5, message, sizeof message));
    EXPECT_FALSE(SetupChecksumMatches(payload.data(), payload.size(), 5));

    // Two bytes changed so that the sum stays the same: the checksum passes,
    // the comparison with the inputs does not.
    Bytes swapped = good;
    swapped[0]++;
    swapped[1]--;
    EXPECT_TRUE(SetupChecksumMatches(swapped.data(), swapped.size(), 5));
    EXPECT_FALSE(CheckSetupImage(swapped, entries, 5, message, sizeof message));

    Bytes size = good;
    size[good.size() - 28 + 8] = 5;  // size of "tmpl"
    EXPECT_FALSE(CheckSetupImage(size, entries, 5, message, sizeof message));

    Bytes sum = good;
    sum[good.size() - 8] ^= 1;
    EXPECT_FALSE(CheckSetupImage(sum, entries, 5, message, sizeof message));

    Bytes trailer = good;
    trailer[good.size() - 1] = 0;
    EXPECT_FALSE(CheckSetupImage(trailer, entries, 5, message, sizeof message));

    Bytes extra = good;
    extra.insert(extra.begin() + 7, 'x');
    EXPECT_FALSE(CheckSetupImage(extra, entries, 5, message, sizeof message));

    Bytes cut(good.end() - 27, good.end());
    EXPECT_FALSE(CheckSetupImage(cut, entries, 5, message, sizeof message));

    // Sizes that claim more than the file holds are caught before any read.
    Bytes whole(good.end() - 28, good.end());
    EXPECT_FALSE(CheckSetupImage(whole, entries, 5, message, sizeof message));
}

}  // namespace
