; The Windows installer and uninstaller. scripts/package builds it with makensis:
;   -DVERSION=1.4 -DBIN=<folder with Kestrola.exe, Kestrola.dll, README.txt> -DOUTFILE=<setup.exe>
;   -DTARGET=amd64-unicode for a 64-bit build of the same sources (the tests' build); x86 otherwise.
; Both run silently with /S. The uninstaller keeps the user's catalogue and settings unless the
; user says otherwise (or /REMOVEDATA is given).
!ifdef TARGET
  Target ${TARGET}
!else
  Unicode true
!endif

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrola"

Name "Kestrola ${VERSION}"
OutFile "${OUTFILE}"
!ifdef TARGET
  InstallDir "$PROGRAMFILES64\Kestrola"
!else
  InstallDir "$PROGRAMFILES\Kestrola"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
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

Section "Kestrola"
  Call EndRunningCopy
  SetOutPath "$INSTDIR"
  File "${BIN}\Kestrola.exe"
  File "${BIN}\Kestrola.dll"
  File "${BIN}\README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Kestrola.lnk" "$INSTDIR\Kestrola.exe" "" "$INSTDIR\Kestrola.exe" 0

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

  ; Started as the installer runs it; from the next logon on, the program's own Run value starts it.
  Exec '"$INSTDIR\Kestrola.exe"'
SectionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\Kestrola.exe"
  Delete "$INSTDIR\Kestrola.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\log.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Kestrola.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Kestrola"

  SetShellVarContext current
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
SectionEnd
