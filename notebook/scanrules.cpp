#include "notebook/scanrules.h"

#include <algorithm>

namespace {
unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? (unsigned char)(c + ('a' - 'A')) : c;
}

// Indexes into names, in name order; equal names keep their own order.
// Sorting indexes rather than names: a scan runs every 20 s over books of
// thousands of notes, and copying each name into a tree was most of its cost.
std::vector<int> SortedIndexes(const std::vector<std::string>& names) {
    std::vector<int> order(names.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = (int)i;
    NoteNameLess less;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return less(names[a], names[b]); });
    return order;
}

bool Contains(const std::vector<std::string>& names, const std::vector<int>& order,
              const std::string& name) {
    NoteNameLess less;
    auto at = std::lower_bound(order.begin(), order.end(), name,
                               [&](int i, const std::string& n) { return less(names[i], n); });
    return at != order.end() && !less(name, names[*at]);
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
    const std::vector<int> inList = SortedIndexes(listItems);
    const std::vector<int> inFolder = SortedIndexes(folderNames);

    // A name the folder gives twice (in two letter cases, on a share that
    // tells them apart) is added once, where it first appears.
    NoteNameLess less;
    std::vector<char> firstOfItsName(folderNames.size(), 0);
    for (size_t k = 0; k < inFolder.size(); ++k)
        firstOfItsName[inFolder[k]] =
            k == 0 || less(folderNames[inFolder[k - 1]], folderNames[inFolder[k]]);

    for (size_t i = 0; i < folderNames.size(); ++i)
        if (firstOfItsName[i] && !Contains(listItems, inList, folderNames[i]))
            d.added.push_back(folderNames[i]);
    for (int i = (int)listItems.size() - 1; i >= 0; --i)
        if (!Contains(folderNames, inFolder, listItems[i]))
            d.vanished.push_back(i);
    return d;
}
