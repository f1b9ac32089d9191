#include "notebook/historystore.h"

#include <shlobj.h>
#include <string.h>

#include <algorithm>
#include <map>

#include "notebook/historynames.h"
#include "notebook/historyrules.h"
#include "util/lowned.h"
#include "util/ltextfile.h"
#include "util/ltime.h"
#include "util/lwide.h"

namespace {

// A leftover of a write cut off is told from a write under way by its age.
const unsigned long long kLeftoverAge = 60 * HISTORY_SECOND;

// The file time of a moment in local time, the inverse of LocalStamp.
unsigned long long StampTime(const HistoryStamp& stamp) {
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof st);
    st.wYear = (WORD)stamp.year;
    st.wMonth = (WORD)stamp.month;
    st.wDay = (WORD)stamp.day;
    st.wHour = (WORD)stamp.hour;
    st.wMinute = (WORD)stamp.minute;
    st.wSecond = (WORD)stamp.second;
    FILETIME local, utc;
    if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return 0;
    return LTimeOf(utc);
}

HistoryStamp LocalStamp(unsigned long long time) {
    FILETIME utc = {(DWORD)time, (DWORD)(time >> 32)}, local;
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof st);
    if (FileTimeToLocalFileTime(&utc, &local))
        FileTimeToSystemTime(&local, &st);
    HistoryStamp stamp = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
    return stamp;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

bool Fits(const std::string& path) {
    return path.size() <= (size_t)LFILE_PATH_MAX_CHARS;
}

bool IsFolder(const char* path) {
    DWORD attributes = GetFileAttributesU(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes the folder and every missing one above it.
bool MakeFolders(const std::string& folder) {
    if (!Fits(folder))
        return false;
    if (IsFolder(folder.c_str()))
        return true;
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryU(folder.substr(0, at).c_str(), NULL);
    CreateDirectoryU(folder.c_str(), NULL);
    return IsFolder(folder.c_str());
}

bool EndsWith(const char* name, const char* ext) {
    size_t n = strlen(name), e = strlen(ext);
    return n > e && _stricmp(name + n - e, ext) == 0;
}

// The names in folder, folders or files, as the find gives them.
std::vector<LFindData> ItemsIn(const std::string& folder, bool folders) {
    std::vector<LFindData> items;
    LFindData fd;
    LFindHandle find(FindFirstFileU(Join(folder, "*").c_str(), &fd));
    if (!find.IsOpen())
        return items;
    do {
        bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!fd.bWhole || isFolder != folders || strcmp(fd.cFileName, ".") == 0 ||
            strcmp(fd.cFileName, "..") == 0)
            continue;
        items.push_back(fd);
    } while (FindNextFileU(find.Get(), &fd));
    return items;
}

// The note's first line with text, for the lists, in whatever encoding its
// bytes are.
std::string FirstLineOf(const void* data, size_t size) {
    std::u16string text;
    TextEncoding encoding;
    TextFileToWide((const char*)data, size, &text, &encoding);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of(u"\r\n", at);
        if (end == std::u16string::npos)
            end = text.size();
        if (text.find_first_not_of(u" \t", at) < end) {
            size_t count = std::min<size_t>(end - at, 2 * HISTORY_FIRST_LINE_BYTES);
            std::string line = LNarrow((const WCHAR*)text.data() + at, (int)count);
            return HistoryFirstLine(line.data(), line.size());
        }
        at = end + 1;
    }
    return std::string();
}

// The files of a folder's entries, by their name without extension.
struct EntryFiles {
    bool data = false, index = false;
    unsigned long long dataBytes = 0, indexBytes = 0, written = 0;
};

// Temporary files of cut-off writes go to temps, with their write times.
std::map<std::string, EntryFiles> EntryFilesIn(
    const std::string& folder,
    std::vector<std::pair<std::string, unsigned long long>>* temps = NULL) {
    std::map<std::string, EntryFiles> byName;
    for (const LFindData& fd : ItemsIn(folder, false)) {
        std::string name = fd.cFileName;
        unsigned long long size = ((unsigned long long)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
        unsigned long long written = LTimeOf(fd.ftLastWriteTime);
        bool isIndex = EndsWith(fd.cFileName, HISTORY_INDEX_EXT);
        if (EndsWith(fd.cFileName, ".tmp")) {
            if (temps)
                temps->push_back(std::make_pair(Join(folder, name), written));
            continue;
        }
        if (!isIndex && !EndsWith(fd.cFileName, HISTORY_DATA_EXT))
            continue;
        EntryFiles& files = byName[name.substr(0, name.rfind('.'))];
        (isIndex ? files.index : files.data) = true;
        (isIndex ? files.indexBytes : files.dataBytes) = size;
        files.written = std::max(files.written, written);
    }
    return byName;
}

bool ReadIndex(const std::string& path, HistoryIndex* index) {
    size_t size = 0;
    std::unique_ptr<char[]> text = LFile::ReadTextFile(path.c_str(), &size);
    return text && HistoryIndexParse(text.get(), size, index);
}


}  // namespace

