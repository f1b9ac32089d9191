// The system's lower-case rules for every language, as a table of the unit
// each UTF-16 unit folds to: what the window-free search rules take.
#ifndef JOTWELL_UTIL_LCASEFOLD_H
#define JOTWELL_UTIL_LCASEFOLD_H

#include <vector>

// fold gets 65,536 entries. Surrogates stand for no character of their own
// and stay as they are.
void BuildCaseFold(std::vector<char16_t>& fold);

#endif
