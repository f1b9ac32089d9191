#include "notebook/scanrules.h"

namespace {
unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}
}  // namespace

bool NoteNameLess::operator()(const std::string& a, const std::string& b) const {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = Fold((unsigned char)a[i]), y = Fold((unsigned char)b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

ScanDifference CompareNotes(const std::vector<std::string>& listItems,
                            const std::vector<std::string>& folderNames) {
    ScanDifference d;
    NoteNameSet inList(listItems.begin(), listItems.end());
    NoteNameSet inFolder(folderNames.begin(), folderNames.end());
    for (const std::string& name : folderNames)
        if (!inList.count(name) && inList.insert(name).second)
            d.added.push_back(name);
    for (int i = (int)listItems.size() - 1; i >= 0; --i)
        if (!inFolder.count(listItems[i]))
            d.vanished.push_back(i);
    return d;
}
