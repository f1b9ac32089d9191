#include "features/searchengine.h"

#include <string.h>

#include <algorithm>
#include <map>
#include <utility>

#include "notebook/notefile.h"
#include "notebook/notepath.h"
#include "util/lcasefold.h"
#include "util/lowned.h"
#include "util/ltextfile.h"
#include "util/ltime.h"
#include "util/lwide.h"
#include "util/textencoding.h"

namespace {

// Time a batch of reading may take before a question is looked at again.
const DWORD kReadSliceMs = 100;
// How much of a line a result row keeps; the list shows less.
const size_t kLineBytes = 300;

bool EndsWithTxt(const char* name) {
    size_t n = strlen(name);
    return n >= 4 && name[n - 4] == '.' && (name[n - 3] | 0x20) == 't' &&
           (name[n - 2] | 0x20) == 'x' && (name[n - 1] | 0x20) == 't';
}

// A line cut to at most kLineBytes, never inside a character.
std::string CutLine(const std::string& text, size_t start, size_t length) {
    if (length > kLineBytes) {
        length = kLineBytes;
        while (length > 0 && ((unsigned char)text[start + length] & 0xC0) == 0x80)
            --length;
    }
    return text.substr(start, length);
}

// The whole file, read as another computer may be saving it: shared for
// every kind of access. The listing's size saves asking the file for it.
bool ReadWhole(const char* path, unsigned long long listed, std::string* text) {
    LHandle file(LFile::OpenForReading(path));
    if (!file.IsOpen())
        return false;
    size_t size = 0;
    text->resize(listed + 1);
    bool ok = true;
    for (;;) {
        if (size == text->size())
            text->resize(size * 2);
        DWORD got = 0;
        if (!ReadFile(file.Get(), &(*text)[size], (DWORD)(text->size() - size), &got, NULL)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        size += got;
    }
    text->resize(size);
    return ok;
}

struct SeenFile {
    std::string name;  // as the folder spells it
    unsigned long long time;
    unsigned long long size;
    bool seen;  // a note read before, unchanged
};

}  // namespace

SearchEngine::SearchEngine()
    : hwndNotify(NULL),
      uMessage(0),
      bStop(false),
      bRefresh(false),
      bMatchCase(false),
      bAnswerNew(false),
      uAsked(0),
      uRead(0),
      uTotal(0),
      uWorkerId(0),
      bLimited(false),
      ullHeld(0),
      ullBudget(0),
      uAnswered(0),
      bLastMatchCase(false),
      uLastNoteCount(0) {
    answer.question = 0;
    answer.books = 0;
}

SearchEngine::~SearchEngine() {
    Stop();
}

void SearchEngine::Start(const std::vector<SearchBook>& books, HWND window, UINT message) {
    if (thread.joinable())
        return;
    vecBooks = books;
    hwndNotify = window;
    uMessage = message;
    bStop = false;
    thread = std::thread(&SearchEngine::Run, this);
}

void SearchEngine::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        bStop = true;
    }
    wake.notify_all();
    if (thread.joinable())
        thread.join();
}

unsigned SearchEngine::Ask(const std::string& typed, bool matchCase) {
    unsigned question;
    {
        std::lock_guard<std::mutex> lock(mutex);
        strTyped = typed;
        bMatchCase = matchCase;
        question = ++uAsked;
    }
    wake.notify_all();
    return question;
}

void SearchEngine::Refresh() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        bRefresh = true;
    }
    wake.notify_all();
}

bool SearchEngine::TakeAnswer(SearchAnswer* out) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!bAnswerNew)
        return false;
    *out = std::move(answer);
    bAnswerNew = false;
    return true;
}

void SearchEngine::Progress(size_t* read, size_t* total) const {
    *read = uRead;
    *total = uTotal;
}

void SearchEngine::Notify() {
    if (hwndNotify)
        PostMessageW(hwndNotify, uMessage, 0, 0);
}

