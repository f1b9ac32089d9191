// Parser of the help source text (format described in helpsource.h).
#include "tools/hlpwriter/helpsource.h"

#include <map>

#include "tools/hlpwriter/contexthash.h"

namespace {

std::string Trim(const std::string& s) {
    size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::string();
    size_t end = s.find_last_not_of(' ');
    return s.substr(begin, end - begin + 1);
}

// Splits ".word rest" into the word and the trimmed rest.
void SplitDirective(const std::string& line, std::string* word, std::string* rest) {
    size_t space = line.find(' ');
    *word = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
    *rest = space == std::string::npos ? std::string() : Trim(line.substr(space));
}

bool ParseNumber(const std::string& text, uint32_t* out) {
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value > 0xFFFFFFFFu)
        return false;
    *out = uint32_t(value);
    return true;
}

class Parser {
public:
    Parser(HelpSource* out, std::string* error) : out_(out), error_(error) {}
    bool Run(const std::string& text);

private:
    bool Line(std::string line);
    bool Directive(const std::string& line);
    bool Caption(const std::string& rest);
    bool Topic(const std::string& rest);
    bool Context(const std::string& rest);
    bool AddContext(const std::string& name, const std::string& number);
    bool SingleParagraph(HelpParagraphKind kind, const std::string& rest, const char* what);
    bool Text(HelpParagraphKind kind, const std::string& text);
    bool EndParagraph();
    bool EndTopic();
    bool CheckLinks();
    bool Fail(int line, const std::string& what);

    HelpSource* out_;
    std::string* error_;
    int line_ = 0;
    bool paragraphOpen_ = false;
    std::map<int32_t, HelpContext> names_;  // by hash
    std::map<uint32_t, int> numbers_;
    size_t contextCount_ = 0;
};

bool Parser::Fail(int line, const std::string& what) {
    *error_ = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool Parser::Run(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++line_;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!Line(line))
            return false;
        start = end + 1;
    }
    if (!EndTopic())
        return false;
    if (out_->topics.empty())
        return Fail(line_, "the source has no topic");
    return CheckLinks();
}

bool Parser::Line(std::string line) {
    for (char& c : line) {
        if (c == '\t')
            c = ' ';
        else if (c < 0x20 || c > 0x7E)
            return Fail(line_, "only printable ASCII characters are allowed");
    }
    if (!line.empty() && line[0] == '#')
        return true;
    std::string trimmed = Trim(line);
    if (trimmed.empty())
        return EndParagraph();
    if (line[0] == '.')
        return EndParagraph() && Directive(line);
    if (line[0] == '\\')
        return Text(HelpParagraphKind::Text, Trim(line.substr(1)));
    if (line.compare(0, 2, "- ") == 0)
        return EndParagraph() && Text(HelpParagraphKind::Item, Trim(line.substr(2)));
    return Text(HelpParagraphKind::Text, trimmed);
}

bool Parser::Directive(const std::string& line) {
    std::string word, rest;
    SplitDirective(line, &word, &rest);
    if (word == "caption")
        return Caption(rest);
    if (word == "topic")
        return Topic(rest);
    if (out_->topics.empty())
        return Fail(line_, "." + word + " before the first .topic");
    if (word == "context")
        return Context(rest);
    if (word == "heading")
        return SingleParagraph(HelpParagraphKind::Heading, rest, "heading without text");
    if (word == "link")
        return SingleParagraph(HelpParagraphKind::Link, rest, "link without a context name");
    return Fail(line_, "unknown directive ." + word);
}

bool Parser::Caption(const std::string& rest) {
    if (!out_->topics.empty())
        return Fail(line_, ".caption after the first topic");
    if (!out_->caption.empty())
        return Fail(line_, "second .caption");
    if (rest.empty())
        return Fail(line_, ".caption without text");
    if (rest.size() > kHelpMaxCaption)
        return Fail(line_, "caption longer than " + std::to_string(kHelpMaxCaption) + " characters");
    out_->caption = rest;
    return true;
}

bool Parser::Topic(const std::string& rest) {
    if (out_->caption.empty())
        return Fail(line_, "no .caption before the first topic");
    if (!EndTopic())
        return false;
    if (rest.empty())
        return Fail(line_, "topic without a title");
    if (rest.size() > kHelpMaxTitle)
        return Fail(line_, "title longer than " + std::to_string(kHelpMaxTitle) + " characters");
    HelpTopic topic;
    topic.title = rest;
    topic.line = line_;
    out_->topics.push_back(topic);
    return true;
}

