// The user's history store: earlier versions of notes and deleted notes,
// kept in the user's local application data, outside every book, so that
// nothing is ever written into a book for it and shared or read-only books
// behave as without it. Each entry is the note's exact bytes in a file of
// its own, with its index beside (notebook/historynames.h,
// notebook/historyindex.h), both written to a temporary file renamed into
// place, so that a kill at any moment leaves every listed entry whole.
#ifndef JOTWELL_NOTEBOOK_HISTORYSTORE_H
#define JOTWELL_NOTEBOOK_HISTORYSTORE_H

#include <windows.h>

#include <string>
#include <vector>

#include "notebook/historyindex.h"
#include "notebook/notefile.h"
#include "util/lfile.h"

// One entry: its index and its two files. A list gives the kind, the time
// it was kept (to the second) and the size, from the names alone; the rest
// of the index is read when asked for (HistoryStore::LoadIndex), so that a
// list of a thousand opens at once.
struct HistoryEntry {
    HistoryIndex index;
    bool indexed = false;   // all of index has been read
    std::string dataPath;   // the note's bytes
    std::string indexPath;  // its index, beside them
};

// "<local application data>\Korvane\Jotwell" into root (260 bytes); false,
// and the empty text, when the system names no such folder.
bool HistoryStoreRoot(char* root);

class HistoryStore {
public:
    HistoryStore();
    ~HistoryStore();

    // By the store's clock: the system's time moved by llClockShift.
    unsigned long long Now() const;

    // Keeps the bytes of the note at notePath as an entry of that kind,
    // kept at kept, the bytes written at time (0 unknown). Called from the
    // window's thread and the keeper's alike. The entry made goes to made.
    bool Keep(HistoryKind kind, const char* notePath, const void* data, size_t size,
              unsigned long long kept, unsigned long long time, HistoryEntry* made = NULL);

    // When the newest version of the note was kept; false when none was.
    bool NewestVersion(const char* notePath, unsigned long long* kept);

    // The note's versions, or the book's deleted notes, newest first. A
    // book's folder in the store is named by its last name and a key of its
    // path: two books that share both would be taken for one.
    std::vector<HistoryEntry> Versions(const char* notePath);
    std::vector<HistoryEntry> Deleted(const char* bookFolder);
    // Reads the rest of an entry's index, once; false when it cannot.
    bool LoadIndex(HistoryEntry& entry);

    // An entry's bytes, all of them as its index counts them.
    bool Read(const HistoryEntry& entry, NoteFileText* out);
    // Removes an entry: first its index, so that no half entry is listed.
    bool Remove(const HistoryEntry& entry);

    // Removes what was kept more than maxAge before now, then the oldest
    // until the store takes at most maxBytes, and what writes cut off left.
    void Prune(unsigned long long now, unsigned long long maxAge, unsigned long long maxBytes);

    char szRoot[LFILE_PATH];  // empty: no store, nothing can be kept
    long long llClockShift;   // 100-ns units; tests move the clock with it

private:
    std::string BookFolder(const char* bookFolder) const;
    std::string VersionsFolder(const char* notePath) const;
    std::string DeletedFolder(const char* bookFolder) const;
    std::vector<HistoryEntry> List(const std::string& folder, HistoryKind kind);
    bool WriteEntry(const std::string& folder, const HistoryIndex& index, const void* data,
                    const char* title, HistoryEntry* made);
    void PruneFolder(const std::string& folder, unsigned long long now,
                     std::vector<HistoryEntry>* entries, std::vector<unsigned long long>* bytes);
    void RemoveFile(const std::string& path);

    // One writer at a time: the keeper's thread and the window's both write.
    CRITICAL_SECTION csWrite;

    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;
};

#endif
