// A main window in the test's own process, over books in temporary folders,
// driven through its real message paths.
#ifndef JOTWELL_TESTS_WIN32_MAINFIXTURE_H
#define JOTWELL_TESTS_WIN32_MAINFIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "mainwindow/maindialog.h"
#include "tests/win32/testkit.h"

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Book folders: PhoneBook, Useful Web Links, Other Notes (positions 1-3).
    std::string Book(const char* name) const { return books.path() + "\\" + name; }
    std::string Note(const char* book, const std::string& name) const {
        return Book(book) + "\\" + name + ".txt";
    }
    void WriteNote(const char* book, const std::string& name, const std::string& text);

    // Records the three books in the settings and makes "Current" the given
    // book, so the window opens on it.
    void SeedBooks(const char* current = "Other Notes");

    // Creates the main window and handles its start-up messages.
    void Open();
    // Ends it as Exit does.
    void Close();

    // Handles messages through the window's own loop, keys included.
    bool Pump(std::function<bool()> until, DWORD timeoutMs = 10000);
    void PumpFor(DWORD ms);

    // Sends a command as a menu choice does.
    void Command(int id);
    // A key press through the window's loop, with the modifiers held.
    void PressKey(UINT vk, bool ctrl = false, bool shift = false);
    // Types text into the note editor as the user would (raising a change).
    void TypeInNote(const std::string& text);
    // Runs the save timer's work now.
    void FireTimer(UINT id);

    std::vector<std::string> ListedNotes();
    std::string SelectedNote();
    std::string BookListText();
    std::string NoteNameText();
    std::string EditorText();  // as streamed out: CR LF line ends
    bool MenuEnabled(int id);
    bool MenuChecked(int id);
    void SelectNote(const std::string& name);
    void SelectBook(const char* name);

    testkit::TempDir books;
    testkit::TempDir store;  // the window's history store, in place of the user's
    std::unique_ptr<MainDialog> dialog;
    testkit::DialogResponder responder;
};

#endif
