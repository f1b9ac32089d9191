// Judging another saver's turn file that stands in the way of a save,
// without comparing two computers' clocks: only how long this computer has
// watched it unchanged counts. Window-free.
#ifndef JOTWELL_NOTEBOOK_TURNWATCH_H
#define JOTWELL_NOTEBOOK_TURNWATCH_H

// What identifies one turn file: each saver makes a new one, so a turn that
// changes hands changes these. Compared for equality only.
struct TurnFileSeen {
    unsigned long long created;
    unsigned long long written;
    unsigned long long size;
    unsigned attributes;
};

enum TurnVerdict {
    TURN_WAIT,     // someone holds the turn: try again shortly
    TURN_STALE,    // left by a saver that stopped: remove it and go on
    TURN_GIVE_UP,  // the turn never came within the bound: tell the user
};

class TurnWatch {
public:
    // A turn file unchanged for staleMs is left over; a save that found the
    // turn taken for giveUpMs in all gives up. A save holds the turn for a
    // few milliseconds.
    explicit TurnWatch(unsigned staleMs = 3000, unsigned giveUpMs = 30000);

    // A look ahead of a save, when the user starts typing: a turn file seen
    // here and still the same when the save finds it in the way has stood
    // unchanged since nowMs. Starts no wait.
    void Noticed(const TurnFileSeen& seen, unsigned nowMs);
    // The turn was found taken at nowMs (a millisecond tick that may wrap).
    TurnVerdict Seen(const TurnFileSeen& seen, unsigned nowMs);
    // The turn was taken: the next wait starts afresh.
    void Taken();

private:
    unsigned uStaleMs;
    unsigned uGiveUpMs;
    bool bWaiting;
    bool bNoticed;  // last and uLastChangedMs hold a look ahead of the wait
    TurnFileSeen last;
    unsigned uLastChangedMs;
    unsigned uWaitingSinceMs;
};

#endif
