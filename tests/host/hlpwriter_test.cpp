// The help file writer, checked by reading what it writes with the test
// reader (tests/host/hlpreader), which follows the viewer's rules.
#include "tools/hlpwriter/hlpwriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "tests/host/hlpreader.h"
#include "tools/hlpwriter/contexthash.h"
#include "tools/hlpwriter/lz77.h"

namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;

HelpSource Parse(const std::string& text) {
    HelpSource source;
    std::string error;
    EXPECT_TRUE(ParseHelpSource(text, &source, &error)) << error;
    return source;
}

::testing::AssertionResult WriteAndRead(const HelpSource& source, HlpFile* file) {
    std::string error;
    if (!ReadHlpFile(WriteHelpFile(source), file, &error))
        return ::testing::AssertionFailure() << error;
    return ::testing::AssertionSuccess();
}

// Every topic shows its title and then its paragraphs, whole and in order;
// its contexts lead to it; browsing follows the source order.
void ExpectShowsSource(const HelpSource& source, const HlpFile& file) {
    ASSERT_EQ(file.topics.size(), source.topics.size());
    for (size_t t = 0; t < source.topics.size(); ++t) {
        const HelpTopic& expected = source.topics[t];
        const HlpTopic& topic = file.topics[t];
        EXPECT_EQ(topic.title, expected.title);
        EXPECT_EQ(topic.number, t);
        EXPECT_EQ(topic.browseBack, t > 0 ? file.topics[t - 1].offset : kNone);
        EXPECT_EQ(topic.browseForward, t + 1 < file.topics.size() ? file.topics[t + 1].offset : kNone);
        for (const HelpContext& c : expected.contexts) {
            EXPECT_EQ(file.TopicOfContext(c.name), int(t)) << c.name;
            if (c.hasNumber) {
                EXPECT_EQ(file.TopicOfNumber(c.number), int(t)) << c.number;
            }
        }
        ASSERT_EQ(topic.paragraphs.size(), expected.paragraphs.size() + 1) << expected.title;
        EXPECT_EQ(topic.paragraphs[0].text, expected.title);
        EXPECT_EQ(topic.paragraphs[0].font, 2);
        for (size_t p = 0; p < expected.paragraphs.size(); ++p) {
            const HelpParagraph& want = expected.paragraphs[p];
            const HlpParagraph& got = topic.paragraphs[p + 1];
            std::string text = want.text;
            if (want.kind == HelpParagraphKind::Item)
                text = "\x95 " + want.text;
            if (want.kind == HelpParagraphKind::Link) {
                text = source.topics[size_t(FindHelpTopic(source, want.text))].title;
                EXPECT_EQ(got.jumps, std::vector<int32_t>{HlpContextHash(want.text)});
            } else {
                EXPECT_TRUE(got.jumps.empty());
            }
            EXPECT_EQ(got.text, text) << expected.title << ", paragraph " << p;
            EXPECT_EQ(got.font, want.kind == HelpParagraphKind::Heading ? 1 : 0);
        }
    }
}

TEST(HelpContextHash, MatchesKnownValuesAndTheReader) {
    EXPECT_EQ(HelpContextHash(""), 0);
    EXPECT_EQ(HelpContextHash("a"), 17);
    EXPECT_EQ(HelpContextHash("ab"), 17 * 43 + 18);
    EXPECT_EQ(HelpContextHash("AB"), HelpContextHash("ab"));
    EXPECT_EQ(HelpContextHash("a-b c"), HelpContextHash("abc"));  // other characters are skipped
    EXPECT_EQ(HelpContextHash("0"), 10);
    EXPECT_EQ(HelpContextHash("9"), 9);
    EXPECT_EQ(HelpContextHash("_."), 13 * 43 + 12);
    // Long names wrap around 32 bits.
    EXPECT_EQ(HelpContextHash("diary_properties"), 488767481);
    EXPECT_EQ(HelpContextHash("book_properties"), 2131249467);
    EXPECT_EQ(HelpContextHash("shared_folders"), -1933805111);
    for (const char* name : {"contents", "installing", "tray_icon", "x.y_z09", "zzzzzzzzzzzzzzzzzzzz"})
        EXPECT_EQ(HelpContextHash(name), HlpContextHash(name)) << name;
}

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(n);
    for (uint8_t& b : bytes)
        b = uint8_t(random());
    return bytes;
}

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

TEST(Lz77, RoundTripsEveryKindOfData) {
    std::string prose;
    for (int i = 0; i < 60; ++i)
        prose += "The note is saved three seconds after the last key press. ";
    std::vector<uint8_t> farRepeat = RandomBytes(4100, 7);  // copies at the window's far edge
    farRepeat.insert(farRepeat.end(), farRepeat.begin(), farRepeat.begin() + 200);
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        {42},
        Bytes("abcabcabcabcabcabcabcabcabc"),
        std::vector<uint8_t>(1000, 'a'),  // copies that overlap what they produce
        Bytes(prose),
        RandomBytes(3630, 1),
        farRepeat,
    };
    for (const std::vector<uint8_t>& input : inputs) {
        std::vector<uint8_t> packed = Lz77Compress(input);
        std::vector<uint8_t> unpacked;
        ASSERT_TRUE(HlpLz77Decompress(packed, &unpacked)) << input.size();
        EXPECT_EQ(unpacked, input);
        EXPECT_LE(packed.size(), Lz77WorstCase(input.size()));
    }
    EXPECT_LT(Lz77Compress(Bytes(prose)).size(), prose.size() / 6);
    EXPECT_LT(Lz77Compress(std::vector<uint8_t>(1000, 'a')).size(), 150u);
}

