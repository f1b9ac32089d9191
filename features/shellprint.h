// The one place where the program asks the shell to print a file: the
// application registered for the file type prints it. Tests replace the
// function to see the requests without printing anything.
#ifndef JOTWELL_FEATURES_SHELLPRINT_H
#define JOTWELL_FEATURES_SHELLPRINT_H

#include <windows.h>

typedef void (*ShellPrintFunction)(HWND owner, const char* path);

// Hands path to the shell's "print" verb, hidden; the result is not checked.
extern ShellPrintFunction g_pfnShellPrint;

#endif
