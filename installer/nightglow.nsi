; Windows installer of Nightglow: the program and its command-line tool for all users, Start
; menu entries, .sl1 and .sl2 opened by the program, and an uninstaller.
; makensis -DARCH=win32|win64 -DVERSION=1.1 -DSTAGE=<folder with the two programs> -DICON=<icon> -DOUTFILE=<setup.exe>

Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
!endif
!include "MUI2.nsh"

!define PRODUCT "Nightglow"
!define CLASSES "Software\Classes"  ; of the machine: a double click finds them there everywhere
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nightglow"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
!if "${ARCH}" == "win64"
  InstallDir "$PROGRAMFILES64\Nightglow"
!else
  InstallDir "$PROGRAMFILES\Nightglow"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma

!pragma warning disable 9100  ; no copyright line in the version resource
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup (${ARCH})"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A document kind: its extension and class, opened by a double click with the program.
!macro associate extension class description
  WriteRegStr HKLM "${CLASSES}\${extension}" "" "${class}"
  WriteRegStr HKLM "${CLASSES}\${class}" "" "${description}"
  WriteRegStr HKLM "${CLASSES}\${class}\DefaultIcon" "" "$INSTDIR\nightglow.exe,0"
  WriteRegStr HKLM "${CLASSES}\${class}\shell\open\command" "" '"$INSTDIR\nightglow.exe" "%1"'
!macroend

; Takes the extension away only while it still belongs to this program.
!macro unassociate extension class
  ReadRegStr $0 HKLM "${CLASSES}\${extension}" ""
  StrCmp $0 "${class}" 0 +2
    DeleteRegKey HKLM "${CLASSES}\${extension}"
  DeleteRegKey HKLM "${CLASSES}\${class}"
!macroend

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Nightglow"
  SetOutPath "$INSTDIR"
  File "${STAGE}/nightglow.exe"
  File "${STAGE}/nightglow-cli.exe"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Nightglow"
  ; The program keeps its preferences file in the folder it starts in: from the Start menu
  ; that is each user's own home folder, which the user may write.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "$SMPROGRAMS\Nightglow\Nightglow.lnk" "$INSTDIR\nightglow.exe"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Nightglow\Uninstall Nightglow.lnk" "$INSTDIR\Uninstall.exe"

  !insertmacro associate ".sl1" "Nightglow.Data" "Somnolux Data"
  !insertmacro associate ".sl2" "Nightglow.Settings" "Somnolux Settings"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; the associations changed

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\nightglow.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\nightglow.exe"
  Delete "$INSTDIR\nightglow-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Nightglow\Nightglow.lnk"
  Delete "$SMPROGRAMS\Nightglow\Uninstall Nightglow.lnk"
  RMDir "$SMPROGRAMS\Nightglow"

  !insertmacro unassociate ".sl1" "Nightglow.Data"
  !insertmacro unassociate ".sl2" "Nightglow.Settings"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
