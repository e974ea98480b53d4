// TMainForm: the hidden borderless main window that is the panel, and the conductor of the
// subsystems it owns. Data flows one way:
//   folders -> Catalogue (names, slots, catalogue files, entries) -> Layout (geometry, Main.ini)
//   -> Painter (colours, kept cells, frames) and the hit tests; input -> pointer handlers here ->
//   Submenus (folder menus) and the start sequence. HookLink and the tray icon talk to the system.
// Operations keep their names (log lines carry them). What is still the window's own: the start
// and end sequences, messages and timers, show and hide, the pointer, and CalcAll's sequence.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/FolderPaths.h"
#include "app/OneInstance.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FileNotification.h"
#include "catalogue/Folder.h"
#include "catalogue/NameList.h"
#include "catalogue/Shortcuts.h"
#include "panel/FolderMenu.h"
#include "panel/Geometry.h"
#include "panel/PanelLayout.h"
#include "panel/Painter.h"
#include "panel/PanelView.h"
#include "panel/PointerRules.h"
#include "panel/ScrollBands.h"
#include "platform/ComPtr.h"
#include "platform/Gdi.h"
#include "platform/Handle.h"
#include "platform/IniFile.h"
#include "platform/WindowTimer.h"
#include "shell/HookLink.h"

constexpr UINT TrayCallbackMessage = WM_USER + 20;
// Posted to the window itself: paint the next cells ahead, from the entry index in wParam.
constexpr UINT kPaintAheadMessage = WM_APP + 25;
constexpr const char* kMainWindowClass = "TMainForm";
constexpr const char* kApplicationTitle = "Kestrola";

// Registered once per process, before anything else.
extern UINT ProgramExitMessage;

class TMainForm {
public:
    TMainForm();
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    HWND Handle() const { return window_.Get(); }

    // Start and end sequences.
    void FormCreate();
    void FormDestroy();

    // The components loaded before FormCreate: the single-instance guard makes its test here.
    void LoadComponents();
    std::unique_ptr<TOneInstance> OneInstance1;
    void OneInstance1ApplicationExists();

    // Menu-level commands.
    void ShowMenuClick();
    void ExitMenuClick();
    void OptionsMenuClick();
    void MailToSupportMenuClick();
    void AboutMenuClick();

    // Notification-area icon and its menu.
    void Translate();
    void Trayiconnotify(LPARAM mouseEvent);
    UniqueMenu TrayPopupMenu;  // the resource menu; its first submenu is the one shown

    // The hook library link (Windows XP build 2600 only).
    THookLink HookLink;

    // Folder watching: a change arms the one-shot rebuild timer.
    void FN1DirectoryChanged();
    void UpdateFolderTimerTimer();
    std::unique_ptr<TfisFileNotification> FN1, FN2;

    void MainFormShow();
    void MainFormHide();

    // The application's message filter; the window procedure passes it the program's messages
    // that a modal loop dispatched past it.
    void MessageEvent(MSG& msg, bool& handled);
    bool IsProgramMessage(UINT message) const;
    void TaskbarCreated();

    // The whole rebuild.
    void CalcAll();

    // Painting ahead while hidden, one step per message.
    void PaintAheadStep(size_t from);

    // Pointer, keyboard and timers.
    int GetCurrentItem(int x, int y);
    void SetCursorType();
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(bool left, int x, int y);
    void FormKeyDown(WPARAM key);
    void FormContextPopup();
    void ScrollTimerTimer();
    void DelayMenuTimerTimer();
    void ShowPopupMenuTimerTimer();
    void TimerTimer();
    bool IsDragging = false;
    // Ends a drag, by release or by a lost capture; stores the position once per showing.
    void EndDrag();
    PointerShape ShapeOver(int item) const;
    // Sets the hand when the pointer is over an entry that takes it.
    bool HandUnderPointer();
    POINT DragPoint{};

    // Folder submenus: a choice starts its file.
    void ItemClick(int tag);

    // Starting programs: resolve, hide the panel, hand the file to the shell.
    void StartSequence(const std::string& path);
    void LaunchPath(const std::string& file, const std::string& workingFolder, const std::string& arguments);

    // Off-desktop detection and scroll bands.
    void PanelMoved(int x, int y);
    void ComputeArrowFlags();
    IntRect VisibleClientRect() const;
    bool PointerOnArrow() const;

    // Set by the single-instance guard; makes FormCreate and FormDestroy do nothing.
    bool SecondInstance = false;

    TFolderPaths FolderPaths;
    std::string DataFolder;
    bool PanelShown = false;
    bool PositionSaveArmed = false;
    ShowRectangle ShowRect;
    bool DoubleBuffered = false;

    UINT ShowOldInstanceMessage = 0;
    UINT TaskbarCreatedMessage = 0;  // the shell's notification area was made anew

    TPanelLayout Layout;
    PanelView View;
    TCatalogue Catalogue{FolderPaths};

    PanelPainter Painter{Catalogue.FolderList, Layout.Geometry, View};
    TFolderMenu Submenus{FolderPaths, Painter.Colours, Layout.Geometry};

    WindowTimer UpdateFolderTimer{1, 1500};
    WindowTimer DelayMenuTimer{2, 300};
    WindowTimer ShowPopupMenuTimer{3, 400};
    WindowTimer Timer{4, 50};
    WindowTimer ScrollTimer{5, 200};

private:
    void CreateParams(DWORD& classStyle);
    void HandleNeeded();
    void CreateDataFolder();
    void FirstRunSettings();
    void ShowSequence();
    void ActivateAPP(WPARAM active);
    void OnTimer(UINT_PTR id);
    void OnCommand(UINT id);
    void StartWatchers();

    PanelPlace Place() const;
    // Pops FolderMenu up at the screen point; modal. Starts the chosen file.
    void TrackFolderMenu(int x, int y);

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UniqueWindow window_;
};
