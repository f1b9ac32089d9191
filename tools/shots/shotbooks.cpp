#include "tools/shots/shotbooks.h"

#include <windows.h>
#include <shlwapi.h>
#include <time.h>

#include "app/settingkeys.h"
#include "notebook/bookentry.h"
#include "dialogs/dpiscale.h"
#include "dialogs/ldpi.h"
#include "features/diary.h"
#include "installer/defaultbooks.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(h);
}

class FileSink : public DiarySink {
public:
    bool Exists(const char* path) override {
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }
    bool Write(const char* path, const char* data, size_t size) override {
        WriteText(path, std::string(data, size));
        return true;
    }
};

void DeleteTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path + "\\" + name);
            else
                DeleteFileA((path + "\\" + name).c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

ShotBooks::ShotBooks() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "Jotwell Books";
    DeleteTree(root_);
    CreateDirectoryA(root_.c_str(), NULL);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell");

    for (int i = 0; i < DEFAULT_BOOK_COUNT; ++i) {
        std::string folder = root_ + "\\" + DEFAULT_BOOKS[i].name;
        CreateDirectoryA(folder.c_str(), NULL);
        SetBookFolder(i + 1, folder.c_str());
        SetBookDiary(i + 1, DEFAULT_BOOKS[i].diary);
    }
    SetBookCount(DEFAULT_BOOK_COUNT);
    SetCurrentBook(DEFAULT_BOOKS[DEFAULT_BOOK_COUNT - 1].name);
    // The same room on the screen at every DPI.
    int dpi = LDpi::OfSystem();
    int x = ScalePixels(120, dpi), y = ScalePixels(60, dpi);
    LRect r = {x, y, x + ScalePixels(760, dpi), y + ScalePixels(480, dpi)};
    SetMainWindowRect(r);

    WriteText(root_ + "\\PhoneBook\\template._txt",
              "Name: \r\nCompany: \r\nPhone: \r\nMobile: \r\nEmail: \r\nAddress: \r\nNotes: ");
    WriteText(root_ + "\\PhoneBook\\Korvane.txt",
              "Name: Korvane Support\r\nCompany: Korvane\r\nPhone: +44 1632 960418\r\n"
              "Email: support@korvane.com\r\nAddress: 12 Fenwick Lane, Norbridge\r\nNotes: "
              "https://www.korvane.com/");
    WriteText(root_ + "\\Other Notes\\Shopping.txt", "milk\r\nbread\r\n{2} lemons\r\n");
    WriteText(root_ + "\\Other Notes\\Ideas.txt", "A garden bench by the pond.\r\n");
    // Twenty notes in all, more than the list shows at once.
    const char* more[] = {"Birthdays", "Books to read", "Car service", "Christmas cards",
                          "Dentist", "Films", "Garden plans", "Gift ideas", "Holiday packing",
                          "House insurance", "Passwords hint", "Plumber", "Recipes",
                          "School dates", "Train times", "Vet", "Wi-Fi setup",
                          "Window cleaner"};
    for (const char* name : more)
        WriteText(root_ + "\\Other Notes\\" + name + ".txt", std::string(name) + "\r\n");
    WriteText(root_ + "\\Useful Web Links\\Software Links.txt",
              "https://www.gnu.org/ free software\r\n");

    DiarySettings settings = DIARY_DEFAULT_SETTINGS;
    settings.iNoOfWeeks = 3;
    FileSink sink;
    GenerateDiary((root_ + "\\Diary").c_str(), settings, time(NULL), sink);
}

ShotBooks::~ShotBooks() {
    DeleteTree(root_);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell");
}
