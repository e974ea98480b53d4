// The main window's start and end sequences, its window procedure and its message filter.
#include "app/MainForm.h"

#include "platform/Application.h"
#include "platform/ProgramFolder.h"
#include "app/HookLinkBuild.h"
#include "app/SystemVersion.h"
#include "platform/Error.h"
#include "platform/Guarded.h"
#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/MessageFilter.h"
#include "shell/Registry.h"
#include "resources/ResourceIds.h"
#include "platform/UiTexts.h"

UINT ProgramExitMessage = 0;

namespace {
constexpr UINT kFileInfoSize = 352;  // SHFILEINFOA
constexpr int kDesignWidth = 300, kDesignHeight = 200;
constexpr const char* kApplicationTitle = "Kestrola";

HIMAGELIST SystemImageList(const std::string& path, UINT flags) {
    SHFILEINFOA info = {};
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(path.c_str(), 0, &info, kFileInfoSize, flags));
    if (info.hIcon) DestroyIcon(info.hIcon);  // only the list is wanted
    return list;
}
}  // namespace

TMainForm::TMainForm() = default;

TMainForm::~TMainForm() {
    FormDestroy();
    Painter.SetWindow(nullptr);
    window_.Reset();
}

void TMainForm::FormCreate() {
    if (SecondInstance) return;
    Guarded("FormCreate", [&] {
        ShowOldInstanceMessage = RegisterWindowMessageA("KestrolaShowOldInstanceMenu");
        TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
        // A copy the user started elevated still hears the user's own processes and the shell.
        AllowFromLessPrivilegedProcesses(
            {ShowOldInstanceMessage, ProgramExitMessage, TaskbarCreatedMessage, TrayCallbackMessage});
        Tray.Translate();
        // The name and slot lists are members and exist from construction.
        Application::SetTitle(kApplicationTitle);
        TFolderPaths& paths = Model.FolderPaths;
        paths = LoadFolderPaths();
        Model.Catalogue.AttachShell();
        Painter.LargeImages = SystemImageList(paths.UserStartup, SHGFI_SYSICONINDEX | SHGFI_ICON);
        Submenus.Images.list = SystemImageList(paths.UserStartup, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        CreateDataFolder();
        SetLogFallbackFolder(Model.DataFolder);
        Model.OpenFiles();
        Model.Layout.SetIconParams();
        if (std::optional<unsigned> delay = Model.Layout.SetScreenSize()) Pointer.SubmenuDelay().SetInterval(*delay);
        HandleNeeded();
        Tray.Add(Handle(), XpOrLater);
        SHChangeNotifyEntry everything{nullptr, FALSE};
        AssociationsNotify = SHChangeNotifyRegister(Handle(), SHCNRF_ShellLevel, SHCNE_ASSOCCHANGED,
                                                    kAssociationsChangedMessage, 1, &everything);
        FirstRunSettings();
        Application::SetMessageFilter([this](MSG& m, bool& handled) { MessageEvent(m, handled); });
        if (IsWindowsXP && kHookLinkBuild) HookLink.StartHookLink(Handle(), ProgramFolder);
        CalcAll();
        Watchers.Start(Handle(), paths.CommonStartMenu, paths.UserStartMenu);
        View.ScrollX = 0;
        View.ScrollY = 0;
        View.ScrollBand = Model.Layout.Geometry().Px(30);
    });
}

void TMainForm::CreateDataFolder() {
    std::string& folder = Model.DataFolder;
    folder = Model.FolderPaths.AppData + "\\" + Application::Title();
    if (!DirectoryExists(folder) && !ForceDirectories(folder)) throw Error(UiTexts.FolderError);
}

void TMainForm::FirstRunSettings() {
    if (RegValueExists(HKEY_CURRENT_USER, kProgramKey, "ShowTip")) return;
    Tray.ShowWelcome(Win2000OrLater);
    WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, "ShowTip", 1);
    WriteRegText(HKEY_CURRENT_USER, kRunKey, "Kestrola", "\"" + ProgramFolder + ExecutableFileName() + "\"");
    WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, "IntegrateWithSystem", 1);
    WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, "LeftWindowsAlt", 1);
}

