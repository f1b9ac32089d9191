// What the main window tells the user about the loaded note: a file that
// cannot be read, a name too long, a save that keeps failing.
#include <windows.h>

#include <stdio.h>

#include "mainwindow/maindialog.h"
#include "util/lwide.h"

// A message about the loaded note; format holds one %s for its name.
int MainDialog::NoteMessageBox(const char* format, UINT type) {
    char title[LFILE_PATH], message[LFILE_PATH * 2];
    LFile::_GetFileTitleFromPath(title, szNoteName);
    snprintf(message, sizeof message, format, title);
    return MessageBoxU(hwnd, message, "Jotwell", type);
}

void MainDialog::ShowNoteUnreadable() {
    NoteMessageBox("Jotwell cannot read the note \"%s\". Another program may be using it, or "
                   "its folder may be out of reach.\r\n\r\nThe note is shown read only, and its "
                   "file is left as it is.",
                   MB_ICONWARNING | MB_OK);
}

void MainDialog::ShowNameTooLong(const char* name) {
    char message[LFILE_PATH * 2];
    snprintf(message, sizeof message,
             "The note name \"%s\" is too long for this book: with the book's folder it makes a "
             "file path longer than 259 characters. Choose a shorter name.",
             name);
    MessageBoxU(hwnd, message, "Name Too Long", MB_ICONINFORMATION | MB_OK);
}

void MainDialog::ShowSaveFailure() {
    NoteMessageBox("Jotwell cannot save the note \"%s\". The folder may be read only or out of "
                   "reach, or another program may be using the file.\r\n\r\nYour text stays in "
                   "the editor, and Jotwell keeps trying to save it.",
                   MB_ICONWARNING | MB_OK);
}

void MainDialog::ShowTurnBlocked() {
    char title[LFILE_PATH], message[LFILE_PATH * 4];
    LFile::_GetFileTitleFromPath(title, szNoteName);
    snprintf(message, sizeof message,
             "Jotwell cannot save the note \"%s\": the file \"%s\", by which computers sharing "
             "this book take turns to save, has been in the way for too long.\r\n\r\nIf no "
             "other computer is saving notes of this book, delete that file (or the folder of "
             "that name). Your text stays in the editor, and Jotwell keeps trying to save it.",
             title, savingTurn.FilePath());
    MessageBoxU(hwnd, message, "Jotwell", MB_ICONWARNING | MB_OK);
}
