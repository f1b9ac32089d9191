// The DPI a window is shown at, and the program's pictures drawn for it.
// The functions of newer systems are looked up at run time: the program
// also runs where they are missing, at the screen's one DPI.
#ifndef JOTWELL_DIALOGS_LDPI_H
#define JOTWELL_DIALOGS_LDPI_H

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace LDpi {

// The DPI of the monitor the window is on; the screen's without a window
// or where the system has one DPI for all monitors.
int ForWindow(HWND window);

// The DPI the system started with, which the notification area and the
// desktop keep.
int OfSystem();

// Icon resource id drawn size pixels wide at 100 percent, at the scale that
// fits dpi. The caller destroys it.
HICON LoadScaledIcon(int id, int size, int dpi);

// Bitmap resource id at the scale that fits dpi. The caller deletes it.
HBITMAP LoadScaledBitmap(int id, int dpi);

// At a change of DPI, newer systems move and resize a dialog's controls
// and give each the dialog's font again. These stop that for a dialog that
// lays its controls out itself, and for a control whose font it makes.
void KeepOwnLayout(HWND dialog);
void KeepOwnFont(HWND control);

}  // namespace LDpi

#endif