bool Parser::Context(const std::string& rest) {
    size_t space = rest.find(' ');
    std::string name = rest.substr(0, space);
    std::string number = space == std::string::npos ? std::string() : Trim(rest.substr(space));
    if (name.empty())
        return Fail(line_, "context without a name");
    if (name.size() > kHelpMaxContextName)
        return Fail(line_, "context name longer than " + std::to_string(kHelpMaxContextName) +
                               " characters");
    for (char c : name)
        if (!IsHelpContextNameChar(c))
            return Fail(line_, "context name '" + name + "' may hold only letters, digits, '.' and '_'");
    return AddContext(name, number);
}

bool Parser::AddContext(const std::string& name, const std::string& number) {
    HelpContext context;
    context.name = name;
    context.line = line_;
    if (!number.empty()) {
        if (!ParseNumber(number, &context.number))
            return Fail(line_, "context number '" + number + "' is not a number from 0 to 4294967295");
        context.hasNumber = true;
        auto used = numbers_.find(context.number);
        if (used != numbers_.end())
            return Fail(line_, "context number " + number + " is already used on line " +
                                   std::to_string(used->second));
        numbers_[context.number] = line_;
    }
    auto clash = names_.find(HelpContextHash(name));
    if (clash != names_.end())
        return Fail(line_, "context name '" + name + "' is already used on line " +
                               std::to_string(clash->second.line) + " ('" +
                               clash->second.name + "')");
    if (++contextCount_ > kHelpMaxContexts)
        return Fail(line_, "more than " + std::to_string(kHelpMaxContexts) + " contexts");
    names_[HelpContextHash(name)] = context;
    out_->topics.back().contexts.push_back(context);
    return true;
}

bool Parser::SingleParagraph(HelpParagraphKind kind, const std::string& rest, const char* what) {
    if (rest.empty())
        return Fail(line_, what);
    return Text(kind, rest) && EndParagraph();
}

bool Parser::Text(HelpParagraphKind kind, const std::string& text) {
    if (out_->topics.empty())
        return Fail(line_, "text before the first .topic");
    std::vector<HelpParagraph>& paragraphs = out_->topics.back().paragraphs;
    if (paragraphOpen_ && !text.empty()) {
        paragraphs.back().text += ' ';
        paragraphs.back().text += text;
    } else if (!paragraphOpen_) {
        HelpParagraph paragraph;
        paragraph.kind = kind;
        paragraph.text = text;
        paragraph.line = line_;
        paragraphs.push_back(paragraph);
        paragraphOpen_ = true;
    }
    if (paragraphs.back().text.size() > kHelpMaxParagraph)
        return Fail(paragraphs.back().line, "paragraph longer than " +
                                                std::to_string(kHelpMaxParagraph) + " characters");
    return true;
}

bool Parser::EndParagraph() {
    paragraphOpen_ = false;
    return true;
}

bool Parser::EndTopic() {
    EndParagraph();
    if (!out_->topics.empty() && out_->topics.back().contexts.empty())
        return Fail(out_->topics.back().line, "topic '" + out_->topics.back().title +
                                                  "' has no .context");
    return true;
}

bool Parser::CheckLinks() {
    for (const HelpTopic& topic : out_->topics)
        for (const HelpParagraph& paragraph : topic.paragraphs)
            if (paragraph.kind == HelpParagraphKind::Link && FindHelpTopic(*out_, paragraph.text) < 0)
                return Fail(paragraph.line, "link to unknown context '" + paragraph.text + "'");
    return true;
}

}  // namespace

bool ParseHelpSource(const std::string& text, HelpSource* out, std::string* error) {
    *out = HelpSource();
    Parser parser(out, error);
    return parser.Run(text);
}

int FindHelpTopic(const HelpSource& source, const std::string& contextName) {
    int32_t hash = HelpContextHash(contextName);
    for (size_t i = 0; i < source.topics.size(); ++i)
        for (const HelpContext& context : source.topics[i].contexts)
            if (HelpContextHash(context.name) == hash)
                return int(i);
    return -1;
}
