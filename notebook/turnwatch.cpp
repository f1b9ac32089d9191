#include "notebook/turnwatch.h"

namespace {
bool SameTurnFile(const TurnFileSeen& a, const TurnFileSeen& b) {
    return a.created == b.created && a.written == b.written && a.size == b.size &&
           a.attributes == b.attributes;
}
}  // namespace

TurnWatch::TurnWatch(unsigned staleMs, unsigned giveUpMs)
    : uStaleMs(staleMs),
      uGiveUpMs(giveUpMs),
      bWaiting(false),
      bNoticed(false),
      last(),
      uLastChangedMs(0),
      uWaitingSinceMs(0) {}

void TurnWatch::Noticed(const TurnFileSeen& seen, unsigned nowMs) {
    if (bWaiting)
        return;
    bNoticed = true;
    last = seen;
    uLastChangedMs = nowMs;
}

TurnVerdict TurnWatch::Seen(const TurnFileSeen& seen, unsigned nowMs) {
    if (!bWaiting) {
        bWaiting = true;
        uWaitingSinceMs = nowMs;
        if (!bNoticed || !SameTurnFile(seen, last)) {
            uLastChangedMs = nowMs;
            last = seen;
        }
        bNoticed = false;
    } else if (!SameTurnFile(seen, last)) {
        uLastChangedMs = nowMs;
        last = seen;
    }
    // Differences of unsigned ticks stay right across a wrap. The bound
    // comes first: a stale-looking turn that a save still holds open is
    // waited for no longer than any other.
    if (nowMs - uWaitingSinceMs >= uGiveUpMs)
        return TURN_GIVE_UP;
    if (nowMs - uLastChangedMs >= uStaleMs)
        return TURN_STALE;
    return TURN_WAIT;
}

void TurnWatch::Taken() {
    bWaiting = false;
    bNoticed = false;
}
