// The "Search" window: text typed in it is looked for in every note of
// every book at once, and the list shows the notes that hold it. Enter or a
// double-click picks one, which the main window then opens.
#ifndef JOTWELL_FEATURES_SEARCHDIALOG_H
#define JOTWELL_FEATURES_SEARCHDIALOG_H

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/ldialog.h"
#include "features/searchengine.h"

// Posted by the search engine when it has news (WM_APP + 1).
const UINT WM_SEARCHNEWS = 0x8000 + 1;

class SearchDialog : public LDialog {
public:
    explicit SearchDialog(const std::vector<SearchBook>& books);

    void InitDialog() override;
    bool CmOk() override;
    void Command(WORD id, WORD notifyCode) override;
    void DestroyDialog() override;
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The note picked: its book's position from 0, its name, and the word
    // to select in it (empty when only the name holds the text).
    int iChosenBook;
    std::string strChosenNote;
    std::string strChosenWord;
    bool bChosenMatchCase;

    SearchEngine engine;
    unsigned uShownQuestion;  // the question whose answer the list shows

private:
    void AskAgain();
    void TakeAnswer();
    void ShowStatus();
    void FillDisplayInfo(NMLVDISPINFOW* info);
    void MoveSelection(int by);
    static LRESULT CALLBACK TextBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

    std::vector<SearchBook> vecBooks;
    std::vector<SearchRow> vecRows;
    size_t uRowBooks;      // how many books the rows come from
    bool bAnswered;        // an answer to some typed text came
    std::wstring strShown; // the text handed to the list for one cell
};

#endif
