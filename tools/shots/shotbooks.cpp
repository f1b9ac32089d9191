#include "tools/shots/shotbooks.h"

#include <windows.h>
#include <shlwapi.h>
#include <time.h>

#include "app/settings.h"
#include "dialogs/dpiscale.h"
#include "dialogs/ldpi.h"
#include "features/diary.h"

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

    const char* names[] = {"PhoneBook", "Useful Web Links", "Other Notes", "Diary"};
    for (int i = 0; i < 4; ++i) {
        std::string folder = root_ + "\\" + names[i];
        CreateDirectoryA(folder.c_str(), NULL);
        char value[32];
        wsprintfA(value, "Book%d", i + 1);
        SettingsSetString("Books", value, folder.c_str());
    }
    SettingsSetString("Books", "Book4Type", "Diary");
    SettingsSetInt("Books", "Count", 4);
    SettingsSetString("Books", "Current", "Diary");
    // The same room on the screen at every DPI.
    int dpi = LDpi::OfSystem();
    SettingsSetInt("MainWindow", "X", ScalePixels(120, dpi));
    SettingsSetInt("MainWindow", "Y", ScalePixels(60, dpi));
    SettingsSetInt("MainWindow", "Width", ScalePixels(760, dpi));
    SettingsSetInt("MainWindow", "Height", ScalePixels(480, dpi));

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
