// Owners of what the system hands out: each closes or frees what it holds
// when it goes out of scope, so that a function with several ways out
// releases it on every one.
#ifndef JOTWELL_UTIL_LOWNED_H
#define JOTWELL_UTIL_LOWNED_H

#include <windows.h>

#include <memory>

// A kernel handle: a file, process, thread, event or token. Null and
// INVALID_HANDLE_VALUE both mean none.
class LHandle {
public:
    explicit LHandle(HANDLE handle = NULL) : h(handle) {}
    ~LHandle() { Close(); }
    HANDLE Get() const { return h; }
    bool IsOpen() const { return h != NULL && h != INVALID_HANDLE_VALUE; }
    // Closes now. False when closing failed, which for a file written can
    // mean its last bytes never arrived.
    bool Close() {
        bool ok = !IsOpen() || CloseHandle(h) != FALSE;
        h = NULL;
        return ok;
    }
    void Reset(HANDLE handle) {
        Close();
        h = handle;
    }
    // Hands the handle on to a longer-lived owner.
    HANDLE Release() {
        HANDLE handle = h;
        h = NULL;
        return handle;
    }

private:
    HANDLE h;
    LHandle(const LHandle&) = delete;
    LHandle& operator=(const LHandle&) = delete;
};

// A directory search of FindFirstFile.
class LFindHandle {
public:
    explicit LFindHandle(HANDLE handle) : h(handle) {}
    ~LFindHandle() {
        if (IsOpen())
            FindClose(h);
    }
    HANDLE Get() const { return h; }
    bool IsOpen() const { return h != INVALID_HANDLE_VALUE; }

private:
    HANDLE h;
    LFindHandle(const LFindHandle&) = delete;
    LFindHandle& operator=(const LFindHandle&) = delete;
};

// An open registry key; Receive hands its address to RegOpenKeyEx and
// RegCreateKeyEx.
class LRegKey {
public:
    LRegKey() : h(NULL) {}
    ~LRegKey() {
        if (h)
            RegCloseKey(h);
    }
    HKEY Get() const { return h; }
    HKEY* Receive() {
        if (h)
            RegCloseKey(h);
        h = NULL;
        return &h;
    }

private:
    HKEY h;
    LRegKey(const LRegKey&) = delete;
    LRegKey& operator=(const LRegKey&) = delete;
};

// A buffer of bytes or characters made with new[].
typedef std::unique_ptr<char[]> LBuffer;

#endif
