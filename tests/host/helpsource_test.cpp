// The help source parser: what it reads, and the faults it reports by line.
#include "tools/hlpwriter/helpsource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kSource[] =
    "# A comment\n"
    ".caption Jotwell Help\n"
    ".topic Contents\n"
    ".context contents\n"
    "Jotwell keeps notes\n"
    "  in books.\n"
    "\n"
    ".link diary_properties\n"
    ".topic Diary books\r\n"
    ".context diary_properties 102\n"
    ".context diary\n"
    ".heading Creating a diary\n"
    "- First item\n"
    "  goes on.\n"
    "- Second item\n"
    "\n"
    "\\.topic is text here\n"
    "\tTabbed text.\n";

TEST(HelpSourceParser, ReadsTopicsContextsAndParagraphs) {
    HelpSource source;
    std::string error;
    ASSERT_TRUE(ParseHelpSource(kSource, &source, &error)) << error;
    EXPECT_EQ(source.caption, "Jotwell Help");
    ASSERT_EQ(source.topics.size(), 2u);

    const HelpTopic& contents = source.topics[0];
    EXPECT_EQ(contents.title, "Contents");
    ASSERT_EQ(contents.contexts.size(), 1u);
    EXPECT_FALSE(contents.contexts[0].hasNumber);
    ASSERT_EQ(contents.paragraphs.size(), 2u);
    EXPECT_EQ(contents.paragraphs[0].text, "Jotwell keeps notes in books.");
    EXPECT_EQ(contents.paragraphs[0].line, 5);
    EXPECT_EQ(contents.paragraphs[1].kind, HelpParagraphKind::Link);
    EXPECT_EQ(contents.paragraphs[1].text, "diary_properties");

    const HelpTopic& diary = source.topics[1];
    EXPECT_EQ(diary.title, "Diary books");
    ASSERT_EQ(diary.contexts.size(), 2u);
    EXPECT_EQ(diary.contexts[0].name, "diary_properties");
    EXPECT_TRUE(diary.contexts[0].hasNumber);
    EXPECT_EQ(diary.contexts[0].number, 102u);
    ASSERT_EQ(diary.paragraphs.size(), 4u);
    EXPECT_EQ(diary.paragraphs[0].kind, HelpParagraphKind::Heading);
    EXPECT_EQ(diary.paragraphs[0].text, "Creating a diary");
    EXPECT_EQ(diary.paragraphs[1].kind, HelpParagraphKind::Item);
    EXPECT_EQ(diary.paragraphs[1].text, "First item goes on.");
    EXPECT_EQ(diary.paragraphs[2].text, "Second item");
    // A paragraph started by an escaped line; the tab is a space.
    EXPECT_EQ(diary.paragraphs[3].kind, HelpParagraphKind::Text);
    EXPECT_EQ(diary.paragraphs[3].text, ".topic is text here Tabbed text.");

    EXPECT_EQ(FindHelpTopic(source, "DIARY"), 1);
    EXPECT_EQ(FindHelpTopic(source, "contents"), 0);
    EXPECT_EQ(FindHelpTopic(source, "missing"), -1);
}

struct BadSource {
    const char* text;
    const char* error;
};

TEST(HelpSourceParser, ReportsFaultsWithTheirLine) {
    const std::string head = ".caption C\n.topic T\n.context t\n";  // lines 1 to 3
    const BadSource cases[] = {
        {".topic\n", "line 4: topic without a title"},
        {".topic   \n", "line 4: topic without a title"},
        {".context a 102\n.context b 102\n", "line 5: context number 102 is already used on line 4"},
        {".context T\n", "line 4: context name 'T' is already used on line 3 ('t')"},
        {".context a-b\n", "line 4: context name 'a-b' may hold only letters, digits, '.' and '_'"},
        {".context a 12x\n", "line 4: context number '12x' is not a number from 0 to 4294967295"},
        {".context a 4294967296\n", "line 4: context number '4294967296' is not a number"},
        {".context\n", "line 4: context without a name"},
        {".heading\n", "line 4: heading without text"},
        {".bold x\n", "line 4: unknown directive .bold"},
        {"caf\xc3\xa9\n", "line 4: only printable ASCII characters are allowed"},
        {".link nowhere\n", "line 4: link to unknown context 'nowhere'"},
        {".caption Again\n", "line 4: .caption after the first topic"},
        {".topic U\ntext\n", "line 4: topic 'U' has no .context"},
        {"\n.topic U\n", "line 5: topic 'U' has no .context"},
    };
    for (const BadSource& c : cases) {
        HelpSource source;
        std::string error;
        EXPECT_FALSE(ParseHelpSource(head + c.text, &source, &error)) << c.text;
        EXPECT_EQ(error.compare(0, strlen(c.error), c.error), 0) << error;
    }
}

TEST(HelpSourceParser, ReportsFaultsOutsideTopics) {
    const BadSource cases[] = {
        {"", "line 0: the source has no topic"},
        {".caption C\n", "line 1: the source has no topic"},
        {".topic T\n", "line 1: no .caption before the first topic"},
        {".caption C\ntext\n", "line 2: text before the first .topic"},
        {".caption C\n.context c\n", "line 2: .context before the first .topic"},
        {".caption C\n.caption D\n", "line 2: second .caption"},
        {".caption\n", "line 1: .caption without text"},
    };
    for (const BadSource& c : cases) {
        HelpSource source;
        std::string error;
        EXPECT_FALSE(ParseHelpSource(c.text, &source, &error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(HelpSourceParser, ReportsTextBeyondItsLimits) {
    const std::string head = ".caption C\n.topic T\n.context t\n";
    std::string longLine(kHelpMaxParagraph / 2 - 1, 'x');  // two of them fit
    HelpSource source;
    std::string error;
    EXPECT_FALSE(ParseHelpSource(head + "first\n" + longLine + "\n" + longLine + "\n", &source, &error));
    EXPECT_EQ(error, "line 4: paragraph longer than 2000 characters");
    EXPECT_TRUE(ParseHelpSource(head + longLine + "\n" + longLine + "\n", &source, &error)) << error;

    EXPECT_FALSE(ParseHelpSource(".caption C\n.topic " + std::string(kHelpMaxTitle + 1, 't') + "\n",
                                 &source, &error));
    EXPECT_EQ(error, "line 2: title longer than 120 characters");

    std::string many = head;
    for (size_t i = 1; i <= kHelpMaxContexts; ++i)
        many += ".context c" + std::to_string(i) + "\n";
    EXPECT_FALSE(ParseHelpSource(many, &source, &error));
    EXPECT_EQ(error, "line " + std::to_string(3 + kHelpMaxContexts) + ": more than 255 contexts");
}

}  // namespace
