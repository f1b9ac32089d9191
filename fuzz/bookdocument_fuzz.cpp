// Book document of made-up notes: the document must be well formed, hold
// nothing unescaped from the notes, decode back to the notes, and stop at
// a failing sink without writing more.
#include "features/bookdocument.h"

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
bool Write(BookDocumentSink& sink, bool pageBreaks, const std::vector<Note>& notes) {
    std::unique_ptr<BookDocument> doc(new BookDocument(sink, pageBreaks));
    bool ok = doc->Begin();
    for (const Note& n : notes) {
        const bool added = doc->AddNote(n.name.c_str(), n.text.data(), n.text.size());
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
// part of the note (an unescaped right brace or a bare line feed).
std::string Decode(const std::string& doc, size_t& pos) {
    std::string out;
    while (pos < doc.size()) {
        const char c = doc[pos];
        if (c == '}' || c == '\n')
            return out;
        Check(c != '{', "unescaped left brace");
        if (c != '\\') {
            out += c;
            ++pos;
        } else if (doc.compare(pos, 5, "\\par\n") == 0) {
            out += '\n';
            pos += 5;
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

std::string WithoutCarriageReturns(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

void CheckContent(const std::string& doc, bool pageBreaks, const std::vector<Note>& notes) {
    size_t pos = 0;
    Expect(doc, pos, HEADER);
    for (const Note& n : notes) {
        if (n.text.empty())
            continue;
        Expect(doc, pos, "{\\b ");
        Check(Decode(doc, pos) == WithoutCarriageReturns(n.name), "name decodes differently");
        Expect(doc, pos, "}\\par \\par\n");
        Check(Decode(doc, pos) == WithoutCarriageReturns(n.text), "text decodes differently");
        Expect(doc, pos, pageBreaks ? "\n\\page\n" : "\n\\par \\par\n");
    }
    Expect(doc, pos, TRAILER);
    Check(pos == doc.size(), "bytes after the trailer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool pageBreaks = in.ConsumeBool();
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
    Check(Write(sink, pageBreaks, notes), "failed without a failing sink");
    CheckBalance(sink.bytes);
    CheckContent(sink.bytes, pageBreaks, notes);

    if (failAt >= 0) {
        StringSink failing(failAt);
        const bool ok = Write(failing, pageBreaks, notes);
        Check(ok == (failAt >= sink.writes), "sink failure not reported");
        Check(sink.bytes.compare(0, failing.bytes.size(), failing.bytes) == 0,
              "different bytes before the failure");
    }
    return 0;
}
