// Keeps the versions that saves replace, and cuts the history store back,
// on a thread of its own: a save hands over the bytes it replaced and goes
// on, so it never waits for the store nor fails because of it. A version
// that cannot be kept is skipped and the window is told.
#ifndef JOTWELL_NOTEBOOK_HISTORYKEEPER_H
#define JOTWELL_NOTEBOOK_HISTORYKEEPER_H

#include <windows.h>

#include <deque>
#include <map>
#include <string>

#include "notebook/historystore.h"

// The bounds of the store from the settings.
unsigned long long HistoryMaxAgeSetting();
unsigned long long HistoryMaxBytesSetting();

class HistoryKeeper {
public:
    HistoryKeeper();
    // Finishes what was handed over, then ends the thread.
    ~HistoryKeeper();

    // The window posted message when a version could not be kept.
    void NotifyFailure(HWND window, UINT message);

    // A save replaced the version of the note at notePath whose bytes are in
    // *bytes, written at time: it is kept when the note's newest version is
    // old enough (notebook/historyrules.h), or always. Only bytes to be kept
    // are taken; *bytes then holds the emptied buffer of a version kept
    // earlier, so that copying the next version needs no new memory.
    void KeepVersion(const char* notePath, std::string* bytes, unsigned long long time,
                     bool always);
    // The same for a version whose bytes are in the file copyPath.
    void KeepVersionFrom(const char* notePath, const char* copyPath, unsigned long long time);

    // Cuts the store back to the bounds.
    void Prune(unsigned long long maxAge, unsigned long long maxBytes);

    // Waits until everything handed over is done, or with versionsOnly
    // the versions, whatever a prune still does; false after timeoutMs.
    bool WaitIdle(DWORD timeoutMs, bool versionsOnly = false);

    HistoryStore store;

private:
    struct Job {
        bool prune;
        bool always;
        std::string notePath;
        std::string bytes;
        std::string copyPath;  // the bytes are in this file instead
        unsigned long long time;
        unsigned long long now;  // by the store's clock when handed over
        unsigned long long maxAge, maxBytes;
    };

    void Hand(Job& job);
    bool KnownNotDue(const Job& job);  // under csJobs
    static DWORD WINAPI ThreadMain(void* keeper);
    void Run();
    void Work(Job& job);
    void Failed();
    static std::string NoteKey(const std::string& notePath);

    CRITICAL_SECTION csJobs;  // guards the fields below
    std::deque<Job> jobs;
    bool bBusy;               // a job is being worked on
    bool bBusyPruning;        // and it is a prune
    bool bStop;
    std::map<std::string, unsigned long long> newestKept;  // by note, once known
    std::string strSpare;     // a kept version's buffer, emptied, for the next one
    HANDLE hThread;
    HANDLE hWake;
    HWND hwndNotify;
    UINT uNotifyMessage;

    HistoryKeeper(const HistoryKeeper&) = delete;
    HistoryKeeper& operator=(const HistoryKeeper&) = delete;
};

#endif
