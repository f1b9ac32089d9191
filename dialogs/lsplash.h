// The logo panel: a borderless splash window when the main window opens, and
// the top of the About box. Both are windows of the class "LAW".
#ifndef JOTWELL_DIALOGS_LSPLASH_H
#define JOTWELL_DIALOGS_LSPLASH_H

#include <windows.h>

#include "dialogs/ldialog.h"

class LSplashAboutBase {
public:
    // Registers the window class "LAW"; a second registration fails harmlessly.
    LSplashAboutBase();

    // Paints the logo, the product name, the version and the distributor's
    // notice into the window.
    void Paint(HWND window);

    // The size of the logo bitmap drawn for dpi.
    static SIZE LogoSize(int dpi);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool bInAboutBox;
    HWND hwnd;  // the splash window; null when none

private:
    LSplashAboutBase(const LSplashAboutBase&) = delete;
    LSplashAboutBase& operator=(const LSplashAboutBase&) = delete;
};

class LSplashScreen : public LSplashAboutBase {
public:
    // Shows the splash window centred on the desktop, owned by owner, at
    // the owner's DPI. It closes itself after 7 seconds or at the first
    // left click.
    void Display(HWND owner);

    // Destroys the splash window if it still exists.
    void Destroy();
};

class LAboutBox : public LDialog {
public:
    ~LAboutBox() override;
    void InitDialog() override;

    LSplashAboutBase painter;
};

// Texts of the panel.
extern const char* const LOGO_PRODUCT_NAME;
extern const char* const LOGO_VERSION_LINE;
extern const char* const LOGO_NOTICE_LINE;

#endif
