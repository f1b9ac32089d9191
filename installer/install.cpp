// The install job. Until the installer lands, a job that ends at once.
#include "installer/installdialog.h"

int InstallDialog::MainFunction() {
    return 0;
}
