// Machine-word helpers for loops that test several bytes at a time. Words
// are size_t wide, so the same code serves the 32-bit program and 64-bit
// builds alike. Window-free.
#ifndef JOTWELL_UTIL_WORDBYTES_H
#define JOTWELL_UTIL_WORDBYTES_H

#include <stddef.h>
#include <string.h>

typedef size_t Word;
const size_t WORD = sizeof(Word);
const Word ONES = (Word)-1 / 0xFF;  // 0x01 in every byte

// The word at p, wherever p is aligned.
inline Word LoadWord(const unsigned char* p) {
    Word w;
    memcpy(&w, p, sizeof w);
    return w;
}

#endif
