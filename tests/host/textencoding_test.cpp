// Text encodings: which one a note's bytes are in, the encoding a save
// uses, and UTF-8 to UTF-16 and back.
#include "util/textencoding.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TextEncoding Of(const std::string& bytes, bool cut = false) {
    return TextEncodingOf(bytes.data(), bytes.size(), cut);
}

std::u16string ToUtf16(const std::string& s) {
    std::u16string out(s.size(), u'\0');
    out.resize(Utf8ToUtf16(s.data(), s.size(), &out[0]));
    return out;
}

std::string ToUtf8(const std::u16string& s) {
    std::string out(s.size() * 3, '\0');
    out.resize(Utf16ToUtf8(s.data(), s.size(), &out[0]));
    return out;
}

TEST(TextEncoding, ByteOrderMarkOrMultiByteSequenceMeansUtf8) {
    EXPECT_EQ(Of("\xEF\xBB\xBFplain"), TEXT_UTF8_BOM);
    EXPECT_EQ(Of("\xEF\xBB\xBF"), TEXT_UTF8_BOM);
    EXPECT_EQ(Of("\xEF\xBB\xBF\xFF not UTF-8 after the mark"), TEXT_UTF8_BOM);
    EXPECT_EQ(Of("Caf\xC3\xA9 menu \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"),
              TEXT_UTF8);
    EXPECT_EQ(Of("Z\xC3\xBCrich 20\xE2\x82\xAC, a line long enough for whole words"), TEXT_UTF8);
    EXPECT_EQ(Of(""), TEXT_CODE_PAGE);
    EXPECT_EQ(Of("pure ASCII, more than one machine word of it\r\n"), TEXT_CODE_PAGE);
}

TEST(TextEncoding, EveryCodePageByteOnItsOwnIsCodePage) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string text = std::string("Caf") + (char)b + " au lait";
        EXPECT_EQ(Of(text), TEXT_CODE_PAGE) << b;
        EXPECT_EQ(Of(text.substr(0, 4)), TEXT_CODE_PAGE) << b;
    }
}

TEST(TextEncoding, InvalidSequencesMeanCodePage) {
    const char* invalid[] = {
        "\xC0\xAF",          // overlong slash
        "\xE0\x80\xAF",      // overlong, three bytes
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xC3",              // cut short at the end
        "\xE2\x82 x",        // cut short before ASCII
        "\xC3\xA9\xA9",      // a stray continuation byte after a valid one
        "\xC3\xA9 \xE9t\xE9",  // valid, then Latin-1
    };
    for (const char* bytes : invalid)
        EXPECT_EQ(Of(bytes), TEXT_CODE_PAGE) << bytes;
}

TEST(TextEncoding, CutFileMayEndInsideASequence) {
    EXPECT_EQ(Of("Caf\xC3\xA9 \xE2\x82", true), TEXT_UTF8);
    EXPECT_EQ(Of("Caf\xC3\xA9 \xF0\x9F\x98", true), TEXT_UTF8);
    EXPECT_EQ(Of("Caf\xC3\xA9 \xE2\x82", false), TEXT_CODE_PAGE);
    EXPECT_EQ(Of("Caf\xC3\xA9 \xED\xA0", true), TEXT_CODE_PAGE);  // would be a surrogate
    EXPECT_EQ(Of("Caf\xE9", true), TEXT_CODE_PAGE);
}

TEST(TextEncoding, SaveKeepsTheEncodingUnlessACharacterDoesNotFit) {
    EXPECT_EQ(TextSaveEncoding(TEXT_CODE_PAGE, true), TEXT_CODE_PAGE);
    EXPECT_EQ(TextSaveEncoding(TEXT_CODE_PAGE, false), TEXT_UTF8_BOM);
    EXPECT_EQ(TextSaveEncoding(TEXT_UTF8, false), TEXT_UTF8);
}

