#include "catalogue/FileNotification.h"

#include "platform/Error.h"
#include "platform/Text.h"

namespace {
constexpr DWORD kFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

struct ChangeNotificationTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { FindCloseChangeNotification(h); }
};
using UniqueChangeNotification = UniqueResource<HANDLE, ChangeNotificationTraits>;

// How often a watcher looks whether its folder is still the one it watches, or is back: as often
// as the rebuild timer could make use of it, no more.
constexpr DWORD kRecheckMs = 1500;

// The folder's identity on its volume, or 0 when it is not there. A notification does not report
// its own folder: once that is removed (and made anew) the notification hears nothing more.
ULONGLONG FolderIdentity(const std::string& folder) {
    UniqueHandle h(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!h || !GetFileInformationByHandle(h.Get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    ULONGLONG id = (ULONGLONG(info.nFileIndexHigh) << 32 | info.nFileIndexLow) ^ (ULONGLONG(info.dwVolumeSerialNumber) << 40);
    return id ? id : 1;
}
}  // namespace

TfisFileNotification::~TfisFileNotification() {
    if (!thread_) return;
    // An event rather than suspending the worker: it also ends a hand-over the window's thread
    // will never pick up, because that thread is the one waiting here.
    SetEvent(terminate_.Get());
    WaitForSingleObject(thread_.Get(), INFINITE);
}

void TfisFileNotification::Start() {
    if (thread_) return;
    folder_ = Directory;
    terminate_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    handled_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!terminate_ || !handled_) throw Error(SystemErrorText(GetLastError()));
    DWORD id = 0;
    thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, &id));
    if (!thread_) throw Error(SystemErrorText(GetLastError()));
}

bool TfisFileNotification::Running() const {
    return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

void TfisFileNotification::Deliver() {
    // The worker goes on however the handler ends.
    struct Release {
        HANDLE e;
        ~Release() { SetEvent(e); }
    } release{handled_.Get()};
    if (OnDirectoryChanged) OnDirectoryChanged();
}

DWORD WINAPI TfisFileNotification::ThreadMain(void* self) {
    // Nothing may leave a thread: a watcher that fails just stops watching.
    try {
        static_cast<TfisFileNotification*>(self)->Run();
    } catch (...) {
    }
    return 0;
}

bool TfisFileNotification::HandOver() {
    if (!PostMessageA(window_, kDirectoryChangedMessage, id_, 0)) return true;
    HANDLE waits[] = {handled_.Get(), terminate_.Get()};
    return WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
}

void TfisFileNotification::Run() {
    if (folder_.empty()) return;
    // What was there at the start was seen by the first rebuild; a folder that comes (back) later
    // may bring entries of its own, so its arrival is handed over as a change.
    for (bool arrived = false;; arrived = true) {
        ULONGLONG identity = FolderIdentity(folder_);
        UniqueChangeNotification change;
        if (identity) change.Reset(FindFirstChangeNotificationA(folder_.c_str(), TRUE, kFilter));
        if (!change) {
            // Not there (yet): looked for again, until the watcher is stopped.
            if (WaitForSingleObject(terminate_.Get(), kRecheckMs) != WAIT_TIMEOUT) return;
            continue;
        }
        if (arrived && !HandOver()) return;
        HANDLE waits[] = {change.Get(), terminate_.Get()};
        for (;;) {
            DWORD r = WaitForMultipleObjects(2, waits, FALSE, kRecheckMs);
            if (r == WAIT_OBJECT_0 + 1) return;
            if (r == WAIT_OBJECT_0 && !HandOver()) return;
            if (r == WAIT_FAILED || FolderIdentity(folder_) != identity) break;  // gone, or made anew
            if (r == WAIT_OBJECT_0 && !FindNextChangeNotification(change.Get())) break;
        }
    }
}
