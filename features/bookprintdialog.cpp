#include "features/bookprintdialog.h"

#include "app/settings.h"
#include "resources/resource.h"

void BookPrintDialog::InitDialog() {
    bool perPage = SettingsGetBool(PRINT_SETTINGS_SECTION, PRINT_VALUE_NOTE_PER_PAGE,
                                   PRINT_DEFAULT_NOTE_PER_PAGE);
    CheckRadioButton(hwnd, IDC_PRINT_PAGE_BREAKS, IDC_PRINT_NO_BREAKS,
                     perPage ? IDC_PRINT_PAGE_BREAKS : IDC_PRINT_NO_BREAKS);
}

bool BookPrintDialog::CmOk() {
    SettingsSetBool(PRINT_SETTINGS_SECTION, PRINT_VALUE_NOTE_PER_PAGE,
                    IsDlgButtonChecked(hwnd, IDC_PRINT_PAGE_BREAKS) == BST_CHECKED);
    return true;
}
