// The colon rule of template texts.
#include "notebook/templatetext.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

std::string AddBlanks(const std::string& text) {
    std::vector<char> out(text.size() + TEMPLATE_EXTRA_CHARS + 1, 'x');
    size_t n = TemplateAddColonBlanks(text.c_str(), out.data(), out.size());
    EXPECT_EQ(n, strlen(out.data()));
    return std::string(out.data());
}

TEST(TemplateAddColonBlanks, AddsABlankAfterAColonThatEndsALine) {
    EXPECT_EQ(AddBlanks("Name:"), "Name: ");
    EXPECT_EQ(AddBlanks("Name:\r\nPhone:\r\n"), "Name: \r\nPhone: \r\n");
    EXPECT_EQ(AddBlanks("Name:\nPhone:\n"), "Name: \nPhone: \n");
    EXPECT_EQ(AddBlanks("Name:\rPhone:"), "Name: \rPhone: ");
    EXPECT_EQ(AddBlanks(":"), ": ");
    EXPECT_EQ(AddBlanks("::"), ":: ");
}

TEST(TemplateAddColonBlanks, LeavesOtherColonsAlone) {
    EXPECT_EQ(AddBlanks("a:b"), "a:b");
    EXPECT_EQ(AddBlanks("http://example.org\n"), "http://example.org\n");
    EXPECT_EQ(AddBlanks("Name: \r\n"), "Name: \r\n");
    EXPECT_EQ(AddBlanks(""), "");
    EXPECT_EQ(AddBlanks("no colon\r\n"), "no colon\r\n");
}

TEST(TemplateAddColonBlanks, GrowsByAtMost260Characters) {
    std::string exact, exactWant;
    for (int i = 0; i < 260; ++i) {
        exact += ":\n";
        exactWant += ": \n";
    }
    EXPECT_EQ(AddBlanks(exact), exactWant);

    std::string many, manyAll;
    for (int i = 0; i < 300; ++i) {
        many += ":\n";
        manyAll += ": \n";
    }
    std::string got = AddBlanks(many);
    EXPECT_EQ(got.size(), many.size() + 260);
    EXPECT_EQ(got, manyAll.substr(0, many.size() + 260));
}

TEST(TemplateAddColonBlanks, NeverWritesPastTheCallersBuffer) {
    char small[4];
    EXPECT_EQ(TemplateAddColonBlanks("Name:", small, sizeof small), 3u);
    EXPECT_STREQ(small, "Nam");

    char three[3];
    EXPECT_EQ(TemplateAddColonBlanks("a:", three, sizeof three), 2u);
    EXPECT_STREQ(three, "a:");

    char none[1] = {'x'};
    EXPECT_EQ(TemplateAddColonBlanks("a:", none, 0), 0u);
    EXPECT_EQ(none[0], 'x');
}

}  // namespace
