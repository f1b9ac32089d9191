// Note search. A plain byte loop is far too slow for a book of large notes,
// so the scan tests a machine word of positions at a time: it looks for two
// of the pattern's rarest bytes at their distance apart and compares the
// whole pattern only where both are present. Words are size_t wide, so the
// same code serves the 32-bit program and the 64-bit native build.
#include "features/notesearch.h"

#include <string.h>

#include "util/wordbytes.h"

namespace {

const Word LOW7 = ONES * 0x7F;

const unsigned char FOLD_BIT = 0x20;

// The top bit of every byte of x that is zero and no other bit. No carry
// crosses a byte, so the answer is exact for every byte.
Word ZeroBytes(Word x) {
    return ~(((x & LOW7) + LOW7) | x | LOW7);
}

// Rough share of a byte in note text, per mille for lower-case letters.
int Commonness(unsigned char b) {
    static const unsigned char LETTERS[26] = {80, 15, 28, 42, 120, 22, 20, 60, 70, 2, 8, 40, 24,
                                              67, 75, 19, 1,  60, 63, 90, 28, 10, 23, 2, 20, 1};
    if (b >= 'a' && b <= 'z')
        return LETTERS[b - 'a'];
    if (b >= 'A' && b <= 'Z')
        return LETTERS[b - 'A'] / 10 + 1;
    if (b == ' ')
        return 180;
    if (b == '\n' || b == '\r')
        return 30;
    if (b == '.' || b == ',' || (b >= '0' && b <= '9'))
        return 12;
    if (b > ' ' && b < 0x7F)
        return 3;
    return 1;
}

class Finder {
public:
    Finder(const unsigned char* pattern, size_t size, bool matchCase);
    ptrdiff_t Find(const unsigned char* text, size_t size) const;

private:
    int Weight(unsigned char b) const;
    size_t RarestPosition(size_t skip) const;
    bool Candidate(const unsigned char* at) const;
    bool Matches(const unsigned char* at) const;

    const unsigned char* pattern;
    size_t size;
    unsigned char fold;
    size_t first, second;
    unsigned char firstByte, secondByte;
};

Finder::Finder(const unsigned char* pattern, size_t size, bool matchCase)
    : pattern(pattern), size(size), fold(matchCase ? 0 : FOLD_BIT) {
    first = RarestPosition(size);
    second = size > 1 ? RarestPosition(first) : first;
    firstByte = pattern[first] | fold;
    secondByte = pattern[second] | fold;
}

// How often a pattern byte is met: folded, it stands for two byte values.
int Finder::Weight(unsigned char b) const {
    if (!fold)
        return Commonness(b);
    return Commonness(b | fold) + Commonness(b & ~fold);
}

size_t Finder::RarestPosition(size_t skip) const {
    size_t best = skip == 0 ? 1 : 0;
    for (size_t i = best + 1; i < size; ++i)
        if (i != skip && Weight(pattern[i]) < Weight(pattern[best]))
            best = i;
    return best;
}

bool Finder::Candidate(const unsigned char* at) const {
    return (at[first] | fold) == firstByte && (at[second] | fold) == secondByte;
}

bool Finder::Matches(const unsigned char* at) const {
    for (size_t i = 0; i < size; ++i)
        if ((at[i] | fold) != (pattern[i] | fold))
            return false;
    return true;
}

ptrdiff_t Finder::Find(const unsigned char* text, size_t textSize) const {
    const size_t last = textSize - size;
    const size_t reach = (first > second ? first : second) + 2 * WORD;
    const Word folds = ONES * fold, firsts = ONES * firstByte, seconds = ONES * secondByte;
    size_t i = 0;
    if (textSize >= reach) {
        // Two words per round: positions i to i + 2 * WORD - 1.
        for (const size_t end = textSize - reach; i <= end; i += 2 * WORD) {
            const unsigned char* p = text + i;
            Word a = ((LoadWord(p + first) | folds) ^ firsts) | ((LoadWord(p + second) | folds) ^ seconds);
            Word b = ((LoadWord(p + WORD + first) | folds) ^ firsts) |
                     ((LoadWord(p + WORD + second) | folds) ^ seconds);
            if (!(ZeroBytes(a) | ZeroBytes(b)))
                continue;
            for (size_t k = i; k < i + 2 * WORD && k <= last; ++k)
                if (Candidate(text + k) && Matches(text + k))
                    return (ptrdiff_t)k;
        }
    }
    for (; i <= last; ++i)
        if (Candidate(text + i) && Matches(text + i))
            return (ptrdiff_t)i;
    return -1;
}

}  // namespace

ptrdiff_t NoteSearch(const char* text, size_t textSize, const char* pattern, size_t patternSize,
                     bool matchCase) {
    if (patternSize == 0 || patternSize > textSize)
        return -1;
    Finder finder((const unsigned char*)pattern, patternSize, matchCase);
    return finder.Find((const unsigned char*)text, textSize);
}
