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
    // A folder that does not exist is not watched.
    UniqueChangeNotification change(FindFirstChangeNotificationA(folder_.c_str(), TRUE, kFilter));
    if (!change) return;
    HANDLE waits[] = {change.Get(), terminate_.Get()};
    // No time-out: the stop event ends the wait, and an idle watcher costs no wake-ups.
    for (;;) {
        DWORD r = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (r == WAIT_OBJECT_0 + 1 || r == WAIT_FAILED) return;
        if (r == WAIT_OBJECT_0 && !HandOver()) return;
        if (!FindNextChangeNotification(change.Get())) return;
    }
}
