#include "tests/win32/installkit.h"

#include <aclapi.h>
#include <commctrl.h>
#include <objbase.h>
#include <prsht.h>
#include <sddl.h>
#include <shlobj.h>

#include "installer/registry.h"
#include "resources/resource.h"
#include "tests/win32/testkit.h"

namespace installkit {

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const int kFinishButtonId = 0x3025;  // the sheet's Finish button

struct WindowSearch {
    std::string caption;
    DWORD pid;
    const char* className;
    HWND found;
    DWORD owner;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    WindowSearch* s = (WindowSearch*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if ((s->pid ? pid != s->pid : pid == GetCurrentProcessId()) || !IsWindowVisible(hwnd))
        return TRUE;
    if (s->className) {
        char cls[64] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, s->className) != 0)
            return TRUE;
    }
    if (testkit::WindowText(hwnd) != s->caption)
        return TRUE;
    s->found = hwnd;
    s->owner = pid;
    return FALSE;
}

struct WizardSearch {
    DWORD pid;
    Wizard wizard;
};

// The page is the parent of the "I agree" button.
BOOL CALLBACK MatchAgreeButton(HWND hwnd, LPARAM lParam) {
    WizardSearch* s = (WizardSearch*)lParam;
    if (GetDlgCtrlID(hwnd) != IDC_LICENCE_AGREE ||
        testkit::WindowText(hwnd) != "I &agree with these terms")
        return TRUE;
    s->wizard.page = GetParent(hwnd);
    return FALSE;
}

BOOL CALLBACK MatchSheet(HWND hwnd, LPARAM lParam) {
    WizardSearch* s = (WizardSearch*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd))
        return TRUE;
    EnumChildWindows(hwnd, MatchAgreeButton, lParam);
    if (!s->wizard.page)
        return TRUE;
    s->wizard.sheet = hwnd;
    return FALSE;
}

std::string ShellFolder(const char* name) {
    char out[MAX_PATH];
    ReadRegistryString(HKEY_LOCAL_MACHINE, kShellFolders, name, out, "");
    return out;
}

}  // namespace

bool WaitUntil(std::function<bool()> pred, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

HWND WaitForWindow(const std::string& caption, DWORD timeoutMs, DWORD pid,
                   const char* className, DWORD* owner) {
    WindowSearch s = {caption, pid, className, NULL, 0};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, (LPARAM)&s);
            return s.found != NULL;
        },
        timeoutMs);
    if (owner)
        *owner = s.owner;
    return s.found;
}

ProcessHandle::ProcessHandle(DWORD pid)
    : handle_(pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid) : NULL) {}

ProcessHandle::~ProcessHandle() {
    if (handle_)
        CloseHandle(handle_);
}

int ProcessHandle::Wait(DWORD timeoutMs) {
    DWORD code = 0;
    if (!handle_ || WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(handle_, &code))
        return -1;
    return (int)code;
}

bool WaitForWizard(DWORD pid, DWORD timeoutMs, Wizard* wizard) {
    WizardSearch s = {pid, {NULL, NULL}};
    WaitUntil(
        [&] {
            EnumWindows(MatchSheet, (LPARAM)&s);
            return s.wizard.sheet != NULL;
        },
        timeoutMs);
    *wizard = s.wizard;
    return s.wizard.sheet != NULL;
}

HWND FinishButton(const Wizard& wizard) {
    return GetDlgItem(wizard.sheet, kFinishButtonId);
}

bool WaitForFinish(const Wizard& wizard, const std::string& text, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            HWND finish = FinishButton(wizard);
            return finish && IsWindowVisible(finish) && IsWindowEnabled(finish) &&
                   testkit::WindowText(finish) == text;
        },
        timeoutMs);
}

bool NothingToPress(const Wizard& wizard) {
    for (int id : {0x3023, 0x3024, kFinishButtonId}) {  // Back, Next, Finish
        HWND button = GetDlgItem(wizard.sheet, id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button))
            return false;
    }
    return true;
}

void Click(const Wizard& wizard, int id) {
    SendMessageTimeoutA(GetDlgItem(wizard.page, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        NULL);
}

bool IsChecked(const Wizard& wizard, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(wizard.page, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &state);
    return state == BST_CHECKED;
}

void PressWizardButton(const Wizard& wizard, int button) {
    PostMessageA(wizard.sheet, PSM_PRESSBUTTON, button, 0);
}

bool WaitForProgress(HWND progress, int percent, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(progress) && GetTickCount() - start < timeoutMs) {
        DWORD_PTR position = 0;
        if (SendMessageTimeoutA(GetDlgItem(progress, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0,
                                SMTO_ABORTIFHUNG, 2000, &position) &&
            (int)position >= percent)
            return true;
    }
    return false;
}

void Answer(HWND window, int buttonId) {
    testkit::PressButton(window, buttonId);
}

std::string ShortcutTarget(const std::string& linkPath) {
    HRESULT init = CoInitialize(NULL);
    std::string target;
    IShellLinkA* link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void**)&link))) {
        IPersistFile* file = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
            char path[MAX_PATH] = "";
            if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, NULL, 0)))
                target = path;
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return target;
}

std::string ReadBytes(const std::string& path) {
    return testkit::ReadFileText(path);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    return testkit::WriteFileText(path, bytes);
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string ProgramFilesDir() {
    char out[MAX_PATH];
    ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                       "ProgramFilesDir", out, "C:\\Program Files");
    return out;
}

std::string ProgramFolder() {
    return ProgramFilesDir() + "\\Korvane\\Jotwell";
}

std::string CommonDesktop() {
    return ShellFolder("Common Desktop");
}

std::string CommonPrograms() {
    return ShellFolder("Common Programs");
}

