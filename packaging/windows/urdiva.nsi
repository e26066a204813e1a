; SPDX-License-Identifier: MIT
; The Windows installer, made by scripts/package-windows with makensis from the folder STAGE
; (the programs, Qt's DLLs and plugins, the examples, the licences) for version VERSION, with
; the icon ICON and the list FILES of what it installs (a macro that removes each of those files
; and then each of its folders left empty). Installs for the current user (the default, without
; administrator rights) or for all users (/AllUsers, or the choice on the mode page, which asks
; for elevation); "/S" installs silently. Adds a Start-menu entry, offers Urdiva in "Abrir com"
; for .csv and .txt files, and leaves an uninstaller that follows the mode it was installed in.
Unicode true
; A 64-bit installer for 64-bit programs: it runs where they run (and under wine without its 32-bit part).
Target amd64-unicode
!ifndef VERSION | STAGE | OUTFILE | ICON | FILES
  !error "makensis -DVERSION=... -DSTAGE=... -DOUTFILE=... -DICON=... -DFILES=... urdiva.nsi"
!endif

!define APP "Urdiva"
!define PROGID "Urdiva.Dados"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Urdiva"

; The highest rights the user has: an administrator is asked for elevation, so that an install for
; all users can write to Program Files and HKLM.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "${FILES}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
BrandingText "${APP} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1046 "ProductName" "${APP}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do ${APP}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "CompanyName" "The Urdiva developers"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Copyright (C) 2026 The Urdiva developers; MIT licence"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENCA.txt"
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
  ; Unless its command line says which, the uninstaller follows the mode its folder was
  ; installed in: for all users when the machine's entry names this folder.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R1 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
FunctionEnd

Section "Urdiva"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\urdiva.exe"

  ; "Abrir com": the program, and a kind of file that .csv and .txt files may be opened as.
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe" "FriendlyAppName" "${APP}"
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\shell\open\command" "" '"$INSTDIR\urdiva.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\SupportedTypes" ".csv" ""
  WriteRegStr SHCTX "Software\Classes\Applications\urdiva.exe\SupportedTypes" ".txt" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Dados delimitados (Urdiva)"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\urdiva.exe",0'
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
  ; Exactly the files the installer put there, then the folders they leave empty: a network the
  ; user saved beside an example stays, and so does its folder.
  !insertmacro RemoveInstalledFiles
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
SectionEnd