bool HistoryStoreRoot(char* root) {
    root[0] = '\0';
    WCHAR local[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, local)) ||
        !local[0] || !LNarrowTo(local, root, LFILE_PATH))
        return false;
    std::string path = Join(Join(root, "Korvane"), "Jotwell");
    if (!Fits(path)) {
        root[0] = '\0';
        return false;
    }
    strcpy(root, path.c_str());
    return true;
}

HistoryStore::HistoryStore() : llClockShift(0) {
    HistoryStoreRoot(szRoot);
    InitializeCriticalSection(&csWrite);
}

HistoryStore::~HistoryStore() {
    DeleteCriticalSection(&csWrite);
}

unsigned long long HistoryStore::Now() const {
    return LTimeNow() + (unsigned long long)llClockShift;
}

std::string HistoryStore::BookFolder(const char* bookFolder) const {
    char name[LFILE_PATH];
    HistoryBookFolderName(bookFolder, name);
    return Join(szRoot, name);
}

std::string HistoryStore::VersionsFolder(const char* notePath) const {
    char folder[LFILE_PATH], title[LFILE_PATH], name[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, notePath);
    LFile::_GetFileTitleFromPath(title, notePath);
    HistoryNoteFolderName(title, name);
    return Join(Join(BookFolder(folder), HISTORY_VERSIONS_FOLDER), name);
}

std::string HistoryStore::DeletedFolder(const char* bookFolder) const {
    return Join(BookFolder(bookFolder), HISTORY_DELETED_FOLDER);
}

bool HistoryStore::Keep(HistoryKind kind, const char* notePath, const void* data, size_t size,
                        unsigned long long kept, unsigned long long time, HistoryEntry* made) {
    if (!szRoot[0])
        return false;
    HistoryIndex index;
    index.kind = kind;
    index.path = notePath;
    index.kept = kept;
    index.time = time;
    index.size = size;
    index.firstLine = FirstLineOf(data, size);
    char folder[LFILE_PATH], title[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, notePath);
    LFile::_GetFileTitleFromPath(title, notePath);
    std::string where = kind == HISTORY_VERSION ? VersionsFolder(notePath) : DeletedFolder(folder);
    EnterCriticalSection(&csWrite);
    bool ok = MakeFolders(where) &&
              WriteEntry(where, index, data, kind == HISTORY_DELETED ? title : NULL, made);
    LeaveCriticalSection(&csWrite);
    return ok;
}

bool HistoryStore::WriteEntry(const std::string& folder, const HistoryIndex& index,
                              const void* data, const char* title, HistoryEntry* made) {
    std::string text;
    if (!HistoryIndexText(index, &text))
        return false;
    HistoryStamp stamp = LocalStamp(index.kept);
    for (int attempt = 1; attempt < 100; ++attempt) {
        char name[LFILE_PATH];
        HistoryEntryName(stamp, attempt, title, name);
        std::string dataPath = Join(folder, name) + HISTORY_DATA_EXT;
        std::string indexPath = Join(folder, name) + HISTORY_INDEX_EXT;
        if (!Fits(indexPath) || !Fits(dataPath))
            return false;
        if (LFile::Exists(dataPath.c_str()) || LFile::Exists(indexPath.c_str()))
            continue;
        // The bytes first: an index is listed only once they are all there.
        if (!LFile::WriteFileBytes(dataPath.c_str(), data, (size_t)index.size))
            return false;
        if (!LFile::WriteFileBytes(indexPath.c_str(), text.data(), text.size())) {
            DeleteFileU(dataPath.c_str());
            return false;
        }
        if (made) {
            made->index = index;
            made->indexed = true;
            made->dataPath = dataPath;
            made->indexPath = indexPath;
        }
        return true;
    }
    return false;
}

std::vector<HistoryEntry> HistoryStore::List(const std::string& folder, HistoryKind kind) {
    std::vector<HistoryEntry> entries;
    if (!szRoot[0])
        return entries;
    for (const auto& item : EntryFilesIn(folder)) {
        HistoryStamp stamp;
        if (!item.second.data || !item.second.index ||
            !HistoryStampParse(item.first.c_str(), &stamp))
            continue;
        HistoryEntry entry;
        entry.index.kind = kind;
        entry.index.kept = StampTime(stamp);
        entry.index.time = 0;
        entry.index.size = item.second.dataBytes;
        entry.indexed = false;
        entry.dataPath = Join(folder, item.first) + HISTORY_DATA_EXT;
        entry.indexPath = Join(folder, item.first) + HISTORY_INDEX_EXT;
        entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
        if (a.index.kept != b.index.kept)
            return a.index.kept > b.index.kept;
        return a.dataPath > b.dataPath;
    });
    return entries;
}

