; SPDX-License-Identifier: MIT
; The Windows installer, made by scripts/package-windows with makensis from the folder STAGE
; (the programs, Qt's DLLs and plugins, the examples) for version VERSION. Installs for the
; current user (the default, without administrator rights) or for all users (/AllUsers, or the
; choice on the first page); "/S" installs silently. Adds a Start-menu entry, offers Urdiva in
; "Abrir com" for .csv and .txt files, and leaves an uninstaller.
Unicode true
; A 64-bit installer for 64-bit programs: it runs where they run (and under wine without its 32-bit part).
Target amd64-unicode
!ifndef VERSION | STAGE | OUTFILE
  !error "makensis -DVERSION=... -DSTAGE=... -DOUTFILE=... urdiva.nsi"
!endif

!define APP "Urdiva"
!define PROGID "Urdiva.Dados"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Urdiva"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
RequestExecutionLevel user

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Urdiva"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\urdiva.exe"

  ; "Abrir com": the program, and a kind of file that .csv and .txt files may be opened as.
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\shell\open\command" "" '"$INSTDIR\urdiva.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\SupportedTypes" ".csv" ""
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\SupportedTypes" ".txt" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Dados delimitados (Urdiva)"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\urdiva.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.csv\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\.txt\OpenWithProgids" "${PROGID}" ""

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Urdiva developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\urdiva.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegKey SHCTX "Software\Classes\Applications\urdiva.exe"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegValue SHCTX "Software\Classes\.csv\OpenWithProgids" "${PROGID}"
  DeleteRegValue SHCTX "Software\Classes\.txt\OpenWithProgids" "${PROGID}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; What the installer put there, and nothing else: a network the user saved in this folder stays.
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\tls"
  RMDir /r "$INSTDIR\translations"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\urdiva.exe"
  Delete "$INSTDIR\urdiva-cli.exe"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\LEIA-ME.txt"
  Delete "$INSTDIR\LICENCA.txt"
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
SectionEnd