std::string TempFolder() {
    char out[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, out);
    return out;
}

SavedRegistryString::SavedRegistryString(HKEY root, const char* key, const char* name)
    : root_(root), key_(key), name_(name) {
    existed_ = ReadRegistryString(root, key, name, saved_, "");
}

SavedRegistryString::~SavedRegistryString() {
    if (existed_)
        WriteRegistryString(root_, key_.c_str(), name_.c_str(), saved_);
    else
        Remove();
}

void SavedRegistryString::Set(const std::string& text) {
    WriteRegistryString(root_, key_.c_str(), name_.c_str(), text.c_str());
}

void SavedRegistryString::Remove() {
    DeleteRegistryValue(root_, key_.c_str(), name_.c_str());
}

namespace {

bool SidIs(PSID sid, const char* text) {
    PSID wanted = NULL;
    if (!ConvertStringSidToSidA(text, &wanted))
        return false;
    bool same = EqualSid(sid, wanted) != FALSE;
    LocalFree(wanted);
    return same;
}

}  // namespace

FileRights StoredFileRights(const std::string& path) {
    FileRights rights = {false, false, false};
    PACL dacl = NULL;
    PSECURITY_DESCRIPTOR sd = NULL;
    if (GetNamedSecurityInfoA((LPSTR)path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                              NULL, NULL, &dacl, NULL, &sd) != ERROR_SUCCESS)
        return rights;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(sd, &control, &revision);
    rights.isProtected = (control & SE_DACL_PROTECTED) != 0;
    const DWORD change = FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | WRITE_DAC | WRITE_OWNER;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = NULL;
        if (!GetAce(dacl, i, (void**)&ace) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        PSID sid = (PSID)&ace->SidStart;
        // Wine makes up a DACL from the Unix permissions, without
        // administrators; a system that stores DACLs lists them.
        rights.kept = rights.kept || SidIs(sid, "S-1-5-32-544");
        if (SidIs(sid, "S-1-1-0") || SidIs(sid, "S-1-5-32-545"))
            rights.everyoneMayChange = rights.everyoneMayChange || (ace->Mask & change) != 0;
    }
    LocalFree(sd);
    return rights;
}

namespace {

typedef char*(CDECL* UnixNameFunction)(LPCWSTR);

// The host path of a Windows path under Wine; empty elsewhere.
std::string UnixPath(const std::string& path) {
    UnixNameFunction unixName = (UnixNameFunction)(void (*)(void))GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return std::string();
    char* name = unixName(wide);
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// The host path of a Windows path whose folder exists (the path need not).
std::string UnixPathOfNew(const std::string& path) {
    size_t cut = path.find_last_of('\\');
    std::string folder = UnixPath(path.substr(0, cut));
    return folder.empty() ? folder : folder + "/" + path.substr(cut + 1);
}

}  // namespace

bool MakeFolderLink(const std::string& link, const std::string& target) {
    auto isLink = [&] {
        DWORD a = GetFileAttributesA(link.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
    };
    // Looked up: the system headers are set for systems that lack it.
    typedef BOOLEAN(WINAPI * CreateLinkFunction)(LPCSTR, LPCSTR, DWORD);
    CreateLinkFunction createLink = (CreateLinkFunction)(void (*)(void))GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
    const DWORD kDirectoryLink = 1;  // SYMBOLIC_LINK_FLAG_DIRECTORY
    if (createLink && createLink(link.c_str(), target.c_str(), kDirectoryLink) && isLink())
        return true;
    // The target's host path may not exist yet as seen by the link's side,
    // so both are taken from existing folders.
    std::string from = UnixPath(target);
    std::string to = UnixPathOfNew(link);
    if (from.empty() || to.empty())
        return false;
    testkit::Process ln;
    if (!ln.Start("/bin/ln -s \"" + from + "\" \"" + to + "\""))
        return false;
    return WaitUntil(isLink, 10000);
}

bool SwapFolderForLink(const std::string& folder, const std::string& moved,
                       const std::string& target) {
    std::string from = UnixPath(folder), to = UnixPathOfNew(moved), link = UnixPath(target);
    if (from.empty() || to.empty() || link.empty())
        return false;
    testkit::Process shell;
    if (!shell.Start("/bin/sh -c \"mv '" + from + "' '" + to + "' && ln -s '" + link + "' '" +
                     from + "'\""))
        return false;
    return WaitUntil(
        [&] {
            DWORD a = GetFileAttributesA(folder.c_str());
            return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) &&
                   GetFileAttributesA(moved.c_str()) != INVALID_FILE_ATTRIBUTES;
        },
        10000);
}

std::string ProcessImage(DWORD pid) {
    typedef BOOL(WINAPI * ImageNameFunction)(HANDLE, DWORD, LPSTR, PDWORD);
    ImageNameFunction imageName = (ImageNameFunction)(void (*)(void))GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
    HANDLE process = imageName ? OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid) : NULL;
    if (!process)
        return std::string();
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    bool ok = imageName(process, 0, path, &size) != FALSE;
    CloseHandle(process);
    return ok ? path : "";
}

bool CaptureWindow(HWND window, const std::string& bmpPath) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool ok = false;
    if (memory && dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
    }
    if (ok) {
        DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
        DWORD imageSize = stride * (DWORD)height;
        BITMAPFILEHEADER file;
        ZeroMemory(&file, sizeof file);
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageSize;
        std::string bytes((const char*)&file, sizeof file);
        bytes.append((const char*)&info.bmiHeader, sizeof info.bmiHeader);
        bytes.append((const char*)bits, imageSize);
        ok = WriteBytes(bmpPath, bytes);
    }
    if (dib)
        DeleteObject(dib);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace installkit