void TMainForm::FormDestroy() {
    if (SecondInstance) return;
    Guarded("FormDestroy", [&] {
        // No rebuild may start while everything is taken down.
        Watchers.Stop();
        if (AssociationsNotify) SHChangeNotifyDeregister(AssociationsNotify);
        AssociationsNotify = 0;
        if (IsWindowsXP && kHookLinkBuild) HookLink.StopHookLink();
        Model.Catalogue.ClearFolders();
        Painter.ForgetCells();
        Submenus.Clear();
        Model.CloseFiles();
        Submenus.Images = {};
        Tray.Remove();
        Model.Catalogue.DetachShell();
    });
}

void TMainForm::CreateParams(DWORD& classStyle) {
    Guarded("CreateParams", [&] {
        ProgramFolder = ExecutableFolder();
        DetectWindowsVersion();
        if (XpOrLater) classStyle |= CS_DROPSHADOW;
    });
}

void TMainForm::HandleNeeded() {
    if (window_) return;
    DWORD classStyle = CS_DBLCLKS;
    CreateParams(classStyle);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExA(&wc);
    // Borderless, kept off the taskbar: the notification-area icon is its only presence.
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, kMainWindowClass, kApplicationTitle, WS_POPUP, 0, 0,
                             kDesignWidth, kDesignHeight, nullptr, nullptr, instance, this);
    if (!w) throw Error("Cannot create the main window: " + std::to_string(GetLastError()));
    window_.Reset(w);
    Painter.SetWindow(w);
    DelayMenuTimer.Attach(w);
    Pointer.Attach(w);
}

void TMainForm::LoadComponents() {
    OneInstance1 = std::make_unique<TOneInstance>(this, "MainForm");
    OneInstance1->RaisePriorInstance = true;
    OneInstance1->ApplicationExists = [this](TOneInstance&) { OneInstance1ApplicationExists(); };
    OneInstance1->Loaded(ExecutableFileName());
}

void TMainForm::OneInstance1ApplicationExists() {
    SecondInstance = true;
    Guarded("OneInstance1ApplicationExists", [&] {
        Application::Terminate();
        Application::ProcessMessages();
        // This start came from the user, so the right to take the foreground is ours to hand on:
        // the running copy does not know of the user's input and would be refused.
        AllowSetForegroundWindow(ASFW_ANY);
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("KestrolaShowOldInstanceMenu"), 0, 0);
    });
}

void TMainForm::ShowMenuClick() {
    Guarded("ShowMenuClick", [&] { MainFormShow(); });
}

void TMainForm::ExitMenuClick() {
    Guarded("ExitMenuClick", [&] {
        // A menu's own loop (a submenu, the tray's or the shell's) would otherwise hold the end
        // until the user closes it; an uninstaller waiting for "exit" would wait with it.
        EndMenu();
        Application::Terminate();
    });
}

void TMainForm::MessageEvent(MSG& msg, bool& handled) {
    Guarded("MessageEvent", [&] {
        if (!IsProgramMessage(msg.message)) return;
        // Handled here, so that the window procedure, which sees them only while a dialog or a
        // menu runs its own loop, does not handle them a second time.
        handled = true;
        if (msg.message == ShowOldInstanceMessage) ShowMenuClick();
        if (msg.message == HookLink.ShowMenuMessage) {
            ShowRect = UnpackShowRect(static_cast<uint32_t>(msg.wParam), static_cast<uint32_t>(msg.lParam));
            DelayMenuTimer.Start();  // a running timer keeps its course
        }
        if (msg.message == ProgramExitMessage) ExitMenuClick();
    });
}

bool TMainForm::IsProgramMessage(UINT message) const {
    return message != 0 &&
           (message == ShowOldInstanceMessage || message == HookLink.ShowMenuMessage || message == ProgramExitMessage);
}

void TMainForm::TaskbarCreated() {
    // The shell was restarted and its notification area is empty: the icon is the program's only
    // surface, so it is added again (without the first-run balloon).
    Guarded("TaskbarCreated", [&] { Tray.Add(Handle(), XpOrLater); });
}

