// Note search against a plain loop, with and without match case, folding
// every byte or, for UTF-8 notes, only ASCII. The first
// byte gives the pattern's length, the pattern follows, the rest is text.
#include "features/notefind.h"
#include "features/notesearch.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

ptrdiff_t NaiveFind(const unsigned char* text, size_t size, const unsigned char* pattern,
                    size_t length, bool matchCase, bool utf8) {
    const unsigned char fold = matchCase ? 0 : 0x20;
    if (length == 0)
        return -1;
    for (size_t i = 0; i + length <= size; ++i) {
        size_t j = 0;
        while (j < length && (text[i + j] == pattern[j] ||
                              ((text[i + j] | fold) == (pattern[j] | fold) &&
                               !(utf8 && (text[i + j] >= 0x80 || pattern[j] >= 0x80)))))
            ++j;
        if (j == length)
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
        const ptrdiff_t want =
            NaiveFind(text, textSize, pattern.data(), length, matchCase, false);
        const ptrdiff_t gotUtf8 = NoteSearchUtf8((const char*)text, textSize,
                                                 (const char*)pattern.data(), length, matchCase);
        const ptrdiff_t wantUtf8 =
            NaiveFind(text, textSize, pattern.data(), length, matchCase, true);
        if (got != want || gotUtf8 != wantUtf8) {
            fprintf(stderr, "match case %d: found %ld and %ld in UTF-8, expected %ld and %ld\n",
                    matchCase, (long)got, (long)gotUtf8, (long)want, (long)wantUtf8);
            abort();
        }
    }
    free(text);
    return 0;
}