const char kSmallSource[] =
    ".caption Jotwell Help\n"
    ".topic Jotwell Help Contents\n"
    ".context contents\n"
    "Choose a topic:\n"
    ".link diary_properties\n"
    ".link book_properties\n"
    ".topic Diary books\n"
    ".context diary_properties 102\n"
    ".heading Diary Properties\n"
    "Choose \"Week per view\" or \"Day per view\".\n"
    ".topic Book properties\n"
    ".context book_properties 103\n"
    ".context template\n"
    "- Read only book folder\n"
    "- Default Template Text\n";

TEST(HelpFileWriter, SmallFileFitsOneUncompressedBlock) {
    HelpSource source = Parse(kSmallSource);
    HlpFile file;
    ASSERT_TRUE(WriteAndRead(source, &file));

    EXPECT_EQ(file.directory,
              (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC"}));
    EXPECT_EQ(file.title, "Jotwell Help");
    EXPECT_EQ(file.windowName, "main");
    EXPECT_EQ(file.windowCaption, "Jotwell Help");
    EXPECT_EQ(file.macros, std::vector<std::string>{"BrowseButtons()"});
    EXPECT_EQ(file.systemFlags, 0);
    EXPECT_EQ(file.topicBlocks, 1u);
    ASSERT_TRUE(file.hasContents);
    EXPECT_EQ(file.TopicAt(file.contents), 0);

    ASSERT_EQ(file.fonts.size(), 3u);
    for (const HlpFont& font : file.fonts)
        EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(file.fonts[0].attributes, 0);
    EXPECT_EQ(file.fonts[1].attributes, 1);  // bold
    EXPECT_EQ(file.fonts[0].halfPoints, 20);

    EXPECT_EQ(file.contexts.size(), 4u);
    EXPECT_EQ(file.contextNumbers.size(), 2u);
    EXPECT_EQ(file.TopicOfNumber(102), 1);
    EXPECT_EQ(file.TopicOfNumber(103), 2);
    EXPECT_EQ(file.TopicOfContext("TEMPLATE"), 2);
    ExpectShowsSource(source, file);
}

// Words from a small vocabulary in random order: text that compresses
// about as well as real help text does.
std::string RandomText(std::mt19937* random, size_t length) {
    static const char* const words[] = {"note", "book", "diary", "folder", "the", "saved",
                                        "Find", "Print", "hot", "key", "tray", "shared"};
    std::string text;
    while (text.size() < length)
        text += std::string(words[(*random)() % 12]) + " ";
    text.resize(length);
    return text;
}

TEST(HelpFileWriter, LongTextSpreadsOverCompressedBlocks) {
    std::mt19937 random(3);
    std::string text = ".caption Long\n";
    for (int t = 0; t < 12; ++t) {
        text += ".topic Topic " + std::to_string(t) + "\n";
        text += ".context topic" + std::to_string(t) + " " + std::to_string(500 + t) + "\n";
        for (int p = 0; p < 25; ++p) {
            size_t length = p % 5 == 4 ? kHelpMaxParagraph : 1 + random() % 300;
            text += RandomText(&random, length) + "\n\n";
        }
        // Letters that do not repeat: blocks filled to their worst case.
        std::string noise = "x";  // a letter first, so the line is text
        for (uint8_t b : RandomBytes(kHelpMaxParagraph - 1, unsigned(t)))
            noise += char('!' + b % 90);
        text += noise + "\n";
    }
    HelpSource source = Parse(text);
    HlpFile file;
    ASSERT_TRUE(WriteAndRead(source, &file));
    EXPECT_EQ(file.systemFlags, 4);
    EXPECT_GT(file.topicBlocks, 20u);
    EXPECT_GE(file.topics.back().offset, 0x8000u * 20);  // offsets name later blocks
    for (int t = 0; t < 12; ++t)
        EXPECT_EQ(file.TopicOfNumber(uint32_t(500 + t)), t);
    ExpectShowsSource(source, file);
}

std::string ReadProjectFile(const std::string& relative) {
    std::string here = __FILE__;  // tests/host/hlpwriter_test.cpp
    std::string root = here.substr(0, here.rfind("tests/host/"));
    std::ifstream in(root + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HelpFileWriter, WritesTheProgramsHelp) {
    std::string text = ReadProjectFile("help/jotwell.help");
    ASSERT_FALSE(text.empty());
    HelpSource source = Parse(text);
    HlpFile file;
    ASSERT_TRUE(WriteAndRead(source, &file));
    EXPECT_EQ(file.title, "Jotwell Help");
    EXPECT_EQ(file.windowCaption, "Jotwell Help");
    ExpectShowsSource(source, file);

    // The contexts the program asks for.
    ASSERT_GE(file.TopicOfNumber(102), 0);
    ASSERT_GE(file.TopicOfNumber(103), 0);
    EXPECT_EQ(file.topics[size_t(file.TopicOfNumber(102))].title, "Diary books");
    EXPECT_EQ(file.topics[size_t(file.TopicOfNumber(103))].title, "Book properties");

    // The contents topic comes first and leads to every other topic.
    EXPECT_EQ(file.TopicAt(file.contents), 0);
    std::vector<bool> listed(file.topics.size(), false);
    for (const HlpParagraph& p : file.topics[0].paragraphs)
        for (int32_t hash : p.jumps)
            if (file.contexts.count(hash))
                listed[size_t(file.TopicAt(file.contexts.at(hash)))] = true;
    for (size_t t = 1; t < file.topics.size(); ++t)
        EXPECT_TRUE(listed[t]) << file.topics[t].title;
}

}  // namespace
