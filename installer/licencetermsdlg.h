// The licence page of the install wizard: the agreement, "I agree" and
// "I do not agree". The page reports the choice in the caller's declined
// flag when the wizard finishes.
#ifndef JOTWELL_INSTALLER_LICENCETERMSDLG_H
#define JOTWELL_INSTALLER_LICENCETERMSDLG_H

#include "installer/lwizardpage.h"

class LLicenceTermsDlg : public LWizardPage {
public:
    explicit LLicenceTermsDlg(bool* declined);

    void InitDialog() override;
    bool CmOk() override;
    void UpdateControls() override;
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool* pbDeclined;

private:
    bool IsChecked(int id);
    // The "Exit Setup" question; true when the user confirms leaving.
    bool ConfirmExit();
};

// The agreement shown on the page, with CR LF line breaks for the edit.
extern const char LICENCE_TEXT[];

#endif
