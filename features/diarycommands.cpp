// Writing the diary notes of a book with the Win32 file API.
#include <time.h>

#include "app/settingkeys.h"
#include "features/diary.h"
#include "features/diarypropertiesdialog.h"
#include "mainwindow/maindialog.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

class DiaryFileSink : public DiarySink {
public:
    bool Exists(const char* path) override { return LFile::Exists(path); }

    bool Write(const char* path, const char* data, size_t size) override {
        // CREATE_NEW: a note that appeared meanwhile is never overwritten.
        LHandle h(CreateFileU(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              NULL));
        if (!h.IsOpen())
            return false;
        DWORD written = 0;
        bool ok = WriteFile(h.Get(), data, (DWORD)size, &written, NULL) && written == size;
        return ok;
    }
};

}  // namespace

void MainDialog::CmDiaryNewEntries(const char* folder) {
    DiarySettings settings;
    ReadDiarySettings(&settings);
    DiaryFileSink sink;
    // Listed whatever the outcome: a run cut short may still have written
    // some notes.
    GenerateDiary(folder, settings, time(NULL), sink);
    InitItemsList();
}
