// Helpers for the installer tests: windows of other processes (the setup
// process, the uninstaller's second stage, the installed program), the
// install wizard, shortcuts, file bytes, the places an installation uses,
// and screen captures.
#ifndef JOTWELL_TESTS_WIN32_INSTALLKIT_H
#define JOTWELL_TESTS_WIN32_INSTALLKIT_H

#include <windows.h>

#include <functional>
#include <string>

namespace installkit {

// Polls pred every 20 ms without handling messages; false after timeoutMs.
bool WaitUntil(std::function<bool()> pred, DWORD timeoutMs);

// A visible top-level window with that caption (and class, when given) of
// any process but this one, or of process pid when pid is not 0. The owning
// process id goes to *owner when asked for.
HWND WaitForWindow(const std::string& caption, DWORD timeoutMs, DWORD pid = 0,
                   const char* className = NULL, DWORD* owner = NULL);

// A process found by its id, held open so that its end can be awaited even
// after it happened.
class ProcessHandle {
public:
    explicit ProcessHandle(DWORD pid);
    ~ProcessHandle();
    // Exit code, or -1 when it did not end within timeoutMs.
    int Wait(DWORD timeoutMs);

private:
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE handle_;
};

// The install wizard of a process: the property sheet and its licence page.
struct Wizard {
    HWND sheet;
    HWND page;
};
bool WaitForWizard(DWORD pid, DWORD timeoutMs, Wizard* wizard);

// The sheet's Finish button (the wizard shows it in place of Next).
HWND FinishButton(const Wizard& wizard);
// True once Finish is shown, enabled and labelled text.
bool WaitForFinish(const Wizard& wizard, const std::string& text, DWORD timeoutMs);
// True while no button would move the wizard on.
bool NothingToPress(const Wizard& wizard);
// Clicks a radio button of the page as the mouse does.
void Click(const Wizard& wizard, int id);
bool IsChecked(const Wizard& wizard, int id);
// Posts a wizard button press (PSBTN_*): posted, since the sheet may answer
// with a message box.
void PressWizardButton(const Wizard& wizard, int button);

// Waits until the progress dialog's bar shows at least percent. Every poll
// waits for the job's next message pump, so a copy is seen chunk by chunk
// and can be caught half-way. False when the window went or time ran out.
bool WaitForProgress(HWND progress, int percent, DWORD timeoutMs);

// Answers a message box or dialog of any process.
void Answer(HWND window, int buttonId);

// The path a shell link resolves to; empty when it cannot be loaded.
std::string ShortcutTarget(const std::string& linkPath);

std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool SamePath(const std::string& a, const std::string& b);

// Places of an installation on this machine, read as the installer reads
// them.
std::string ProgramFilesDir();
std::string ProgramFolder();    // ProgramFilesDir\Korvane\Jotwell
std::string CommonDesktop();
std::string CommonPrograms();
std::string TempFolder();       // with its trailing backslash

// A registry string value changed for one test and put back afterwards
// (removed again when it did not exist).
class SavedRegistryString {
public:
    SavedRegistryString(HKEY root, const char* key, const char* name);
    ~SavedRegistryString();
    void Set(const std::string& text);
    void Remove();

private:
    SavedRegistryString(const SavedRegistryString&) = delete;
    SavedRegistryString& operator=(const SavedRegistryString&) = delete;
    HKEY root_;
    std::string key_, name_;
    char saved_[MAX_PATH];
    bool existed_;
};

// Whether the system keeps a DACL of its own for path (Wine does not), and
// if so whether it is protected and lets nobody but administrators and the
// system change the file.
struct FileRights {
    bool kept;
    bool isProtected;
    bool everyoneMayChange;
};
FileRights StoredFileRights(const std::string& path);

// Makes link a symbolic link to the folder target. Wine makes none of its
// own (CreateSymbolicLinkA reports success and creates nothing; a mount
// point through FSCTL_SET_REPARSE_POINT fails with error 50), but it shows
// a host symbolic link as a folder with FILE_ATTRIBUTE_REPARSE_POINT, so
// under Wine the host's "ln -s" makes it. True once the link is there.
bool MakeFolderLink(const std::string& link, const std::string& target);

// Moves folder to moved and puts a link to target at its name, from the
// host side, where the sharing of handles open in Wine stops no rename: a
// held folder whose path then leads elsewhere, as a mount point made of it
// would on Windows, which Wine cannot make. True once both are there.
bool SwapFolderForLink(const std::string& folder, const std::string& moved,
                       const std::string& target);

// The program file of a running process; empty when it cannot be read.
std::string ProcessImage(DWORD pid);

// Saves the screen area of a window (its frame included) as a 24-bit BMP.
bool CaptureWindow(HWND window, const std::string& bmpPath);

}  // namespace installkit

#endif
