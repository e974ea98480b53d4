// TPanelPointer: what the pointer is over and what it does on the panel. It owns the current
// item's hit tests, the drag of the header, the scroll bands' timer and the folder submenus'
// timers; what it starts, where a drag ended and what a drag changes go back to the main window
// through PointerActions.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "panel/FolderMenu.h"
#include "panel/Painter.h"
#include "panel/PanelModel.h"
#include "panel/PanelView.h"
#include "panel/PointerRules.h"
#include "panel/ScrollBands.h"
#include "platform/WindowTimer.h"

struct PointerActions {
    std::function<void(const std::string&)> start;  // the start sequence of a path
    std::function<bool()> panelShown;
    std::function<void()> dragStep;                // the panel was moved by a drag
    std::function<void(int, int)> dragEnded;       // the first drag of a showing ended, at left, top
};

class TPanelPointer {
public:
    TPanelPointer(const TPanelModel& model, PanelView& view, PanelPainter& painter, TFolderMenu& submenus,
                  PointerActions actions);
    TPanelPointer(const TPanelPointer&) = delete;
    TPanelPointer& operator=(const TPanelPointer&) = delete;

    void Attach(HWND window);
    // The window's WM_TIMER; others' ids are let be.
    void OnTimer(UINT_PTR id);
    // Its interval is the system's submenu delay.
    WindowTimer& SubmenuDelay() { return ShowPopupMenuTimer; }

    int GetCurrentItem(int x, int y);
    void SetCursorType();
    // Sets the hand when the pointer is over an entry that takes it.
    bool HandUnderPointer();
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(bool left, int x, int y);
    void FormContextPopup();
    // Ends a drag, by release or by a lost capture; stores the position once per showing.
    void EndDrag();
    // The next drag of this showing stores where it ends.
    void ArmPositionSave() { PositionSaveArmed = true; }
    // The panel hides: no submenu opens and no drag goes on.
    void PanelHidden();
    // The entries were made anew: nothing is current and no submenu is watched.
    void EntriesRebuilt();
    void ItemClick(int tag);

private:
    void ScrollTimerTimer();
    void ShowPopupMenuTimerTimer();
    void TimerTimer();
    PointerShape ShapeOver(int item) const;
    IntRect VisibleClientRect() const;
    bool PointerOnArrow() const;
    // Pops the folder menu up at the screen point; modal. Starts the chosen file.
    void TrackFolderMenu(int x, int y);
    // The entry under the pointer, or null.
    const TFolder* Current() const;

    HWND Handle() const { return window_; }

    const TCatalogue& Catalogue;
    const TPanelLayout& Layout;
    PanelView& View;
    PanelPainter& Painter;
    TFolderMenu& Submenus;
    PointerActions actions_;
    HWND window_ = nullptr;
    bool IsDragging = false;
    bool PositionSaveArmed = false;
    POINT DragPoint{};
    WindowTimer ShowPopupMenuTimer{3, 400};
    WindowTimer Timer{4, 50};
    WindowTimer ScrollTimer{5, 200};
};
