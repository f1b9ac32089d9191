#include "installer/licencewizard.h"

#include <commctrl.h>
#include <prsht.h>

#include "dialogs/ldialog.h"
#include "installer/licencetermsdlg.h"
#include "resources/resource.h"

// Page and sheet descriptions of the sizes that carry the header fields: 13
// fields each, two of them 32-bit on both architectures.
const size_t kWizardStructSize = sizeof(void*) == 4 ? 52 : 96;
static_assert(sizeof(PROPSHEETPAGEA) == kWizardStructSize, "page description with header titles");
static_assert(sizeof(PROPSHEETHEADERA) == kWizardStructSize, "sheet description with header bitmap");

namespace {

// The wizard-97 header needs a bitmap; one white pixel shows nothing on the
// white header.
HBITMAP CreateWhitePixel() {
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    if (!memory)
        return NULL;
    // A memory DC starts with a monochrome bitmap, so this one is 1-bit.
    HBITMAP pixel = CreateCompatibleBitmap(memory, 1, 1);
    if (pixel) {
        HGDIOBJ old = SelectObject(memory, pixel);
        PatBlt(memory, 0, 0, 1, 1, WHITENESS);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    return pixel;
}

}  // namespace

void RunLicenceWizard(HWND owner, bool* declined) {
    LLicenceTermsDlg licence(declined);

    PROPSHEETPAGEA page;
    ZeroMemory(&page, sizeof page);
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
    page.hInstance = LGetInstance();
    page.pszTemplate = "LLicenceTermsDlg";
    page.pfnDlgProc = LPropertyPage::PageDialogProc;
    page.lParam = (LPARAM)&licence;
    page.pszHeaderTitle = "Licence Agreement";
    page.pszHeaderSubTitle = "Please read the following important information before continuing.";
    licence.dwWizButtons = PSWIZB_BACK | PSWIZB_FINISH;

    HBITMAP header = CreateWhitePixel();
    PROPSHEETHEADERA sheet;
    ZeroMemory(&sheet, sizeof sheet);
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_WIZARD97 | PSH_USEHBMHEADER | PSH_HEADER | PSH_PROPSHEETPAGE |
                    PSH_USEICONID;
    sheet.hwndParent = owner;
    sheet.hInstance = LGetInstance();
    sheet.pszIcon = MAKEINTRESOURCEA(IDI_JOTWELL);
    sheet.pszCaption = "";
    sheet.nPages = 1;
    sheet.nStartPage = 0;
    sheet.ppsp = &page;
    sheet.hbmHeader = header;
    PropertySheetA(&sheet);
    if (header)
        DeleteObject(header);
}
