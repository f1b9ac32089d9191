#include "features/bookprintdialog.h"

#include "app/settingkeys.h"
#include "resources/resource.h"

void BookPrintDialog::InitDialog() {
    bool perPage = PrintNotePerPage();
    CheckRadioButton(hwnd, IDC_PRINT_PAGE_BREAKS, IDC_PRINT_NO_BREAKS,
                     perPage ? IDC_PRINT_PAGE_BREAKS : IDC_PRINT_NO_BREAKS);
}

bool BookPrintDialog::CmOk() {
    SetPrintNotePerPage(IsDlgButtonChecked(hwnd, IDC_PRINT_PAGE_BREAKS) == BST_CHECKED);
    return true;
}
