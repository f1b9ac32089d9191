// Helpers shared by the Windows-side tests: answering dialogs and message
// boxes while a test waits, pumping messages with a bound, temporary
// folders, files and a clean settings store.
#ifndef JOTWELL_TESTS_WIN32_TESTKIT_H
#define JOTWELL_TESTS_WIN32_TESTKIT_H

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testkit {

// What the responder saw: a window's caption and its text (for a message
// box, its message).
struct SeenDialog {
    std::string caption;
    std::string text;
};

// Answers top-level dialogs of this process from a second thread while the
// test thread sits in a modal loop. Each expectation names a caption and
// either a button to press or an action to run on the window; they are
// served in order. Every wait is bounded.
class DialogResponder {
public:
    DialogResponder();
    ~DialogResponder();

    // Presses button id in the next window whose caption is caption.
    void Expect(const std::string& caption, int buttonId);
    // Runs action(window) on it instead (it must close the window itself).
    void Expect(const std::string& caption, std::function<void(HWND)> action);

    // Answers every window of that caption, as often as it comes, without
    // requiring it to come at all.
    void Always(const std::string& caption, int buttonId);

    // Waits until every expectation was served; false after timeoutMs.
    bool WaitAllServed(DWORD timeoutMs = 10000);

    std::vector<SeenDialog> Seen();
    bool AllServed();
    // Captions of dialogs that appeared without an expectation (answered
    // with Cancel or No so a test never hangs).
    std::vector<SeenDialog> Unexpected();

private:
    struct Expectation {
        std::string caption;
        int buttonId;
        std::function<void(HWND)> action;
    };
    void Run();
    bool ServeOne();
    void CancelStrays();
    static const DWORD kStrayGraceMs = 5000;

    std::mutex mutex_;
    std::vector<Expectation> pending_;
    std::vector<Expectation> standing_;
    std::vector<SeenDialog> seen_;
    std::vector<SeenDialog> unexpected_;
    std::map<HWND, DWORD> firstSeen_;  // only touched by the responder thread
    bool stop_;
    std::thread thread_;
};

// The text of a window's control (0xFFFF: a message box's message).
std::string ControlText(HWND dialog, int id);
std::string WindowText(HWND window);

// Visible top-level windows of this process with that caption.
HWND FindOwnWindow(const std::string& caption);

// Presses a button of a dialog from any thread. The press is only posted:
// it has had its effect once WaitPostedHandled returns.
void PressButton(HWND dialog, int id);

// Waits until the window's thread has handled every message posted to the
// window before the call, or the window closed. False after timeoutMs.
bool WaitPostedHandled(HWND window, DWORD timeoutMs = 5000);

// A dialog that is still on screen (one ended by EndDialog is hidden at once).
bool IsOpen(HWND window);

// Handles messages of this thread until pred is true or timeoutMs passed.
bool PumpUntil(std::function<bool()> pred, DWORD timeoutMs = 10000);
void PumpFor(DWORD ms);

// A folder under the temporary folder, deleted with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool WriteFileText(const std::string& path, const std::string& text);
// Writes text to a file opened for writing, and closes it; false when the
// handle is invalid or not all was written.
bool WriteAndClose(HANDLE file, const std::string& text);
std::string ReadFileText(const std::string& path);
bool FileExists(const std::string& path);
void DeleteTree(const std::string& path);

// Deletes every setting of the program under both roots.
void ResetSettings();

// The folder the test program runs from, with a trailing backslash.
std::string ProgramFolder();

// Whether a registry value exists, and its string.
bool RegValueExists(HKEY root, const char* key, const char* name);
std::string RegString(HKEY root, const char* key, const char* name);

}  // namespace testkit

#endif

namespace testkit {

// A program started by a test; killed when the test ends if still running.
class Process {
public:
    Process() { ZeroMemory(&info_, sizeof info_); }
    ~Process();
    bool Start(const std::string& commandLine, const std::string& folder = std::string());
    // Exit code, or -1 when it did not end within timeoutMs.
    int Wait(DWORD timeoutMs);
    bool Running();
    DWORD Id() const { return info_.dwProcessId; }
    // True once the process waits for input with none pending, so what it
    // posted to itself while starting has been handled.
    bool WaitIdle(DWORD timeoutMs) { return WaitForInputIdle(info_.hProcess, timeoutMs) == 0; }

private:
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    PROCESS_INFORMATION info_;
};

// A visible top-level window of another process with that caption (and,
// when given, that class), waiting at most timeoutMs for it.
HWND WaitForProcessWindow(DWORD pid, const std::string& caption, DWORD timeoutMs,
                          const char* className = NULL, bool visibleOnly = true);

// Copies a file; true on success.
bool CopyTo(const std::string& from, const std::string& to);

// The program file under test, beside the test programs' folder.
std::string JotwellExe();

// Settings of a small installed-looking setup: three books in folders
// under root, so the notes program starts without its first-start question.
void SeedBooks(const std::string& root);

}  // namespace testkit
