// Book document: exact bytes, escapes in names and texts, buffering and a
// failing sink.
#include "features/bookdocument.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string HEADER =
    "{\\rtf1\\ansi {\\fonttbl {\\f0\\fswiss Verdana;} } {\\colortbl; \\red000\\green000\\blue000; }\n";
const std::string TRAILER = "\\page }";

// Keeps what it is given; refuses every write from the failAt-th on.
class StringSink : public BookDocumentSink {
public:
    explicit StringSink(int failAt = -1) : failAt(failAt) {}
    bool Write(const void* data, size_t size) override {
        if ((int)writes.size() == failAt)
            return false;
        writes.push_back(size);
        bytes.append((const char*)data, size);
        return true;
    }
    std::string bytes;
    std::vector<size_t> writes;

private:
    int failAt;
};

struct Note {
    std::string name, text;
};

std::string Book(const std::vector<Note>& notes, bool pageBreaks) {
    StringSink sink;
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, pageBreaks));
    EXPECT_TRUE(doc->Begin());
    for (const Note& n : notes)
        EXPECT_TRUE(doc->AddNote(n.name.c_str(), n.text.data(), n.text.size()));
    EXPECT_TRUE(doc->End());
    return sink.bytes;
}

TEST(BookDocument, ShoppingAndIdeas) {
    const std::vector<Note> book = {{"Ideas", ""}, {"Shopping", "milk\r\n{2}"}};
    const std::string shopping = "{\\b Shopping}\\par \\par\nmilk\\par\n\\{2\\}";
    EXPECT_EQ(Book(book, true), HEADER + shopping + "\n\\page\n" + TRAILER);
    EXPECT_EQ(Book(book, false), HEADER + shopping + "\n\\par \\par\n" + TRAILER);
}

TEST(BookDocument, EmptyBookIsHeaderAndTrailer) {
    EXPECT_EQ(Book({}, true), HEADER + TRAILER);
    EXPECT_EQ(Book({{"Empty", ""}}, false), HEADER + TRAILER);
}

TEST(BookDocument, LineEndsBecomeParagraphsWithoutCarriageReturns) {
    const std::string body = "{\\b N}\\par \\par\none\\par\ntwo\\par\nthree\\par\n\\par\nfour";
    EXPECT_EQ(Book({{"N", "one\r\ntwo\r\nthree\r\n\r\nfour"}}, true),
              HEADER + body + "\n\\page\n" + TRAILER);
    EXPECT_EQ(Book({{"N", "one\ntwo\nthr\ree\n\nfour\r"}}, true),
              HEADER + body + "\n\\page\n" + TRAILER);
}

TEST(BookDocument, EscapesBackslashesAndBracesInNameAndText) {
    const std::string doc = Book({{"a{b}\\c", "C:\\notes\\{x}\t\xE9\x80"}}, false);
    EXPECT_EQ(doc, HEADER + "{\\b a\\{b\\}\\\\c}\\par \\par\nC:\\\\notes\\\\\\{x\\}\t\xE9\x80" +
                       "\n\\par \\par\n" + TRAILER);
}

TEST(BookDocument, NotesFollowInTheOrderGiven) {
    EXPECT_EQ(Book({{"B", "2"}, {"A", "1"}}, true),
              HEADER + "{\\b B}\\par \\par\n2\n\\page\n{\\b A}\\par \\par\n1\n\\page\n" + TRAILER);
}

// An escape that straddles the end of the buffer must arrive whole, and the
// sink must get full buffers rather than many small writes.
TEST(BookDocument, LargeNotesAreWrittenInFullBuffers) {
    std::string text, expected = HEADER + "{\\b Big}\\par \\par\n";
    for (int i = 0; i < 30000; ++i) {
        text += "ab{\r\n\\";
        expected += "ab\\{\\par\n\\\\";
    }
    expected += "\n\\page\n" + TRAILER;
    StringSink sink;
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, true));
    ASSERT_TRUE(doc->Begin());
    ASSERT_TRUE(doc->AddNote("Big", text.data(), text.size()));
    ASSERT_TRUE(doc->End());
    EXPECT_EQ(sink.bytes, expected);
    ASSERT_EQ(sink.writes.size(), expected.size() / BOOK_DOCUMENT_BUFFER + 1);
    for (size_t i = 0; i + 1 < sink.writes.size(); ++i)
        EXPECT_EQ(sink.writes[i], BOOK_DOCUMENT_BUFFER);
}

TEST(BookDocument, FailingSinkIsReportedAndEndsTheWriting) {
    const std::string text(BOOK_DOCUMENT_BUFFER, 'x');
    StringSink sink(1);
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, true));
    EXPECT_TRUE(doc->Begin());
    EXPECT_TRUE(doc->AddNote("One", text.data(), text.size()));
    EXPECT_FALSE(doc->AddNote("Two", text.data(), text.size()));
    EXPECT_FALSE(doc->AddNote("Three", "y", 1));
    EXPECT_FALSE(doc->End());
    EXPECT_EQ(sink.writes.size(), 1u);

    StringSink refusing(0);
    std::unique_ptr<BookDocument> small(new BookDocument(refusing, false));
    EXPECT_TRUE(small->Begin());
    EXPECT_TRUE(small->AddNote("One", "milk", 4));
    EXPECT_FALSE(small->End());
    EXPECT_TRUE(refusing.bytes.empty());
}

TEST(BookDocument, Utf8NotesWriteUnicodeEscapesInHeadingAndText) {
    StringSink sink;
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, true));
    const std::string text = "Caf\xC3\xA9 {\xE2\x80\x94}\r\n\xEF\xBF\xBF\xF0\x9F\x98\x80 \xFF";
    EXPECT_TRUE(doc->Begin());
    EXPECT_TRUE(doc->AddUtf8Note("Z\xC3\xBCrich", text.data(), text.size()));
    EXPECT_TRUE(doc->End());
    EXPECT_EQ(sink.bytes, HEADER + "{\\b Z\\u252?rich}\\par \\par\n"
                                   "Caf\\u233? \\{\\u8212?\\}\\par\n"
                                   "\\u-1?\\u-10179?\\u-8704? \\u-3?"
                                   "\n\\page\n" + TRAILER);
}

}  // namespace
