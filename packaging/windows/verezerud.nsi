; The installer of Verezerud for Windows: per user, without administrator
; rights. It puts the program in %LOCALAPPDATA%\Programs\Verezerud, adds a
; Start-menu entry, starts the program at log-on (the Run key of the current
; user) and registers an uninstaller; the uninstaller takes all of that away
; and keeps the data folder, %LOCALAPPDATA%\Verezerud.
;
; Over a running copy: the copy is asked to finish as at log-off (it credits
; the unfinished hour and ends), the new files are written beside the old
; ones and swapped in by renaming, and the new program starts (silently too,
; unless /NOSTART is given). Should any file fail to be replaced, every file
; goes back, the registry is left alone, the old program starts again, and
; the installer says so and ends with status 2, silently too.
;
; Built by the `windows-package` target of the x86_64 build, which defines
;   VERSION      the program's version, e.g. 1.01
;   VERSION4     the same in four numbers, e.g. 1.1.0.0
;   PROGRAM      the x86_64 verezerud.exe
;   LICENSE      the license file
;   ICON         the program's icon
;   OUTFILE      the installer to write
; The installer is a 64-bit program and carries the 64-bit program only.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP "Verezerud"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "Rirodov"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT license"

!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\verezerud.exe"
; Started so, it leaves quietly should a copy already run.
!define MUI_FINISHPAGE_RUN_PARAMETERS "/autostart"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${APP} ${VERSION} needs 64-bit Windows; the zip holds a 32-bit program." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Var Finished  ; 1 once a running copy was asked to finish and ended
Var Failed    ; the file that could not be replaced

; Asks every running copy to finish, as the end of the session does: its
; hidden session window credits the unfinished hour on WM_CLOSE and the
; program ends. Waits up to 20 s for each. $R0 is 0 when none runs any more.
!macro FINISH_RUNNING un
Function ${un}FinishRunning
  ${Do}
    FindWindow $R0 "VerezerudSession"
    ${IfThen} $R0 == 0 ${|} ${Break} ${|}
    DetailPrint "Asking the running ${APP} to finish (it counts the hour so far)"
    StrCpy $R1 0
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i R1) p .R2'  ; SYNCHRONIZE
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=10000
    StrCpy $R3 1
    ${If} $R2 != 0
      System::Call 'kernel32::WaitForSingleObject(p R2, i 20000) i .R3'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${EndIf}
    ${If} $R3 != 0  ; not ended: asking again would only wait again
      ${Break}
    ${EndIf}
    StrCpy $Finished 1
  ${Loop}
  FindWindow $R0 "VerezerudSession"
FunctionEnd
!macroend
!insertmacro FINISH_RUNNING ""
!insertmacro FINISH_RUNNING "un."

; The program that was asked to finish starts again, where it is.
!macro START_AGAIN
  ${If} $Finished == 1
    Exec '"$INSTDIR\verezerud.exe" /autostart'
  ${EndIf}
!macroend

; The old file aside, the new one in its place; nothing once one has failed.
!macro SWAP name
  ${If} $Failed == ""
    StrCpy $Failed "$INSTDIR\${name}"  ; until both renames are done
    ClearErrors
    ${If} ${FileExists} "$INSTDIR\${name}"
      Rename "$INSTDIR\${name}" "$INSTDIR\${name}.old"
    ${EndIf}
    ${IfNot} ${Errors}  ; (testing the error flag clears it)
      Rename "$INSTDIR\${name}.new" "$INSTDIR\${name}"
      ${IfNot} ${Errors}
        StrCpy $Failed ""
      ${EndIf}
    ${EndIf}
  ${EndIf}
!macroend

; Undoes SWAP: the old file back in its place, the new one gone.
!macro PUT_BACK name
  ${If} ${FileExists} "$INSTDIR\${name}.old"
    Delete "$INSTDIR\${name}"
    Rename "$INSTDIR\${name}.old" "$INSTDIR\${name}"
  ${EndIf}
  Delete "$INSTDIR\${name}.new"
!macroend

!macro FAIL text
  DetailPrint "${text}"
  MessageBox MB_ICONSTOP "${text}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

Section "${APP}" SecProgram
  SetOutPath "$INSTDIR"
  Call FinishRunning
  ${If} $R0 != 0
    !insertmacro FAIL "${APP} is running and did not finish when asked, so ${APP} ${VERSION} could not be installed; the version installed before is unchanged. Restart Windows, then run this installer again."
  ${EndIf}

  ; What an installation cut short left behind, then the new files under
  ; temporary names: the old ones stay whole until every new one is written.
  !insertmacro PUT_BACK "verezerud.exe"
  !insertmacro PUT_BACK "Uninstall.exe"
  !insertmacro PUT_BACK "LICENSE.txt"
  SetOverwrite try  ; a failure sets the error flag instead of asking
  ClearErrors
  File "/oname=verezerud.exe.new" "${PROGRAM}"
  File "/oname=LICENSE.txt.new" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe.new"
  ${If} ${Errors}
    !insertmacro PUT_BACK "verezerud.exe"
    !insertmacro PUT_BACK "Uninstall.exe"
    !insertmacro PUT_BACK "LICENSE.txt"
    !insertmacro START_AGAIN
    !insertmacro FAIL "${APP} ${VERSION} could not be installed: its files could not be written into $INSTDIR. The version installed before, if any, is unchanged."
  ${EndIf}

  StrCpy $Failed ""
  !insertmacro SWAP "verezerud.exe"
  !insertmacro SWAP "Uninstall.exe"
  !insertmacro SWAP "LICENSE.txt"
  ${If} $Failed != ""
    !insertmacro PUT_BACK "verezerud.exe"
    !insertmacro PUT_BACK "Uninstall.exe"
    !insertmacro PUT_BACK "LICENSE.txt"
    !insertmacro START_AGAIN
    !insertmacro FAIL "${APP} ${VERSION} could not be installed: $Failed could not be replaced, as another program has it open. The version installed before is unchanged. Close that program, or restart Windows, then run this installer again."
  ${EndIf}
  Delete "$INSTDIR\verezerud.exe.old"
  Delete "$INSTDIR\Uninstall.exe.old"
  Delete "$INSTDIR\LICENSE.txt.old"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\verezerud.exe"
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\verezerud.exe" /autostart'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Rirodov"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\verezerud.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Interactively the finish page offers to start the program; silently it
; starts unless /NOSTART is given, as a user who upgrades expects it running.
Function .onInstSuccess
  ${If} ${Silent}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/NOSTART" $R1
    ${If} ${Errors}
      Exec '"$INSTDIR\verezerud.exe" /autostart'
    ${EndIf}
  ${EndIf}
FunctionEnd

; The data folder, %LOCALAPPDATA%\Verezerud, is left alone: the hours counted
; and the settings stay for a later installation.
Section "Uninstall"
  Call un.FinishRunning
  ; A file that is open cannot be deleted: nothing is taken away then.
  ClearErrors
  Delete "$INSTDIR\verezerud.exe"
  ${If} ${Errors}
    !insertmacro START_AGAIN
    !insertmacro FAIL "${APP} could not be uninstalled: $INSTDIR\verezerud.exe is in use and could not be removed. Nothing was removed. Restart Windows, then uninstall ${APP} again."
  ${EndIf}
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
