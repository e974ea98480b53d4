// Synthetic input on the shown panel: Escape, dragging by the header.
#include <gtest/gtest.h>

#include "support/Input.h"
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
    RECT Rect() const { return ScreenRect(window); }
    // Whether the panel's thread reports this window as holding the capture.
    bool CaptureIs(HWND holder) const {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) && gui.hwndCapture == holder;
    }
    // Presses the left button there until the panel holds the capture: the first input of a fresh
    // process is now and then not seen, and the press is then made again.
    bool PressAt(int x, int y) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            MoveTo({x, y});
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            if (WaitUntil([&] { return CaptureIs(window); }, 1000)) return true;
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        return false;
    }
    // Drags by (dx, dy) and releases only once the panel has followed the pointer all the way.
    void Drag(int fromX, int fromY, int dx, int dy) {
        RECT start = Rect();
        ASSERT_TRUE(PressAt(fromX, fromY)) << "the press of the drag";
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
    static long Stored(const char* name) { return static_cast<int32_t>(ReadSetting(name, static_cast<DWORD>(-99999))); }

    Program kestrola;
    HWND window = nullptr;
};

}  // namespace

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
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); })) << "Escape hides the panel";
}

// The system cancels the drag's capture (Alt+Tab, a dialog coming up): the button is still down,
// but the panel must no longer follow the pointer, now or after the next show.
TEST_F(PanelInput, ADragWhoseCaptureIsTakenEnds) {
    RECT before = Rect();
    ASSERT_TRUE(PressAt(before.left + 10, before.top + 10));
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return CaptureIs(nullptr); }, 3000));
    SetCursorPos(before.left + 60, before.top + 40);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    EXPECT_FALSE(WaitUntil([&] { return Rect().left != before.left || Rect().top != before.top; }, 1000))
        << "the panel followed the pointer after its capture was taken";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// Partly below the screen: the pointer on the bottom band scrolls what is hidden into view.
TEST_F(PanelInput, ThePointerOnABandScrollsTheContents) {
    int screenBottom = GetSystemMetrics(SM_CYSCREEN);
    WriteSetting("StartMenuShowX", 100);
    WriteSetting("StartMenuShowY", static_cast<DWORD>(screenBottom - 150));
    Show();
    ASSERT_TRUE(WaitUntil([&] { return Rect().top == screenBottom - 150; }));
    ASSERT_GT(Rect().bottom, screenBottom) << "partly below the screen";
    // The first cell's middle column, from below the header to above the band.
    auto column = [&] {
        std::vector<COLORREF> c;
        for (int y = Rect().top + 35; y < screenBottom - 35; ++y) c.push_back(ScreenPixel(Rect().left + 43, y));
        return c;
    };
    std::vector<COLORREF> still;
    ASSERT_TRUE(HoverUntil({Rect().left + 20, Rect().top + 10}, [&] {
        std::vector<COLORREF> now = column();
        bool held = now == still;
        still = now;
        return held;
    })) << "the header: nothing highlighted, the frame settles";
    EXPECT_TRUE(HoverUntil({Rect().left + 20, screenBottom - 5}, [&] { return column() != still; }, 5000))
        << "scrolled";
}
