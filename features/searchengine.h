// The search of every book, run by a worker thread of its own. It reads the
// notes of every book into memory, answers the latest typed text (a newer
// one stops the search under way), and looks again at the folders when
// asked. It owns no window: it posts a message to the window that asked
// when there is news, and the window takes it.
#ifndef JOTWELL_FEATURES_SEARCHENGINE_H
#define JOTWELL_FEATURES_SEARCHENGINE_H

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "features/searchrules.h"

struct SearchBook {
    std::string folder;  // UTF-8
    std::string name;
};

// One result as the window shows it.
struct SearchRow {
    int book;
    std::string note;  // UTF-8
    std::string line;  // the line shown, cut to a few hundred bytes
    std::string word;  // the word that comes first in the text; empty when none is there
};

struct SearchAnswer {
    unsigned question;  // the number of the question answered
    std::vector<SearchRow> rows;
    size_t books;       // how many books the rows come from
};

class SearchEngine {
public:
    SearchEngine();
    ~SearchEngine();

    // Starts reading the books, in their list order; window gets message
    // whenever an answer or progress is ready.
    void Start(const std::vector<SearchBook>& books, HWND window, UINT message);
    // Ends the worker, waiting for it. Safe to call more than once.
    void Stop();
    bool Running() const { return thread.joinable(); }
    // The worker's thread id while it runs, 0 before.
    DWORD WorkerId() const { return uWorkerId; }

    // A new question, numbered; the search under way for an older one stops.
    unsigned Ask(const std::string& typed, bool matchCase);
    // Looks again at every folder: notes added, changed or deleted.
    void Refresh();

    // The newest answer, if one came since the last taken.
    bool TakeAnswer(SearchAnswer* answer);
    // Notes read so far, and how many there are to read.
    void Progress(size_t* read, size_t* total) const;
    // Whether reading stopped before the end because memory ran short.
    bool Limited() const { return bLimited; }
    // The number of the newest question.
    unsigned LastAsked() const { return uAsked; }

private:
    SearchEngine(const SearchEngine&) = delete;
    SearchEngine& operator=(const SearchEngine&) = delete;

    struct PendingNote {
        int book;
        std::string name;
        unsigned long long time;  // as listed
        unsigned long long size;
    };

    void Run();
    void Look();
    void ReadPending(DWORD forMs);
    bool ReadNote(const PendingNote& pending, SearchNote* note);
    void Answer(unsigned question, const std::string& typed, bool matchCase);
    void Notify();

    std::vector<SearchBook> vecBooks;
    HWND hwndNotify;
    UINT uMessage;
    std::thread thread;

    // Shared with the window's thread, under the mutex.
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool bStop;
    bool bRefresh;
    std::string strTyped;
    bool bMatchCase;
    SearchAnswer answer;
    bool bAnswerNew;
    std::atomic<unsigned> uAsked;  // read by the search to see it is overtaken
    std::atomic<size_t> uRead;
    std::atomic<size_t> uTotal;
    std::atomic<DWORD> uWorkerId;
    std::atomic<bool> bLimited;

    // The worker's own.
    std::vector<char16_t> vecFold;
    std::vector<SearchNote> vecNotes;
    std::vector<PendingNote> vecPending;
    unsigned long long ullHeld;    // bytes of text held, both forms
    unsigned long long ullBudget;  // at most this many
    unsigned uAnswered;
    std::string strLastTyped;  // of the last answer, which a narrower question may build on
    bool bLastMatchCase;
    std::vector<size_t> vecLastMatches;
    size_t uLastNoteCount;
};

#endif
