// A stand-in for the system's lower-case table in native tests: every unit
// as itself but A to Z; each test adds the letters it needs.
#ifndef JOTWELL_TESTS_HOST_ASCIIFOLD_H
#define JOTWELL_TESTS_HOST_ASCIIFOLD_H

#include <vector>

inline std::vector<char16_t> AsciiFold() {
    std::vector<char16_t> fold(0x10000);
    for (unsigned u = 0; u < 0x10000; ++u)
        fold[u] = (char16_t)(u >= 'A' && u <= 'Z' ? u + 32 : u);
    return fold;
}

#endif
