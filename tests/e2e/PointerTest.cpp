// Synthetic input on the shown panel: Escape, dragging by the header.
#include <gtest/gtest.h>

#include "support/Program.h"

namespace {

class PanelInput : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetEverything();
        window = kestrola.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        Show();
    }
    void TearDown() override { ForgetEverything(); }
    void Show() {
        PostToAll("KestrolaShowOldInstanceMenu");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }));
    }
    RECT Rect() const {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }
    // Drags by (dx, dy) and releases only once the panel has followed the pointer all the way.
    void Drag(int fromX, int fromY, int dx, int dy) {
        RECT start = Rect();
        SetCursorPos(fromX, fromY);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        for (int step = 1; step <= 5; ++step) {
            SetCursorPos(fromX + dx * step / 5, fromY + dy * step / 5);
            mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            WaitUntil([&] {
                RECT r = Rect();
                return r.left == start.left + dx * step / 5 && r.top == start.top + dy * step / 5;
            }, 2000);
        }
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    static long Stored(const char* name) {
        DWORD v = 0, size = sizeof v;
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvercot\\Kestrola", 0, KEY_READ, &k) != ERROR_SUCCESS)
            return -99999;
        LONG rc = RegQueryValueExA(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size);
        RegCloseKey(k);
        return rc == ERROR_SUCCESS ? static_cast<long>(static_cast<int32_t>(v)) : -99999;
    }

    Program kestrola;
    HWND window = nullptr;
};

}  // namespace

TEST_F(PanelInput, EscapeHidesThePanel) {
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
}

TEST_F(PanelInput, FirstDragOfAShowingStoresThePositionOnce) {
    RECT before = Rect();
    Drag(before.left + 10, before.top + 10, 40, 30);
    ASSERT_TRUE(WaitUntil([&] { return Stored("StartMenuShowX") != -99999; }));
    RECT after = Rect();
    EXPECT_EQ(after.left, before.left + 40);
    EXPECT_EQ(after.top, before.top + 30);
    EXPECT_EQ(Stored("StartMenuShowX"), after.left);
    EXPECT_EQ(Stored("StartMenuShowY"), after.top);

    Drag(after.left + 10, after.top + 10, 25, 0);
    ASSERT_TRUE(WaitUntil([&] { return Rect().left == after.left + 25; }));
    EXPECT_EQ(Stored("StartMenuShowX"), after.left) << "a second drag in the same showing stores nothing";

    Show();  // a new showing opens at the stored place
    EXPECT_TRUE(WaitUntil([&] { return Rect().left == after.left; }));
}

TEST_F(PanelInput, AQuickSecondPressInTheHeaderDragsAllTheSame) {
    RECT before = Rect();
    SetCursorPos(before.left + 10, before.top + 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    // Pressed again at once on the same spot: the window gets a double click.
    Drag(before.left + 10, before.top + 10, 40, 20);
    EXPECT_TRUE(WaitUntil([&] { return Rect().left == before.left + 40 && Rect().top == before.top + 20; }, 2000));
}

// The system cancels the drag's capture (Alt+Tab, a dialog coming up): the button is still down,
// but the panel must no longer follow the pointer, now or after the next show.
TEST_F(PanelInput, ADragWhoseCaptureIsTakenEnds) {
    RECT before = Rect();
    SetCursorPos(before.left + 10, before.top + 10);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndCapture == window; }, 3000));
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndCapture == nullptr; }, 3000));
    SetCursorPos(before.left + 60, before.top + 40);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    EXPECT_FALSE(WaitUntil([&] { return Rect().left != before.left || Rect().top != before.top; }, 1000))
        << "the panel followed the pointer after its capture was taken";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
