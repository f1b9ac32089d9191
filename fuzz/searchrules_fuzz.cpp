// The search of every book against a plain loop: made-up notes and typed
// text, folded by an ASCII table. The first byte splits the input into the
// typed text and the note (name up to the first line feed, then the text).
#include "features/searchrules.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "search rules: %s\n", what);
        abort();
    }
}

const char16_t* AsciiFold() {
    static std::vector<char16_t> fold;
    if (fold.empty())
        for (unsigned u = 0; u < 0x10000; ++u)
            fold.push_back((char16_t)(u >= 'A' && u <= 'Z' ? u + 32 : u));
    return fold.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    size_t split = 1 + data[0] % 16;
    if (split > size)
        split = size;
    std::string typed((const char*)data + 1, split - 1);
    std::string rest((const char*)data + split, size - split);
    size_t line = rest.find('\n');
    std::string name = line == std::string::npos ? rest : rest.substr(0, line);
    std::string text = line == std::string::npos ? "" : rest.substr(line + 1);
    const char16_t* fold = AsciiFold();
    SearchNote note = {0, name, text, FoldUtf8(name, fold), FoldUtf8(text, fold), 0, 0};
    Check(note.foldedText.size() == text.size(), "ASCII folding changed a length");

    for (bool matchCase : {false, true}) {
        std::vector<std::string> words = SearchWords(matchCase ? typed : FoldUtf8(typed, fold));
        const std::string& n = matchCase ? note.name : note.foldedName;
        const std::string& t = matchCase ? note.text : note.foldedText;
        bool want = !words.empty();
        bool allInName = true;
        for (const std::string& w : words) {
            bool inName = n.find(w) != std::string::npos;
            want = want && (inName || t.find(w) != std::string::npos);
            allInName = allInName && inName;
        }
        SearchHit hit;
        bool got = MatchSearchNote(note, words, matchCase, &hit);
        Check(got == want, "matched differently");
        if (!got)
            continue;
        Check(hit.inName == allInName, "name decided differently");
        Check(hit.lineStart + hit.lineLength <= text.size(), "line beyond the text");
        Check(text.find_first_of("\r\n", hit.lineStart) >= hit.lineStart + hit.lineLength,
              "line holds a line end");
    }

    // An ASCII text held without its folded copy is searched the same.
    bool ascii = true;
    for (char c : text)
        ascii = ascii && (unsigned char)c < 0x80;
    if (ascii) {
        SearchNote once = note;
        once.foldedText.clear();
        std::vector<std::string> words = SearchWords(FoldUtf8(typed, fold));
        SearchHit a, b;
        bool matched = MatchSearchNote(note, words, false, &a);
        Check(MatchSearchNote(once, words, false, &b) == matched, "folding as it goes differs");
        Check(!matched || (a.inName == b.inName && a.word == b.word &&
                           a.lineStart == b.lineStart && a.lineLength == b.lineLength),
              "folding as it goes found another place");
    }
    return 0;
}
