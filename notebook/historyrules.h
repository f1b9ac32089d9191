// Which versions the history store keeps and which of what it holds go:
// a save keeps the version it replaces when the note's newest kept version
// is at least five minutes old, and the store is cut back by age and then
// by size, oldest first. Times are 64-bit file times (100 ns). Window-free.
#ifndef JOTWELL_NOTEBOOK_HISTORYRULES_H
#define JOTWELL_NOTEBOOK_HISTORYRULES_H

#include <stddef.h>

#include <vector>

const unsigned long long HISTORY_SECOND = 10000000ull;
const unsigned long long HISTORY_VERSION_GAP = 5 * 60 * HISTORY_SECOND;
const int HISTORY_DEFAULT_KEEP_DAYS = 30;
const int HISTORY_DEFAULT_MAX_MEGABYTES = 100;

// Whether a save at now keeps the version it replaces, given the time the
// note's newest version was kept (any: there is one). A newest one "kept"
// after now says the clock was put back: the gap cannot be judged, and a
// version too many is better than none.
bool HistoryVersionDue(bool any, unsigned long long newestKept, unsigned long long now);

struct HistoryHeld {
    unsigned long long kept;   // when it was kept
    unsigned long long bytes;  // what it takes on disk
};

// Indexes (ascending) of the entries to remove at now: all kept more than
// maxAge ago, then the oldest of the rest until what stays takes at most
// maxBytes.
std::vector<size_t> HistoryPruneChoice(const std::vector<HistoryHeld>& held,
                                       unsigned long long now, unsigned long long maxAge,
                                       unsigned long long maxBytes);

#endif