void SearchEngine::Run() {
    uWorkerId = GetCurrentThreadId();
    // A third of the address space still free: the program, its window and a
    // note being saved keep the rest (a 32-bit program has 2 GB in all).
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatusEx(&memory);
    ullBudget = std::min(memory.ullAvailVirtual, memory.ullAvailPhys + memory.ullAvailPageFile) / 3;
    BuildCaseFold(vecFold);
    Look();
    Notify();  // how many notes there are to read
    bool stale = true;  // notes came or went since the last answer
    for (;;) {
        unsigned question;
        std::string typed;
        bool matchCase, refresh;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [&] {
                return bStop || bRefresh || uAsked != uAnswered || !vecPending.empty() ||
                       (stale && uAsked != 0);
            });
            if (bStop)
                return;
            refresh = bRefresh;
            bRefresh = false;
            question = uAsked;
            typed = strTyped;
            matchCase = bMatchCase;
        }
        if (refresh) {
            Look();
            stale = true;
        }
        if (question != 0 && (question != uAnswered || stale)) {
            Answer(question, typed, matchCase);
            stale = false;
        }
        if (!vecPending.empty()) {
            ReadPending(kReadSliceMs);
            stale = true;
            Notify();  // the progress shown
        }
    }
}

// One listing of every folder decides what to read: new notes, and notes
// whose time or size changed. Notes gone from a folder listed in full go.
void SearchEngine::Look() {
    std::map<std::pair<int, std::string>, SeenFile> files;
    std::vector<bool> complete(vecBooks.size(), false);
    for (size_t b = 0; b < vecBooks.size(); ++b) {
        char pattern[LFILE_PATH];
        lstrcpynA(pattern, vecBooks[b].folder.c_str(), LFILE_PATH);
        LFile::FilePathCat(pattern, "*.txt");
        LFindData fd;
        LFindHandle find(FindFirstFileU(pattern, &fd));
        if (!find.IsOpen()) {
            complete[b] = GetLastError() == ERROR_FILE_NOT_FOUND;
            continue;
        }
        do {
            if (!fd.bWhole || !EndsWithTxt(fd.cFileName) ||
                (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                continue;
            std::string name(fd.cFileName, strlen(fd.cFileName) - 4);
            SeenFile seen = {name, LTimeOf(fd.ftLastWriteTime),
                             ((unsigned long long)fd.nFileSizeHigh << 32) | fd.nFileSizeLow, false};
            files[std::make_pair((int)b, FoldUtf8(name, vecFold.data()))] = seen;
        } while (FindNextFileU(find.Get(), &fd));
        complete[b] = GetLastError() == ERROR_NO_MORE_FILES;
    }

    // Kept are the notes still there as they were read; a changed note is
    // read again, a vanished one goes.
    std::vector<SearchNote> kept;
    kept.reserve(vecNotes.size());
    for (SearchNote& note : vecNotes) {
        auto it = files.find(std::make_pair(note.book, note.foldedName));
        bool gone = it == files.end() && complete[note.book];
        bool changed = it != files.end() && (it->second.time != note.time ||
                                             it->second.size != note.size);
        if (it != files.end())
            it->second.seen = !changed;
        if (!gone && !changed)
            kept.push_back(std::move(note));
    }
    if (kept.size() != vecNotes.size())
        strLastTyped.clear();  // the last answer's note numbers mean other notes now
    vecNotes.swap(kept);
    ullHeld = 0;
    for (const SearchNote& note : vecNotes)
        ullHeld += note.text.size() + note.foldedText.size() + 2 * note.name.size();

    // Read from the back: reversed, the books come in their list order.
    vecPending.clear();
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (!it->second.seen) {
            PendingNote pending = {it->first.first, it->second.name, it->second.time,
                                   it->second.size};
            vecPending.push_back(pending);
        }
    uRead = vecNotes.size();
    uTotal = vecNotes.size() + vecPending.size();
}

void SearchEngine::ReadPending(DWORD forMs) {
    DWORD start = GetTickCount();
    while (!vecPending.empty() && GetTickCount() - start < forMs) {
        if (uAsked != uAnswered)
            return;  // a question waits: it comes first
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (bStop)
                return;
        }
        if (ullHeld > ullBudget) {
            // The notes read are searched; the rest are said to be left out.
            bLimited = true;
            vecPending.clear();
            return;
        }
        PendingNote pending = vecPending.back();
        vecPending.pop_back();
        SearchNote note;
        if (ReadNote(pending, &note)) {
            ullHeld += note.text.size() + note.foldedText.size() + 2 * note.name.size();
            vecNotes.push_back(std::move(note));
        }
        ++uRead;
    }
}

// The time and size come from the listing: a note changed after it is
// either read in its new form, or read again at the next look.
bool SearchEngine::ReadNote(const PendingNote& pending, SearchNote* note) {
    char path[LFILE_PATH];
    if (!NotePath(vecBooks[pending.book].folder.c_str(), pending.name.c_str(), path) ||
        !ReadWhole(path, pending.size, &note->text))
        return false;
    note->book = pending.book;
    note->name = pending.name;
    note->time = pending.time;
    note->size = pending.size;
    bool ascii = false;
    TextEncoding encoding = TextEncodingOf(note->text.data(), note->text.size(), false, &ascii);
    if (!ascii) {
        std::u16string wide;
        TextFileToWide(note->text.data(), note->text.size(), &wide, &encoding);
        note->text.assign(wide.size() * 3, '\0');
        note->text.resize(Utf16ToUtf8(wide.data(), wide.size(), &note->text[0]));
    }
    note->foldedName = FoldUtf8(note->name, vecFold.data());
    if (!ascii)
        note->foldedText = FoldUtf8(note->text, vecFold.data());
    return true;
}

void SearchEngine::Answer(unsigned question, const std::string& typed, bool matchCase) {
    std::vector<std::string> words =
        SearchWords(matchCase ? typed : FoldUtf8(typed, vecFold.data()));
    bool narrow = matchCase == bLastMatchCase && SearchNarrows(strLastTyped, typed);
    std::vector<size_t> candidates;
    if (narrow) {
        candidates = vecLastMatches;
        for (size_t i = uLastNoteCount; i < vecNotes.size(); ++i)
            candidates.push_back(i);
    } else {
        candidates.resize(vecNotes.size());
        for (size_t i = 0; i < candidates.size(); ++i)
            candidates[i] = i;
    }

    std::vector<SearchHit> hits;
    for (size_t i = 0; i < candidates.size() && !words.empty(); ++i) {
        if ((i & 255) == 255 && uAsked != question)
            return;  // overtaken by a newer question: its answer counts
        SearchHit hit;
        if (MatchSearchNote(vecNotes[candidates[i]], words, matchCase, &hit)) {
            hit.note = candidates[i];
            hits.push_back(hit);
        }
    }
    SortSearchHits(hits, vecNotes);

    SearchAnswer made;
    made.question = question;
    made.rows.reserve(hits.size());
    std::vector<bool> books(vecBooks.size(), false);
    made.books = 0;
    vecLastMatches.clear();
    for (const SearchHit& hit : hits) {
        const SearchNote& note = vecNotes[hit.note];
        SearchRow row = {note.book, note.name, CutLine(note.text, hit.lineStart, hit.lineLength),
                         hit.word >= 0 ? words[hit.word] : std::string()};
        made.rows.push_back(std::move(row));
        made.books += !books[note.book];
        books[note.book] = true;
        vecLastMatches.push_back(hit.note);
    }
    std::sort(vecLastMatches.begin(), vecLastMatches.end());
    strLastTyped = words.empty() ? std::string() : typed;
    bLastMatchCase = matchCase;
    uLastNoteCount = vecNotes.size();
    uAnswered = question;
    {
        std::lock_guard<std::mutex> lock(mutex);
        answer = std::move(made);
        bAnswerNew = true;
    }
    Notify();
}
