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
      last(),
      uLastChangedMs(0),
      uWaitingSinceMs(0) {}

TurnVerdict TurnWatch::Seen(const TurnFileSeen& seen, unsigned nowMs) {
    if (!bWaiting) {
        bWaiting = true;
        uWaitingSinceMs = nowMs;
        uLastChangedMs = nowMs;
        last = seen;
    } else if (!SameTurnFile(seen, last)) {
        uLastChangedMs = nowMs;
        last = seen;
    }
    // Differences of unsigned ticks stay right across a wrap.
    if (nowMs - uLastChangedMs >= uStaleMs)
        return TURN_STALE;
    if (nowMs - uWaitingSinceMs >= uGiveUpMs)
        return TURN_GIVE_UP;
    return TURN_WAIT;
}

void TurnWatch::Taken() {
    bWaiting = false;
}
