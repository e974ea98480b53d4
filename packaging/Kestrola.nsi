; The Windows installer and uninstaller. scripts/package builds it with makensis:
;   -DVERSION=<version, from CMakeLists.txt> -DOUTFILE=<setup.exe> -DREADME=<README.txt>
;   -DBIN32=<folder with the 32-bit Kestrola.exe, Kestrola.dll and KestrolaSetup.dll>
;   -DBIN64=<folder with the 64-bit Kestrola.exe and KestrolaSetup.dll>
;   -DTARGET=amd64-unicode for an installer that runs only on 64-bit Windows (the tests', where no
;   32-bit program runs); the shipped one is x86 and runs everywhere.
; It installs the program that matches the system: the 64-bit one on 64-bit Windows, the 32-bit
; one (with its hook library) on 32-bit Windows and XP. Both run silently with /S. The uninstaller
; keeps the user's catalogue and settings unless the user says otherwise (or /REMOVEDATA is given).
!ifdef TARGET
  Target ${TARGET}
  ; There ${RunningX64} is always true, and the branches for 32-bit Windows are never taken.
  !pragma warning disable 6012
!else
  Unicode true
!endif
!addplugindir /x86-unicode "${BIN32}"
!addplugindir /amd64-unicode "${BIN64}"

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrola"

; Ctrl+Alt+F8 on the Start Menu shortcut: Explorer opens the panel with it on every Windows
; version (a second start shows the running copy's panel). A function key, because Ctrl+Alt is
; AltGr on Windows and keyboard layouts type characters with it on letters, digits and signs.
!define HOTKEY "ALT|CONTROL|F8"

Name "Kestrola ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Kestrola"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks a running copy to end and waits until its window is gone (at most about 10 s): its files
; cannot be replaced or removed while it runs.
!macro EndRunningCopy UN
Function ${UN}EndRunningCopy
  FindWindow $0 "TMainForm"
  ${If} $0 == 0
    Return
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Kestrola.exe"
    ExecWait '"$INSTDIR\Kestrola.exe" exit'
  ${EndIf}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "TMainForm"
    ${If} $0 == 0
    ${OrIf} $1 >= 50
      ${Break}
    ${EndIf}
    Sleep 200
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro EndRunningCopy ""
!insertmacro EndRunningCopy "un."

; The 64-bit program on 64-bit Windows, in the 64-bit Program Files and registry view; a folder
; chosen by an earlier install is kept.
Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\Kestrola"
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

; On XP the hooks' library stays loaded in other programs until each takes its next message after
; the running copy ended: such a file cannot be replaced or deleted, but it can be renamed. The
; old one is moved aside and deleted at the next restart; the new one takes its name at once.
!macro SetAsideLoadedFile UN
Function ${UN}SetAsideLoadedFile
  Pop $1
  ${IfNot} ${FileExists} $1
    Return
  ${EndIf}
  ClearErrors
  Delete $1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  GetTempFileName $2 "$INSTDIR"
  Delete $2
  ClearErrors
  Rename $1 $2
  Delete /REBOOTOK $2
FunctionEnd
!macroend
!insertmacro SetAsideLoadedFile ""
!insertmacro SetAsideLoadedFile "un."

Section "Kestrola"
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  Push "$INSTDIR\Kestrola.dll"
  Call SetAsideLoadedFile
  ${If} ${RunningX64}
    ; The 64-bit program never loads the hook library, which serves 32-bit XP only.
    File "${BIN64}\Kestrola.exe"
  ${Else}
    File "${BIN32}\Kestrola.exe"
    File "${BIN32}\Kestrola.dll"
  ${EndIf}
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Kestrola.lnk" "$INSTDIR\Kestrola.exe" "" "$INSTDIR\Kestrola.exe" 0 \
    SW_SHOWNORMAL "${HOTKEY}" "Shows the Kestrola program list"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kestrola"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestrola.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Started as the logged-on user by the desktop's Explorer: started from here it would run with
  ; the installer's administrator rights (or as another account) until the next logon. From the
  ; next logon on, the program's own Run value starts it.
  KestrolaSetup::ExecAsUser "$INSTDIR\Kestrola.exe"
  Pop $0
  DetailPrint "Kestrola: $0"
SectionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\Kestrola.exe"
  Push "$INSTDIR\Kestrola.dll"
  Call un.SetAsideLoadedFile
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\log.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Libraries set aside by an install over a running XP; gone at the next restart.
  Delete /REBOOTOK "$INSTDIR\ns*.tmp"
  RMDir /REBOOTOK "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Kestrola.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Kestrola"

  SetShellVarContext current
  ; The program's log where the program folder could not be written; not part of the user's data.
  Delete "$APPDATA\Kestrola\log.txt"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION \
      "Remove your Kestrola program list and settings as well?$\n$\n($APPDATA\Kestrola and the settings in the registry)" \
      /SD IDNO IDNO keep
  ${EndIf}
  RMDir /r "$APPDATA\Kestrola"
  DeleteRegKey HKCU "Software\Halvercot\Kestrola"
  DeleteRegKey /ifempty HKCU "Software\Halvercot"
  keep:
  RMDir "$APPDATA\Kestrola"
SectionEnd
