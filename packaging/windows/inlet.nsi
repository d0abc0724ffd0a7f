; The Windows installer of 进水流道设计: the folder that `cmake --install` lays out (STAGE),
; a Start-menu entry, the .inlet file type with its icon, an uninstaller; for all users of the
; computer or, without administrator rights, for the current user only.
;
; Built by the build's target windows-package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.00 -DSTAGE=DIR -DOUTFILE=FILE -DICON=FILE -DLICENCE=FILE inlet.nsi
; Silent: setup.exe /S [/CurrentUser | /AllUsers]; uninstall.exe /S [/CurrentUser | /AllUsers].

Unicode true
Target amd64-unicode
; zlib: an installer a few MB larger than with lzma, packed in seconds rather than a minute.
SetCompressor /SOLID zlib

!define APP_NAME "进水流道设计"
!define APP_KEY "InletPassage"
!define FILE_CLASS "InletPassage.Design"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_KEY}"

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP_NAME} ${VERSION}"

; Administrator rights where the user has them (then the install page offers both kinds),
; the current user's own folder where not; /AllUsers or /CurrentUser on the command line.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\${APP_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "Software\${APP_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\inlet.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${APP_NAME} ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "GPL-3.0-or-later"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "${APP_NAME}"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\inlet.exe"

  ; Design files: their icon, and a double click opens them in the window.
  WriteRegStr SHCTX "Software\Classes\.inlet" "" "${FILE_CLASS}"
  WriteRegStr SHCTX "Software\Classes\.inlet" "Content Type" "application/x-inlet-design"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}" "" "进水流道设计文件"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\inlet.exe,0"
  WriteRegStr SHCTX "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\inlet.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr SHCTX "Software\${APP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "Software\${APP_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\inlet.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Inlet passage calculator developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  ; Only what the installer put there: a folder the user chose may hold other files.
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\LICENCES.txt"
  RMDir /r "$INSTDIR\plugins"
  RMDir /r "$INSTDIR\translations"
  RMDir /r "$INSTDIR\licences"
  RMDir /r "$INSTDIR\manual"
  RMDir "$INSTDIR"

  ReadRegStr $0 SHCTX "Software\Classes\.inlet" ""
  StrCmp $0 "${FILE_CLASS}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.inlet"
  DeleteRegKey SHCTX "Software\Classes\${FILE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "Software\${APP_KEY}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
