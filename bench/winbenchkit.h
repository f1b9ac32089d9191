// What the Windows benchmarks share: a clock, the settings of one book, a
// book of small notes, and a meter of how long a window keeps callers waiting.
#ifndef JOTWELL_BENCH_WINBENCHKIT_H
#define JOTWELL_BENCH_WINBENCHKIT_H

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// Seconds from an arbitrary start, with the performance counter.
double BenchNow();

// Replaces the program's settings with one book, folder, as the current one.
void BenchSeedOneBook(const std::string& folder);

// Deletes the program's settings again.
void BenchClearSettings();

// count note names in no particular order, as people name notes.
std::vector<std::string> BenchNoteNames(int count);

// Writes a note file of four bytes for each name into folder.
bool BenchMakeBook(const std::string& folder, const std::vector<std::string>& names);
void BenchDeleteBook(const std::string& folder, const std::vector<std::string>& names);

// One bare enumeration of the folder's "*.txt", as the yardstick of a scan.
// Returns the number of files.
int BenchEnumerate(const std::string& folder);

// Best time of rounds runs of work, in seconds.
template <typename F>
double BenchBest(int rounds, F work) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        double start = BenchNow();
        work();
        double took = BenchNow() - start;
        if (took < best)
            best = took;
    }
    return best;
}

// The program file, beside the folder of the running benchmark.
std::string BenchProgramPath();

// Starts a process; false when it could not be started.
bool BenchStartProcess(const std::string& commandLine, PROCESS_INFORMATION* pi);

// Posts msg to the process's window and waits for the process to end,
// ending it by force after 15 s (then false). Closes its handles.
bool BenchEndProcess(PROCESS_INFORMATION& pi, HWND window, UINT msg, WPARAM wParam);

// A top-level dialog window of that caption; withMenu: only one with a menu
// bar (message boxes of the same caption have none).
HWND BenchFindTopWindow(const char* caption, bool withMenu);

// Shown, its list listId holding items items, and its thread back in its
// message loop.
bool BenchWindowReady(HWND window, int listId, int items, DWORD timeoutMs);

// Pings a window from a thread of its own every 5 ms with
// SendMessageTimeout(WM_NULL), as a user's input or another program would
// find it, and keeps the waits of 20 ms or more.
class BenchStallMeter {
public:
    struct Stall {
        double at;       // seconds after the meter started
        double seconds;  // how long the ping waited
    };

    explicit BenchStallMeter(HWND window);
    ~BenchStallMeter();

    // Stops pinging; the figures below are final afterwards.
    void Stop();

    double Longest() const { return dLongest; }
    double LongestAt() const { return dLongestAt; }
    int Pings() const { return iPings; }
    const std::vector<Stall>& Stalls() const { return stalls; }

private:
    void Run();

    HWND hwndTarget;
    std::atomic<bool> bStop;
    std::atomic<bool> bDone;  // the pinging thread has finished
    double dStart;
    double dLongest;
    double dLongestAt;
    int iPings;
    std::vector<Stall> stalls;
    std::thread thread;

    BenchStallMeter(const BenchStallMeter&) = delete;
    BenchStallMeter& operator=(const BenchStallMeter&) = delete;
};

#endif