void TMainForm::ActivateAPP(WPARAM active) {
    Guarded("ActivateAPP", [&] {
        if (!active) MainFormHide();
    });
}

void TMainForm::OnTimer(UINT_PTR id) {
    if (id == DelayMenuTimer.Id()) DelayMenuTimerTimer();
    Pointer.OnTimer(id);
    Watchers.OnTimer(id);
    Tray.OnTimer(id);
}

void TMainForm::OnCommand(UINT id) {
    switch (id) {
        case IDM_SHOWMENU: ShowMenuClick(); break;
        case IDM_OPTIONSMENU: OptionsMenuClick(); break;
        case IDM_MAILTOSUPPORTMENU: MailToSupportMenuClick(); break;
        case IDM_ABOUTMENU: AboutMenuClick(); break;
        case IDM_EXITMENU: ExitMenuClick(); break;
    }
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsProgramMessage(msg)) {
        // Dispatched by a modal loop (a dialog, a menu, a message box), which bypasses the filter.
        MSG m{Handle(), msg, wParam, lParam, 0, {}};
        bool handled = false;
        MessageEvent(m, handled);
        return 0;
    }
    if (msg != 0 && msg == TaskbarCreatedMessage) {
        TaskbarCreated();
        return 0;
    }
    switch (msg) {
        case WM_ACTIVATEAPP:
            ActivateAPP(wParam);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case TrayCallbackMessage:
            Tray.Trayiconnotify(lParam, [this] { ShowMenuClick(); });
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0) OnCommand(LOWORD(wParam));
            return 0;
        case kDirectoryChangedMessage:
            Watchers.Deliver(wParam);
            return 0;
        case kAssociationsChangedMessage:
            Model.Catalogue.ForgetIcons();
            return 0;
        case kPaintAheadMessage:
            PaintAheadStep(wParam);
            return 0;
        case WM_PAINT:
            Painter.FormPaint();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a quick second press is a press all the same
            Pointer.FormMouseDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_MOUSEMOVE:
            Pointer.FormMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_LBUTTONUP:
            Pointer.FormMouseUp(true, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_RBUTTONUP:
            // Default processing makes the context-menu message from the release.
            DefWindowProcA(Handle(), msg, wParam, lParam);
            Pointer.FormMouseUp(false, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            // Alt+Tab, Escape or another window took the pointer: a drag cannot go on.
            if (msg == WM_CANCELMODE || reinterpret_cast<HWND>(lParam) != Handle())
                Guarded("FormMouseUp", [&] { Pointer.EndDrag(); });
            return msg == WM_CANCELMODE ? DefWindowProcA(Handle(), msg, wParam, lParam) : 0;
        case WM_KEYDOWN:
            FormKeyDown(wParam);
            return 0;
        case WM_CONTEXTMENU:
            Pointer.FormContextPopup();
            return 0;
        case WM_SETCURSOR:
            // Over an entry that takes a hand the class cursor must not undo it; elsewhere, and
            // over folder entries, the system's own choice stands.
            if (LOWORD(lParam) == HTCLIENT && Pointer.HandUnderPointer()) return TRUE;
            return DefWindowProcA(Handle(), msg, wParam, lParam);
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (m->CtlType != ODT_MENU) return DefWindowProcA(Handle(), msg, wParam, lParam);
            Submenus.MeasureMenuIcon(*m);
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (d->CtlType != ODT_MENU) return DefWindowProcA(Handle(), msg, wParam, lParam);
            Submenus.DrawMenuIcon(*d);
            return TRUE;
        }
        case WM_ERASEBKGND:
            return 1;  // every frame is painted whole
        case WM_MOVE:
            PanelMoved(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_CLOSE:
        case WM_ENDSESSION:
            // Closing the main window ends the program, as logging off does.
            if (msg == WM_CLOSE || wParam) ExitMenuClick();
            return 0;
        default:
            return DefWindowProcA(Handle(), msg, wParam, lParam);
    }
}

LRESULT CALLBACK TMainForm::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form || !form->window_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // No error may unwind through the system's frames: this is the window's last handler.
    try {
        return form->WndProc(msg, wParam, lParam);
    } catch (const std::exception& e) {
        Application::ShowException(e);
        return 0;
    }
}
