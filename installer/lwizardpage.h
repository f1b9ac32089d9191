// A page of a wizard-style property sheet: shows its own wizard buttons when
// it becomes active and asks CmOk before the sheet moves on or finishes.
#ifndef JOTWELL_INSTALLER_LWIZARDPAGE_H
#define JOTWELL_INSTALLER_LWIZARDPAGE_H

#include "dialogs/ldialog.h"

class LWizardPage : public LPropertyPage {
public:
    LWizardPage();

    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // PSWIZB_* flags posted to the sheet when the page becomes active.
    DWORD dwWizButtons;

protected:
    // Stores a notification result for the sheet; returns TRUE for the
    // dialog procedure.
    INT_PTR SetNotifyResult(LONG_PTR result);
};

#endif
