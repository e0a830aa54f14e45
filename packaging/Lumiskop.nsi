; The setup of Quorvanta Lumiskop: installs the program folder for the current
; user, without administrator rights, because the program keeps config.ini
; beside itself and a folder under Program Files is not the user's to write.
;
; scripts/package defines:
;   PRODUCT, PUBLISHER, VERSION (3.1.08), VERSION_NUMBERS (3.1.8.0)
;   STAGE           the program folder's files, as the zip holds them
;   UNINSTALL_LIST  Delete and RMDir lines for exactly those files and folders
;   SIZE_KB         their size, for "Apps" and "Add or remove programs"
;   ICON            the program's icon
;   OUTFILE         the setup to write

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define APP_TITLE "${PRODUCT} v${VERSION}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; Installing again goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Lumiskop.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Lumiskop"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running recorder or converter holds its files: replacing or removing them
; now would leave a half-changed program folder. Exit code 2 under /S.
!macro RefuseWhileRunning
  FindWindow $0 "#32770" "${APP_TITLE}"
  FindWindow $1 "#32770" "ClipForge"
  ${If} $0 <> 0
  ${OrIf} $1 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "Lumiskop or ClipForge is running. Close it, then try again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro RefuseWhileRunning
FunctionEnd

Section "Lumiskop"
  ; config.ini is not among the files: a config.ini already there is the
  ; user's and stays as it is.
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcuts start in the program folder, as the program expects.
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Lumiskop.lnk" "$INSTDIR\Lumiskop.exe"
  CreateShortcut "${MENU_FOLDER}\ClipForge.lnk" "$INSTDIR\ClipForge.exe"
  CreateShortcut "${MENU_FOLDER}\Uninstall Lumiskop.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumiskop.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; Only what the setup put there: recordings, snapshots and anything else
  ; the user keeps in this folder stay, and so does the folder with them.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Uninstall.exe"
  ${If} ${FileExists} "$INSTDIR\config.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your Lumiskop settings (config.ini) too?" /SD IDNO IDNO keep_settings
    Delete "$INSTDIR\config.ini"
    keep_settings:
  ${EndIf}
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Lumiskop.lnk"
  Delete "${MENU_FOLDER}\ClipForge.lnk"
  Delete "${MENU_FOLDER}\Uninstall Lumiskop.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
