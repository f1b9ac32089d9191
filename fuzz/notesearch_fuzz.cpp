// Note search against a plain loop, with and without match case, and the
// search of UTF-16 units against a plain loop with Latin-1 folding. The
// first byte gives the pattern's length, the pattern follows, the rest is
// text.
#include "features/notefind.h"
#include "features/notesearch.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

ptrdiff_t NaiveFind(const unsigned char* text, size_t size, const unsigned char* pattern,
                    size_t length, bool matchCase) {
    const unsigned char fold = matchCase ? 0 : 0x20;
    if (length == 0)
        return -1;
    for (size_t i = 0; i + length <= size; ++i) {
        size_t j = 0;
        while (j < length &&
               (text[i + j] == pattern[j] || (text[i + j] | fold) == (pattern[j] | fold)))
            ++j;
        if (j == length)
            return (ptrdiff_t)i;
    }
    return -1;
}

char16_t Latin1Lower(char16_t u) {
    return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) ? u + 32 : u;
}

ptrdiff_t NaiveUnits(const std::vector<char16_t>& text, const std::vector<char16_t>& pattern) {
    if (pattern.empty())
        return -1;
    for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < pattern.size() && Latin1Lower(text[i + j]) == pattern[j])
            ++j;
        if (j == pattern.size())
            return (ptrdiff_t)i;
    }
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    size_t length = data[0] % 48;
    if (length > size - 1)
        length = size - 1;
    // Buffers of exactly the right size, so that a read past either end
    // is caught.
    std::vector<unsigned char> pattern(data + 1, data + 1 + length);
    const size_t textSize = size - 1 - length;
    unsigned char* text = (unsigned char*)malloc(textSize ? textSize : 1);
    memcpy(text, data + 1 + length, textSize);
    for (bool matchCase : {false, true}) {
        const ptrdiff_t got = NoteSearch((const char*)text, textSize, (const char*)pattern.data(),
                                         length, matchCase);
        const ptrdiff_t want = NaiveFind(text, textSize, pattern.data(), length, matchCase);
        if (got != want) {
            fprintf(stderr, "match case %d: found %ld, expected %ld\n", matchCase, (long)got,
                    (long)want);
            abort();
        }
    }
    // The bytes as Latin-1 units, the pattern folded.
    std::vector<char16_t> fold(0x10000), units(text, text + textSize), folded;
    for (size_t u = 0; u < fold.size(); ++u)
        fold[u] = Latin1Lower((char16_t)u);
    for (unsigned char b : pattern)
        folded.push_back(Latin1Lower(b));
    if (FindUnits(units.data(), units.size(), folded.data(), folded.size(), fold.data()) !=
        NaiveUnits(units, folded)) {
        fprintf(stderr, "folded units found elsewhere\n");
        abort();
    }
    free(text);
    return 0;
}
