// TMainForm: the hidden borderless main window that is the panel, and the conductor of the
// subsystems it owns. Data flows one way:
//   folders -> Model.Catalogue (names, slots, catalogue files, entries) -> Model.Layout (geometry,
//   Main.ini) -> Painter (colours, kept cells, frames) and Pointer's hit tests;
//   input -> Pointer (current item, drag, scroll, submenu timers) -> Submenus and the start sequence.
// Watchers ask for a rebuild, Tray and HookLink talk to the shell. The window keeps the start and
// end sequences, the routing of messages and timers, show and hide, and CalcAll's sequence.
// Operations keep their names (log lines carry them).
#pragma once
#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>

#include "app/OneInstance.h"
#include "catalogue/Watchers.h"
#include "panel/FolderMenu.h"
#include "panel/Painter.h"
#include "panel/PanelModel.h"
#include "panel/PanelPointer.h"
#include "panel/PanelView.h"
#include "panel/PointerRules.h"
#include "platform/Handle.h"
#include "platform/WindowTimer.h"
#include "shell/HookLink.h"
#include "shell/Registry.h"
#include "shell/TrayIcon.h"

constexpr const char* kMainWindowClass = "TMainForm";

// Registered once per process, before anything else.
extern UINT ProgramExitMessage;

class TMainForm {
public:
    TMainForm();
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    HWND Handle() const { return window_.Get(); }
    // The single-instance guard makes its test here, before FormCreate.
    void LoadComponents();
    void FormCreate();
    void FormDestroy();

    void MainFormShow();
    void MainFormHide();
    // The whole rebuild.
    void CalcAll();
    // Starting programs: resolve, hide the panel, hand the file to the shell.
    void StartSequence(const std::string& path);
    void LaunchPath(const std::string& file, const std::string& workingFolder, const std::string& arguments);

    // The tray menu's commands.
    void ShowMenuClick();
    void ExitMenuClick();
    void OptionsMenuClick();
    void MailToSupportMenuClick();
    void AboutMenuClick();

    // The application's message filter; the window procedure passes it the program's messages
    // that a modal loop dispatched past it.
    void MessageEvent(MSG& msg, bool& handled);

private:
    void OneInstance1ApplicationExists();
    void CreateParams(DWORD& classStyle);
    void HandleNeeded();
    void CreateDataFolder();
    void FirstRunSettings();
    // Opens the panel at its stored place, or at computed(work area) when none is stored (the
    // primary one, at 0, 0) or the stored one lies on no monitor (the pointer's); a stored value
    // that is no number is logged under operation. The next drag of this showing is stored.
    void ShowAtPlace(const char* operation, const std::function<POINT(const IntRect&)>& computed);
    void ShowSequence();
    // A drag moves the panel off its shadow: painting draws the border lines until the next show.
    void DragStep();
    POINT offMonitorTold_{LONG_MIN, LONG_MIN};  // the stored place last logged as on no monitor
    void DelayMenuTimerTimer();
    void PaintAheadStep(size_t from);
    void PanelMoved(int x, int y);
    void FormKeyDown(WPARAM key);
    void TaskbarCreated();
    void ActivateAPP(WPARAM active);
    bool IsProgramMessage(UINT message) const;
    void OnTimer(UINT_PTR id);
    void OnCommand(UINT id);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Posted to the window itself: paint the next cells ahead, from the entry index in wParam.
    static constexpr UINT kPaintAheadMessage = WM_APP + 25;
    // From the shell: the file associations changed, so kept icons may be wrong.
    static constexpr UINT kAssociationsChangedMessage = WM_APP + 26;

    std::unique_ptr<TOneInstance> OneInstance1;
    bool SecondInstance = false;  // makes FormCreate and FormDestroy do nothing
    bool PanelShown = false;
    ShowRectangle ShowRect;       // the Start button's, from the hook
    UINT ShowOldInstanceMessage = 0;
    UINT TaskbarCreatedMessage = 0;  // the shell's notification area was made anew
    ULONG AssociationsNotify = 0;

    TPanelModel Model;
    PanelView View;
    PanelPainter Painter{Model.Catalogue.FolderList(), Model.Catalogue.ListVersion(), Model.Layout.Geometry(), View};
    TFolderMenu Submenus{Model.FolderPaths, Painter.Colours, Model.Layout.Geometry()};
    TPanelPointer Pointer{Model, View, Painter, Submenus,
                          {[this](const std::string& path) { StartSequence(path); }, [this] { return PanelShown; },
                           [this] { DragStep(); }, [](int left, int top) { StorePanelPosition(left, top); }}};
    TFolderWatchers Watchers{[this] { CalcAll(); InvalidateRect(Handle(), nullptr, FALSE); }};
    TTrayIcon Tray;
    THookLink HookLink;
    WindowTimer DelayMenuTimer{2, 300};

    UniqueWindow window_;
};
