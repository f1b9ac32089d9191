#include "mainwindow/maindialog.h"
void MainDialog::CmFind() {}
void MainDialog::CmFindNext() {}
void MainDialog::CmNotePrint() {}
void MainDialog::CmBookPrint() {}
