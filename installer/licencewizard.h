// The one-page install wizard with the licence agreement.
#ifndef JOTWELL_INSTALLER_LICENCEWIZARD_H
#define JOTWELL_INSTALLER_LICENCEWIZARD_H

#include <windows.h>

// Shows the wizard modally over owner. *declined becomes false only when the
// user agreed and pressed Install; the caller sets it true beforehand, so a
// sheet that cannot be shown counts as declined.
void RunLicenceWizard(HWND owner, bool* declined);

#endif