std::vector<HistoryEntry> HistoryStore::Versions(const char* notePath) {
    return List(VersionsFolder(notePath), HISTORY_VERSION);
}

std::vector<HistoryEntry> HistoryStore::Deleted(const char* bookFolder) {
    return List(DeletedFolder(bookFolder), HISTORY_DELETED);
}

bool HistoryStore::LoadIndex(HistoryEntry& entry) {
    if (entry.indexed)
        return true;
    HistoryIndex index;
    if (!ReadIndex(entry.indexPath, &index) || index.kind != entry.index.kind)
        return false;
    entry.index = index;
    entry.indexed = true;
    return true;
}

bool HistoryStore::NewestVersion(const char* notePath, unsigned long long* kept) {
    std::vector<HistoryEntry> versions = Versions(notePath);
    if (versions.empty())
        return false;
    *kept = versions[0].index.kept;
    return true;
}

bool HistoryStore::Read(const HistoryEntry& entry, NoteFileText* out) {
    return ReadNoteFile(entry.dataPath.c_str(), out) && out->exists &&
           out->size == entry.index.size;
}

bool HistoryStore::Remove(const HistoryEntry& entry) {
    EnterCriticalSection(&csWrite);
    DeleteFileU(entry.indexPath.c_str());
    bool gone = !LFile::Exists(entry.indexPath.c_str());
    if (gone)
        DeleteFileU(entry.dataPath.c_str());
    LeaveCriticalSection(&csWrite);
    return gone;
}

void HistoryStore::RemoveFile(const std::string& path) {
    EnterCriticalSection(&csWrite);
    DeleteFileU(path.c_str());
    LeaveCriticalSection(&csWrite);
}

void HistoryStore::PruneFolder(const std::string& folder, unsigned long long now,
                               std::vector<HistoryEntry>* entries,
                               std::vector<unsigned long long>* bytes) {
    std::vector<std::pair<std::string, unsigned long long>> temps;
    std::map<std::string, EntryFiles> byName = EntryFilesIn(folder, &temps);
    for (const auto& temp : temps)
        if (temp.second + kLeftoverAge < now)
            RemoveFile(temp.first);
    for (const auto& item : byName) {
        const EntryFiles& files = item.second;
        HistoryEntry entry;
        entry.indexPath = Join(folder, item.first) + HISTORY_INDEX_EXT;
        entry.dataPath = Join(folder, item.first) + HISTORY_DATA_EXT;
        HistoryStamp stamp;
        if (files.index && files.data && HistoryStampParse(item.first.c_str(), &stamp)) {
            entry.index.kept = StampTime(stamp);
            entry.indexed = false;
            entries->push_back(entry);
            bytes->push_back(files.dataBytes + files.indexBytes);
            continue;
        }
        // Bytes whose index never came, or an index whose bytes are gone:
        // listed by nothing, and taking room.
        if ((files.index != files.data) && files.written + kLeftoverAge < now) {
            RemoveFile(entry.indexPath);
            RemoveFile(entry.dataPath);
        }
    }
}

void HistoryStore::Prune(unsigned long long now, unsigned long long maxAge,
                         unsigned long long maxBytes) {
    if (!szRoot[0])
        return;
    unsigned long long systemNow = LTimeNow();
    std::vector<HistoryEntry> entries;
    std::vector<unsigned long long> bytes;
    std::vector<std::string> folders;
    for (const LFindData& book : ItemsIn(szRoot, true)) {
        std::string bookFolder = Join(szRoot, book.cFileName);
        std::string versions = Join(bookFolder, HISTORY_VERSIONS_FOLDER);
        for (const LFindData& note : ItemsIn(versions, true))
            folders.push_back(Join(versions, note.cFileName));
        folders.push_back(versions);
        folders.push_back(Join(bookFolder, HISTORY_DELETED_FOLDER));
        folders.push_back(bookFolder);
    }
    for (const std::string& folder : folders)
        PruneFolder(folder, systemNow, &entries, &bytes);

    std::vector<HistoryHeld> held(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        held[i] = HistoryHeld{entries[i].index.kept, bytes[i]};
    for (size_t i : HistoryPruneChoice(held, now, maxAge, maxBytes))
        Remove(entries[i]);

    // Folders left empty go, innermost first; one with anything in it stays.
    for (const std::string& folder : folders) {
        EnterCriticalSection(&csWrite);
        RemoveDirectoryU(folder.c_str());
        LeaveCriticalSection(&csWrite);
    }
}
