; The installer of Verezerud for Windows: per user, without administrator
; rights. It puts the program in %LOCALAPPDATA%\Programs\Verezerud, adds a
; Start-menu entry, starts the program at log-on (the Run key of the current
; user) and registers an uninstaller; the uninstaller takes all of that away
; and keeps the data folder, %LOCALAPPDATA%\Verezerud.
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

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\verezerud.exe"
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

Section "${APP}" SecProgram
  SetOutPath "$INSTDIR"
  File "/oname=verezerud.exe" "${PROGRAM}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\verezerud.exe"
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\verezerud.exe"'

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

; The data folder, %LOCALAPPDATA%\Verezerud, is left alone: the hours counted
; and the settings stay for a later installation.
Section "Uninstall"
  ; A running program's file cannot be deleted: nothing is taken away then.
  ClearErrors
  Delete "$INSTDIR\verezerud.exe"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "${APP} is running. Quit it, then uninstall it again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
