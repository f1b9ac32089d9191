// The uninstall job. Until the uninstaller lands, a job that ends at once.
#include "installer/installdialog.h"

int UninstallDialog::MainFunction() {
    return 0;
}
