// Book document of made-up notes, in the code page or in UTF-8: the
// document must be well formed, hold nothing unescaped from the notes,
// decode back to the notes, and stop at a failing sink without writing more.
#include "features/bookdocument.h"
#include "util/textencoding.h"

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const std::string HEADER =
    "{\\rtf1\\ansi {\\fonttbl {\\f0\\fswiss Verdana;} } {\\colortbl; \\red000\\green000\\blue000; }\n";
const std::string TRAILER = "\\page }";

void Fail(const char* what) {
    fprintf(stderr, "book document: %s\n", what);
    abort();
}

void Check(bool ok, const char* what) {
    if (!ok)
        Fail(what);
}

class StringSink : public BookDocumentSink {
public:
    explicit StringSink(int failAt) : failAt(failAt), writes(0) {}
    bool Write(const void* data, size_t size) override {
        if (writes == failAt)
            return false;
        Check(writes < failAt || failAt < 0, "written to after a failure");
        ++writes;
        bytes.append((const char*)data, size);
        return true;
    }
    int failAt, writes;
    std::string bytes;
};

struct Note {
    std::string name, text;
};

// Returns whether every call succeeded; after the first failure every
// later call must fail too.
bool Write(BookDocumentSink& sink, bool pageBreaks, bool utf8, const std::vector<Note>& notes) {
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, pageBreaks));
    bool ok = doc->Begin();
    for (const Note& n : notes) {
        const bool added = utf8 ? doc->AddUtf8Note(n.name.c_str(), n.text.data(), n.text.size())
                                : doc->AddNote(n.name.c_str(), n.text.data(), n.text.size());
        Check(ok || !added, "a note added after a failure");
        ok = ok && added;
    }
    const bool ended = doc->End();
    Check(ok || !ended, "ended well after a failure");
    return ok && ended;
}

// Braces balance when escaped pairs are skipped, and there is no CR.
void CheckBalance(const std::string& doc) {
    int depth = 0;
    for (size_t i = 0; i < doc.size(); ++i) {
        const char c = doc[i];
        Check(c != '\r', "carriage return in the document");
        if (c == '\\')
            ++i;
        else if (c == '{')
            ++depth;
        else if (c == '}')
            Check(--depth >= 0, "closing brace without an opening one");
    }
    Check(depth == 0, "braces do not balance");
}

// Decodes escaped note bytes at doc[pos] up to the first byte that is not
// part of the note (an unescaped right brace or a bare line feed), as UTF-16
// units: a plain byte is the unit of its value, a Unicode escape its unit.
std::u16string Decode(const std::string& doc, size_t& pos) {
    std::u16string out;
    while (pos < doc.size()) {
        const char c = doc[pos];
        if (c == '}' || c == '\n')
            return out;
        Check(c != '{', "unescaped left brace");
        if (c != '\\') {
            out += (char16_t)(unsigned char)c;
            ++pos;
        } else if (doc.compare(pos, 5, "\\par\n") == 0) {
            out += u'\n';
            pos += 5;
        } else if (doc.compare(pos, 2, "\\u") == 0) {
            char* end = NULL;
            const long n = strtol(doc.c_str() + pos + 2, &end, 10);
            Check(n >= -32768 && n <= 32767 && end && *end == '?', "bad Unicode escape");
            out += (char16_t)(n & 0xFFFF);
            pos = end + 1 - doc.c_str();
        } else {
            Check(pos + 1 < doc.size(), "backslash at the end");
            const char e = doc[pos + 1];
            Check(e == '\\' || e == '{' || e == '}', "unescaped backslash");
            out += e;
            pos += 2;
        }
    }
    return out;
}

void Expect(const std::string& doc, size_t& pos, const std::string& what) {
    Check(doc.compare(pos, what.size(), what) == 0, what.c_str());
    pos += what.size();
}

// What a note's bytes decode to: units of the bytes, or of their UTF-8.
std::u16string Expected(std::string s, bool utf8) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    std::u16string out(s.size(), u'\0');
    if (utf8) {
        out.resize(Utf8ToUtf16(s.data(), s.size(), &out[0]));
    } else {
        for (size_t i = 0; i < s.size(); ++i)
            out[i] = (unsigned char)s[i];
    }
    return out;
}

void CheckContent(const std::string& doc, bool pageBreaks, bool utf8,
                  const std::vector<Note>& notes) {
    for (char c : doc)
        Check(!utf8 || (unsigned char)c < 0x80, "a byte beyond ASCII in a UTF-8 document");
    size_t pos = 0;
    Expect(doc, pos, HEADER);
    for (const Note& n : notes) {
        if (n.text.empty())
            continue;
        Expect(doc, pos, "{\\b ");
        Check(Decode(doc, pos) == Expected(n.name, utf8), "name decodes differently");
        Expect(doc, pos, "}\\par \\par\n");
        Check(Decode(doc, pos) == Expected(n.text, utf8), "text decodes differently");
        Expect(doc, pos, pageBreaks ? "\n\\page\n" : "\n\\par \\par\n");
    }
    Expect(doc, pos, TRAILER);
    Check(pos == doc.size(), "bytes after the trailer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool pageBreaks = in.ConsumeBool();
    const bool utf8 = in.ConsumeBool();
    const int failAt = in.ConsumeIntegralInRange<int>(-1, 3);
    std::vector<Note> notes;
    while (in.remaining_bytes() > 0 && notes.size() < 50) {
        Note n;
        n.name = in.ConsumeRandomLengthString(64);
        n.name.erase(std::remove(n.name.begin(), n.name.end(), '\0'), n.name.end());
        const std::string piece = in.ConsumeRandomLengthString();
        // Some notes far larger than the buffer, so that escapes fall on
        // its end.
        const int repeats = in.ConsumeIntegralInRange<int>(1, 4) == 4 ? 3000 : 1;
        for (int i = 0; i < repeats && !piece.empty(); ++i)
            n.text += piece;
        notes.push_back(n);
    }

    StringSink sink(-1);
    Check(Write(sink, pageBreaks, utf8, notes), "failed without a failing sink");
    CheckBalance(sink.bytes);
    CheckContent(sink.bytes, pageBreaks, utf8, notes);

    if (failAt >= 0) {
        StringSink failing(failAt);
        const bool ok = Write(failing, pageBreaks, utf8, notes);
        Check(ok == (failAt >= sink.writes), "sink failure not reported");
        Check(sink.bytes.compare(0, failing.bytes.size(), failing.bytes) == 0,
              "different bytes before the failure");
    }
    return 0;
}