TEST(TextEncoding, ConvertsBothWaysWithReplacementCharacters) {
    const std::string text = "Caf\xC3\xA9 \xE2\x80\x94 \xE6\x97\xA5 \xF0\x9F\x98\x80\r\n";
    const std::u16string wide = u"Caf\u00E9 \u2014 \u65E5 \U0001F600\r\n";
    EXPECT_EQ(ToUtf16(text), wide);
    EXPECT_EQ(ToUtf8(wide), text);
    EXPECT_EQ(ToUtf16("a\xFF\xC3z\xE2\x82"), u"a\uFFFD\uFFFDz\uFFFD\uFFFD");
    const char16_t lone[] = {u'a', 0xD83D, u'b', 0xDE00};
    EXPECT_EQ(ToUtf8(std::u16string(lone, 4)), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

// Decoded as the editor gets it, then encoded as a save writes it.
std::string RoundTrip(const std::string& bytes, TextEncoding encoding, bool* whole,
                      std::u16string* shown = nullptr) {
    size_t bom = TextBomSize(encoding);
    std::u16string wide(bytes.size(), u'\0');
    wide.resize(TextDecode(bytes.data() + bom, bytes.size() - bom, encoding, &wide[0], whole));
    if (shown)
        *shown = wide;
    std::string out(TEXT_ENCODED_MAX(wide.size()), '\0');
    out.resize(TextEncode(wide.data(), wide.size(), encoding, &out[0]));
    return out;
}

TEST(TextEncoding, MarksNameUtf16AndAFewStrayBytesKeepUtf8) {
    EXPECT_EQ(Of(std::string("\xFF\xFEG\0r\0", 6)), TEXT_UTF16LE_BOM);
    EXPECT_EQ(Of(std::string("\xFE\xFF\0G\0r", 6)), TEXT_UTF16BE_BOM);
    EXPECT_EQ(Of("Gr\xC3\xBC\xC3\x9F" "e \xFF aus Z\xC3\xBCrich"), TEXT_UTF8);
    EXPECT_EQ(Of("Gr\xC3\xBC\xC3\x9F" "e \xFF\xFE aus Z\xC3\xBCrich"), TEXT_CODE_PAGE);
}

// What cannot be decoded comes back as it was, and what was decoded is what
// the user reads.
TEST(TextEncoding, EveryNoteComesBackByteForByte) {
    bool whole = false;
    std::u16string shown;
    std::string damaged = "\xEF\xBB\xBF" "Caf\xC3\xA9 \xFF\xC3 z \xED\xA0\x80 \xF0\x9F\x98\x80";
    EXPECT_EQ(RoundTrip(damaged, TEXT_UTF8_BOM, &whole, &shown), damaged);
    EXPECT_TRUE(whole);
    EXPECT_EQ(shown.substr(0, 5), u"Caf\u00E9 ");
    std::string bare = "Gr\xC3\xBC\xC3\x9F" "e \xFF\r\n";
    EXPECT_EQ(RoundTrip(bare, TEXT_UTF8, &whole), bare);

    const char16_t units[] = {u'G', 0xFC, 0xD83D, u'\r', u'\n', 0xDC80, 0xD83D, 0xDE00};
    std::string little("\xFF\xFE", 2), big("\xFE\xFF", 2);
    for (char16_t u : units) {
        little += {(char)(u & 0xFF), (char)(u >> 8)};
        big += {(char)(u >> 8), (char)(u & 0xFF)};
    }
    EXPECT_EQ(RoundTrip(little, TEXT_UTF16LE_BOM, &whole, &shown), little);
    EXPECT_EQ(shown, std::u16string(units, 8));
    EXPECT_TRUE(whole);
    EXPECT_EQ(RoundTrip(big, TEXT_UTF16BE_BOM, &whole), big);

    RoundTrip(little + "x", TEXT_UTF16LE_BOM, &whole);
    EXPECT_FALSE(whole) << "an odd last byte";
    RoundTrip(std::string("a\0b", 3), TEXT_UTF8, &whole);
    EXPECT_FALSE(whole) << "a zero character";
}

}  // namespace

namespace {

// Notes written on other systems end their lines in bare line feeds, and get
// them back; any carriage return makes them the editor's CR LF.
TEST(TextEncoding, BareLineFeedsAreKnownAndGivenBack) {
    EXPECT_TRUE(TextHasBareLineFeeds("one\ntwo\n", 8, TEXT_CODE_PAGE));
    EXPECT_FALSE(TextHasBareLineFeeds("one\r\ntwo\n", 9, TEXT_CODE_PAGE));
    EXPECT_FALSE(TextHasBareLineFeeds("one line", 8, TEXT_UTF8));
    std::string text = "\xEF\xBB\xBFone\r\ntwo\r\n\r";
    text.resize(TextToBareLineFeeds(&text[0], text.size(), TEXT_UTF8_BOM));
    EXPECT_EQ(text, "\xEF\xBB\xBFone\ntwo\n\r");

    std::string wide("\xFF\xFEo\0\r\0\n\0t\0", 10);
    EXPECT_FALSE(TextHasBareLineFeeds(wide.data(), wide.size(), TEXT_UTF16LE_BOM));
    wide.resize(TextToBareLineFeeds(&wide[0], wide.size(), TEXT_UTF16LE_BOM));
    EXPECT_EQ(wide, std::string("\xFF\xFEo\0\n\0t\0", 8));
    EXPECT_TRUE(TextHasBareLineFeeds(wide.data(), wide.size(), TEXT_UTF16LE_BOM));
    std::string big("\xFE\xFF\0o\0\n", 6);
    EXPECT_TRUE(TextHasBareLineFeeds(big.data(), big.size(), TEXT_UTF16BE_BOM));
}

}  // namespace
