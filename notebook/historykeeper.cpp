#include "notebook/historykeeper.h"

#include "app/settingkeys.h"
#include "notebook/historyrules.h"

namespace {

// Versions waiting beyond this many are skipped: saves that come faster
// than the store takes them would otherwise pile up their bytes.
const size_t kMaxWaiting = 8;
// A store on a local disk finishes far sooner; past this the thread is left.
const DWORD kFinishMs = 60000;

}  // namespace

unsigned long long HistoryMaxAgeSetting() {
    return (unsigned long long)HistoryKeepDays() * 24 * 3600 * HISTORY_SECOND;
}

unsigned long long HistoryMaxBytesSetting() {
    return (unsigned long long)HistoryMaxMegabytes() * 1024 * 1024;
}

HistoryKeeper::HistoryKeeper()
    : bBusy(false), bBusyPruning(false), bStop(false), hThread(NULL), hWake(NULL), hwndNotify(NULL),
      uNotifyMessage(0) {
    InitializeCriticalSection(&csJobs);
}

HistoryKeeper::~HistoryKeeper() {
    if (hThread) {
        EnterCriticalSection(&csJobs);
        bStop = true;
        LeaveCriticalSection(&csJobs);
        SetEvent(hWake);
        WaitForSingleObject(hThread, kFinishMs);
        CloseHandle(hThread);
    }
    if (hWake)
        CloseHandle(hWake);
    DeleteCriticalSection(&csJobs);
}

void HistoryKeeper::NotifyFailure(HWND window, UINT message) {
    hwndNotify = window;
    uNotifyMessage = message;
}

std::string HistoryKeeper::NoteKey(const std::string& notePath) {
    std::string key = notePath;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return key;
}

void HistoryKeeper::KeepVersion(const char* notePath, std::string* bytes,
                                unsigned long long time, bool always) {
    Job job = {false, always, notePath, std::string(), std::string(), time, store.Now(), 0, 0};
    EnterCriticalSection(&csJobs);
    bool wanted = always || !KnownNotDue(job);
    if (wanted) {
        job.bytes.swap(*bytes);
        bytes->swap(strSpare);
    }
    LeaveCriticalSection(&csJobs);
    if (wanted)
        Hand(job);
}

bool HistoryKeeper::KnownNotDue(const Job& job) {
    auto known = newestKept.find(NoteKey(job.notePath));
    return known != newestKept.end() && !HistoryVersionDue(true, known->second, job.now);
}

void HistoryKeeper::KeepVersionFrom(const char* notePath, const char* copyPath,
                                    unsigned long long time) {
    Job job = {false, false, notePath, std::string(), copyPath, time, store.Now(), 0, 0};
    Hand(job);
}

void HistoryKeeper::Prune(unsigned long long maxAge, unsigned long long maxBytes) {
    Job job = {true, false, std::string(), std::string(), std::string(), 0, store.Now(), maxAge,
               maxBytes};
    Hand(job);
}

void HistoryKeeper::Hand(Job& job) {
    EnterCriticalSection(&csJobs);
    // Most saves come within five minutes of the last version kept: they
    // are let go here, without waking the thread.
    if (!job.prune && !job.always && KnownNotDue(job)) {
        LeaveCriticalSection(&csJobs);
        return;
    }
    bool full = !job.prune && jobs.size() >= kMaxWaiting;
    if (!full && !hThread) {
        hWake = CreateEventA(NULL, FALSE, FALSE, NULL);
        hThread = hWake ? CreateThread(NULL, 0, ThreadMain, this, 0, NULL) : NULL;
    }
    bool handed = !full && hThread;
    if (handed) {
        jobs.push_back(Job());
        std::swap(jobs.back(), job);
    }
    LeaveCriticalSection(&csJobs);
    if (handed)
        SetEvent(hWake);
    else if (!job.prune)
        Failed();
}

bool HistoryKeeper::WaitIdle(DWORD timeoutMs, bool versionsOnly) {
    DWORD start = GetTickCount();
    for (;;) {
        EnterCriticalSection(&csJobs);
        bool idle = !bBusy || (versionsOnly && bBusyPruning);
        for (const Job& job : jobs)
            idle = idle && versionsOnly && job.prune;
        LeaveCriticalSection(&csJobs);
        if (idle)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(2);
    }
}

DWORD WINAPI HistoryKeeper::ThreadMain(void* keeper) {
    ((HistoryKeeper*)keeper)->Run();
    return 0;
}

void HistoryKeeper::Run() {
    for (;;) {
        WaitForSingleObject(hWake, INFINITE);
        for (;;) {
            EnterCriticalSection(&csJobs);
            bool stop = bStop;
            if (jobs.empty()) {
                bBusy = false;
                LeaveCriticalSection(&csJobs);
                if (stop)
                    return;
                break;
            }
            Job job;
            std::swap(job, jobs.front());
            jobs.pop_front();
            bBusy = true;
            bBusyPruning = job.prune;
            LeaveCriticalSection(&csJobs);
            Work(job);
        }
    }
}

void HistoryKeeper::Work(Job& job) {
    if (job.prune) {
        store.Prune(job.now, job.maxAge, job.maxBytes);
        // What is known of the newest versions may be gone now.
        EnterCriticalSection(&csJobs);
        newestKept.clear();
        LeaveCriticalSection(&csJobs);
        return;
    }
    std::string key = NoteKey(job.notePath);
    EnterCriticalSection(&csJobs);
    auto known = newestKept.find(key);
    bool any = known != newestKept.end();
    unsigned long long newest = any ? known->second : 0;
    LeaveCriticalSection(&csJobs);
    if (!any)
        any = store.NewestVersion(job.notePath.c_str(), &newest);
    bool due = job.always || HistoryVersionDue(any, newest, job.now);
    bool kept = false;
    if (due) {
        NoteFileText copy;
        bool fromFile = !job.copyPath.empty();
        bool read = !fromFile || (ReadNoteFile(job.copyPath.c_str(), &copy) && copy.exists);
        const char* data = fromFile ? copy.data : job.bytes.data();
        size_t size = fromFile ? copy.size : job.bytes.size();
        kept = read && store.Keep(HISTORY_VERSION, job.notePath.c_str(), data ? data : "", size,
                                  job.now, job.time);
        if (!kept)
            Failed();
    }
    EnterCriticalSection(&csJobs);
    if (kept)
        newestKept[key] = job.now;
    else if (any)
        newestKept[key] = newest;
    if (job.bytes.capacity() > strSpare.capacity()) {
        job.bytes.clear();
        strSpare.swap(job.bytes);
    }
    LeaveCriticalSection(&csJobs);
}

void HistoryKeeper::Failed() {
    if (hwndNotify)
        PostMessageA(hwndNotify, uNotifyMessage, 0, 0);
}
