// Comparing a book folder's listing with the note list, by set lookups so a
// scan of n notes costs n log n. Window-free.
#ifndef JOTWELL_NOTEBOOK_SCANRULES_H
#define JOTWELL_NOTEBOOK_SCANRULES_H

#include <set>
#include <string>
#include <vector>

// Note names compare without regard to letter case.
struct NoteNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

typedef std::set<std::string, NoteNameLess> NoteNameSet;

struct ScanDifference {
    std::vector<std::string> added;  // in the folder, not in the list
    std::vector<int> vanished;       // list indexes, highest first
};

// listItems: the note list's texts by index; folderNames: the folder's notes.
ScanDifference CompareNotes(const std::vector<std::string>& listItems,
                            const std::vector<std::string>& folderNames);

#endif
