// The find text made ready for a search of notes and of the editor: its
// UTF-16, folded by the system's lower-case rules for every language unless
// case must match, and its form in the system's code page.
#ifndef JOTWELL_FEATURES_FINDPATTERN_H
#define JOTWELL_FEATURES_FINDPATTERN_H

#include <string>
#include <vector>

#include "features/notefind.h"

class FindPattern {
public:
    // text in UTF-8.
    FindPattern(const char* text, bool matchCase);

    const NoteFindText& Forms() const { return find; }

    // Offset of the first occurrence in the editor's text (count units) or -1.
    ptrdiff_t FindIn(const char16_t* text, size_t count) const;

private:
    FindPattern(const FindPattern&) = delete;
    FindPattern& operator=(const FindPattern&) = delete;

    std::string strUtf8;
    std::u16string strUnits;
    std::string strCodePage;
    std::vector<char16_t> vecFold;  // one entry for every UTF-16 unit
    NoteFindText find;
};

#endif
