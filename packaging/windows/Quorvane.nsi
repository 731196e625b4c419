; The setup program of Quorvane for 64-bit Windows, made by
; packaging/windows/package.sh with makensis. It installs the staged copy
; into Program Files, adds Start-menu entries and an entry in Explorer's
; "送る" menu, and registers an uninstaller that removes what it installed.
; The user's settings and rename journal (%APPDATA%\Quorvane) stay unless
; the user asks for them to go, or /PURGE is given to the uninstaller.
;
; Defines given by package.sh: VERSION, STAGE (the staged copy),
; FILES and UNFILES (the generated lists of the staged files), OUTFILE.

; A 64-bit setup program for a 64-bit program: it also runs where Wine or
; Windows has no 32-bit layer.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Quorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Quorvane 開発チーム"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quorvane.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Quorvane は 64 ビット版の Windows でのみ動作します。64 ビット版の Windows にインストールしてください。" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Section "Quorvane"
  SetShellVarContext all
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Quorvane.lnk" "$INSTDIR\Quorvane.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\ReadMe.lnk" "$INSTDIR\ReadMe.txt"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Quorvane のアンインストール.lnk" "$INSTDIR\Uninstall.exe"
  ; "送る" belongs to the user who installs.
  SetShellVarContext current
  CreateShortCut "$SENDTO\Quorvane.lnk" "$INSTDIR\Quorvane.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvane 開発チーム"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quorvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !include "${UNFILES}"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}\Quorvane.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\ReadMe.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Quorvane のアンインストール.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  SetShellVarContext current
  Delete "$SENDTO\Quorvane.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The settings and the journal are the user's: they go only when asked.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Quorvane の設定とリネーム履歴（$APPDATA\${PRODUCT}）も削除しますか？$\n「いいえ」を選ぶと残し、次にインストールしたときにそのまま使えます。" /SD IDNO IDNO keep
  ${EndIf}
  RMDir /r "$APPDATA\${PRODUCT}"
  ; A copy that kept its settings beside the executable.
  Delete "$INSTDIR\setting.ini"
  Delete "$INSTDIR\ReName.txt"
  RMDir /r "$INSTDIR\journal"
keep:
  RMDir "$INSTDIR"
SectionEnd
