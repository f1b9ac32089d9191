// Comparing a book folder's listing with the note list, by sorted lookups so
// a scan of n notes costs n log n and copies no name. Window-free.
#ifndef JOTWELL_NOTEBOOK_SCANRULES_H
#define JOTWELL_NOTEBOOK_SCANRULES_H

#include <string>
#include <vector>

// Note names compare without regard to letter case.
struct NoteNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct ScanDifference {
    std::vector<std::string> added;  // in the folder, not in the list; once each, folder order
    std::vector<int> vanished;       // list indexes, highest first
};

// listItems: the note list's texts by index; folderNames: the folder's notes.
ScanDifference CompareNotes(const std::vector<std::string>& listItems,
                            const std::vector<std::string>& folderNames);

#endif
