#include "notebook/historyrules.h"

#include <algorithm>

bool HistoryVersionDue(bool any, unsigned long long newestKept, unsigned long long now) {
    return !any || newestKept > now || now - newestKept >= HISTORY_VERSION_GAP;
}

std::vector<size_t> HistoryPruneChoice(const std::vector<HistoryHeld>& held,
                                       unsigned long long now, unsigned long long maxAge,
                                       unsigned long long maxBytes) {
    std::vector<size_t> order(held.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return held[a].kept < held[b].kept; });
    unsigned long long total = 0;
    for (const HistoryHeld& h : held)
        total += h.bytes;
    std::vector<size_t> gone;
    for (size_t i : order) {
        bool old = held[i].kept < now && now - held[i].kept > maxAge;
        if (!old && total <= maxBytes)
            break;  // the rest are younger and fit
        gone.push_back(i);
        total -= held[i].bytes;
    }
    std::sort(gone.begin(), gone.end());
    return gone;
}
