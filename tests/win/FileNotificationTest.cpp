// The folder watcher: changes below the folder are handed over, writes are not, and it stops
// promptly even while a hand-over waits for a thread that is not listening.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "catalogue/FileNotification.h"
#include "support/TempFolder.h"

namespace {

class Watcher : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        WriteWholeFile(folder / "old.lnk", "x");
    }
    void TearDown() override { DestroyWindow(window); }
    // Hand-overs waiting in this thread's queue.
    bool Pending() {
        MSG m;
        return PeekMessageA(&m, window, kDirectoryChangedMessage, kDirectoryChangedMessage, PM_NOREMOVE) != 0;
    }
    // Delivers every waiting hand-over; how many there were.
    int DeliverAll(TfisFileNotification& w) {
        int n = 0;
        MSG m;
        while (PeekMessageA(&m, window, kDirectoryChangedMessage, kDirectoryChangedMessage, PM_REMOVE)) {
            w.Deliver();
            ++n;
        }
        return n;
    }
    // Polls without pumping this thread's messages, which would swallow the hand-overs.
    static bool PollFor(const std::function<bool()>& cond, DWORD ms) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20))
            if (cond()) return true;
        return cond();
    }
    // New files until one is reported: the worker may still be opening its notification. They
    // go right into the folder: Wine reports nothing from folders that existed below it.
    void ChangeUntil(const std::function<bool()>& reported) {
        for (int i = 0; i < 25 && !reported(); ++i) {
            WriteWholeFile(folder / ("new" + std::to_string(i) + ".lnk"), "y");
            PollFor(reported, 200);
        }
    }
    HWND window = nullptr;
    TempFolder folder;
};

}  // namespace

TEST_F(Watcher, NewFilesAreReportedButWritesAreNot) {
    TfisFileNotification w(window, 7);
    int changes = 0;
    w.OnDirectoryChanged = [&] { ++changes; };
    w.Directory = folder.Path();
    w.Start();
    ASSERT_TRUE(w.Running());

    ChangeUntil([&] { return DeliverAll(w) > 0; });
    EXPECT_GE(changes, 1);
    // Let the notification settle, then write into an existing file only.
    PollFor([&] { return DeliverAll(w) < 0; }, 600);
    changes = 0;
    HANDLE f = CreateFileA((folder / "old.lnk").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "more", 4, &written, nullptr);
    CloseHandle(f);
    EXPECT_FALSE(PollFor([&] { return DeliverAll(w) > 0; }, 1000)) << "a write is no change of names";
    EXPECT_EQ(changes, 0);
}

TEST_F(Watcher, StopsWithinASecondWhileAHandOverIsWaiting) {
    auto w = std::make_unique<TfisFileNotification>(window, 1);
    w->Directory = folder.Path();
    w->Start();
    // The worker posts and then waits for this thread, which does not deliver.
    ChangeUntil([&] { return Pending(); });
    ASSERT_TRUE(Pending());
    DWORD start = GetTickCount();
    w.reset();
    EXPECT_LT(GetTickCount() - start, 1000u);
}

// A folder that comes later, or is moved away and made anew, is watched again once it is there:
// its arrival counts as a change, and the changes in it after that are reported. (A folder removed
// outright is gone at once on Windows; Wine keeps it until the notification lets it go, which the
// watcher's look does not see.)
TEST_F(Watcher, AFolderThatComesLaterOrComesBackIsWatchedAgain) {
    for (bool existsAtStart : {false, true}) {
        SCOPED_TRACE(existsAtStart ? "moved away and made anew" : "made after the start");
        std::string watched = folder / (existsAtStart ? "back" : "later");
        if (existsAtStart) {
            ASSERT_TRUE(CreateDirectoryA(watched.c_str(), nullptr));
        }
        TfisFileNotification w(window, 3);
        int changes = 0;
        w.OnDirectoryChanged = [&] { ++changes; };
        w.Directory = watched;
        w.Start();
        PollFor([] { return false; }, 300);  // the worker has had its first look
        if (existsAtStart) {
            ASSERT_TRUE(MoveFileA(watched.c_str(), (watched + " old").c_str()));
        }
        EXPECT_TRUE(w.Running()) << "the watcher waits for its folder";
        DeliverAll(w);
        changes = 0;
        ASSERT_TRUE(CreateDirectoryA(watched.c_str(), nullptr));
        // The arrival is handed over at the watcher's next look, 1.5 s at most.
        EXPECT_TRUE(PollFor([&] { return DeliverAll(w) > 0; }, 2500)) << "the folder's arrival";
        EXPECT_GE(changes, 1);
        changes = 0;
        WriteWholeFile(watched + "\\new.lnk", "y");
        EXPECT_TRUE(PollFor([&] { return DeliverAll(w) > 0; }, 1000)) << "a file added afterwards";
        EXPECT_GE(changes, 1);
    }
}
