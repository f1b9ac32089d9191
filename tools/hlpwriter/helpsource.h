// The plain-text source of a help file, and its parser.
//
// One directive or text line per line:
//   # comment                      ignored
//   .caption Jotwell Help          the viewer's window caption; once, before the first topic
//   .topic Diary books             starts a topic; the first topic is the contents
//   .context diary_properties 102  a context name of the topic (letters, digits, '.', '_'),
//                                  optionally with the number a program asks for; a topic
//                                  has one or more
//   .heading Creating a diary      a bold heading
//   .link book_properties          a paragraph that jumps to the topic of that context and
//                                  shows its title
//   - An item                      a list item: an indented paragraph with a bullet
//   any other text                 paragraph text; lines join with a space, a blank line
//                                  ends the paragraph
//   \.text                         a leading backslash is dropped and the rest is text
// Text is printable ASCII; a tab counts as a space.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HelpContext {
    std::string name;
    bool hasNumber = false;
    uint32_t number = 0;
    int line = 0;
};

enum class HelpParagraphKind { Text, Heading, Item, Link };

struct HelpParagraph {
    HelpParagraphKind kind = HelpParagraphKind::Text;
    std::string text;  // a link's target context name
    int line = 0;
};

struct HelpTopic {
    std::string title;
    std::vector<HelpContext> contexts;
    std::vector<HelpParagraph> paragraphs;
    int line = 0;
};

struct HelpSource {
    std::string caption;
    std::vector<HelpTopic> topics;
};

// Limits that keep every record inside one topic block and every table in
// one B+ tree page.
constexpr size_t kHelpMaxParagraph = 2000;
constexpr size_t kHelpMaxTitle = 120;
constexpr size_t kHelpMaxCaption = 50;
constexpr size_t kHelpMaxContextName = 64;
constexpr size_t kHelpMaxContexts = 255;

// False with "line N: what is wrong" in *error when the text is not a valid source.
bool ParseHelpSource(const std::string& text, HelpSource* out, std::string* error);

// Index of the topic that owns the context name (compared as the viewer
// does, by hash), or -1.
int FindHelpTopic(const HelpSource& source, const std::string& contextName);
