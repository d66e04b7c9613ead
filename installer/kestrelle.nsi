; Kestrelle's setup program: puts the 32-bit program and its skins into Program Files,
; with Start-menu and optional desktop shortcuts, an Add/Remove Programs entry and an
; uninstaller that takes all of it away again, the lesson files included.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DBIN=<folder of kestrelle.exe and the skins>
;          -DICON=<kestrelle.ico> -DOUTFILE=<kestrelle-setup.exe> kestrelle.nsi
;
; Silent use: kestrelle-setup.exe /S [/DESKTOP] [/D=<folder>]   (/D= last, no quotes)
;             uninstall.exe /S

Unicode true

!ifndef VERSION | BIN | ICON | OUTFILE
    !error "define VERSION, BIN, ICON and OUTFILE on makensis's command line"
!endif

!define PRODUCT "Kestrelle"
!define PUBLISHER "Kestrelle Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrelle"
!define UNINSTALLER "uninstall.exe"
; Both names are removed on uninstall, whichever language the setup ran in.
!define UNINSTALL_LINK_ENGLISH "Uninstall Kestrelle.lnk"
!define UNINSTALL_LINK_CHINESE "卸载 Kestrelle.lnk"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The setup writes to Program Files and HKLM. The program itself asks for no level, so
; that its lesson files reach the virtual store for a standard user (see the README).
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

; No "run Kestrelle" box on the finish page: started from this elevated setup the program
; would run elevated too, and its lesson files would then go where a later, ordinary
; start of it never looks.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the fallback; otherwise the user's display language picks.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString SectionProgram ${LANG_ENGLISH} "Kestrelle (required)"
LangString SectionProgram ${LANG_SIMPCHINESE} "Kestrelle（必需）"
LangString SectionDesktop ${LANG_ENGLISH} "Desktop shortcut"
LangString SectionDesktop ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString DescribeProgram ${LANG_ENGLISH} "The program, its three skins, Start-menu shortcuts and the uninstaller."
LangString DescribeProgram ${LANG_SIMPCHINESE} "程序、三款皮肤、开始菜单快捷方式和卸载程序。"
LangString DescribeDesktop ${LANG_ENGLISH} "A shortcut to Kestrelle on the desktop."
LangString DescribeDesktop ${LANG_SIMPCHINESE} "在桌面上放一个 Kestrelle 的快捷方式。"
LangString UninstallLink ${LANG_ENGLISH} "${UNINSTALL_LINK_ENGLISH}"
LangString UninstallLink ${LANG_SIMPCHINESE} "${UNINSTALL_LINK_CHINESE}"
LangString NeedAdministrator ${LANG_ENGLISH} "Kestrelle is installed and removed for every user of this computer. Please run this program as an administrator."
LangString NeedAdministrator ${LANG_SIMPCHINESE} "Kestrelle 为本机所有用户安装和卸载，请以管理员身份运行本程序。"

; Without UAC (Windows XP) a limited user's setup would start and then fail file by file;
; it stops at once instead, with ERROR_ELEVATION_REQUIRED as its exit code.
!macro RequireAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "admin"
        MessageBox MB_ICONSTOP "$(NeedAdministrator)" /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
!macroend

Section "$(SectionProgram)" SectionProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${BIN}/kestrelle.exe"
    File "${BIN}/kestrelle.skin"
    File "${BIN}/dark.skin"
    File "${BIN}/contrast.skin"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; An installation for every user of the machine.
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\kestrelle.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(UninstallLink)" "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrelle.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SectionDesktop)" SectionDesktop
    SetShellVarContext all
    CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\kestrelle.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(DescribeProgram)
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} $(DescribeDesktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The desktop shortcut is ticked on the components page; a silent install makes it only
; when asked with /DESKTOP.
Function .onInit
    !insertmacro RequireAdministrator
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} $0 "/DESKTOP" $1
        ${If} ${Errors}
            !insertmacro UnselectSection ${SectionDesktop}
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro RequireAdministrator
FunctionEnd

; The program writes lesson files yinbiao1.swf ... yinbiao16.swf into the system folder
; and deletes them when it closes; after a crash some stay. A 32-bit program on 64-bit
; Windows is sent to SysWOW64 when it names System32, and so is this uninstaller, so
; $SYSDIR reaches the same place it wrote. A standard user's writes there are redirected
; to the virtual store of that user, after that same redirection: Windows\System32 on
; 32-bit Windows, Windows\SysWOW64 on 64-bit Windows.
Function un.RemoveLessonFiles
    SetShellVarContext current
    StrCpy $0 1
    ${Do}
        Delete "$SYSDIR\yinbiao$0.swf"
        Delete "$LOCALAPPDATA\VirtualStore\Windows\System32\yinbiao$0.swf"
        Delete "$LOCALAPPDATA\VirtualStore\Windows\SysWOW64\yinbiao$0.swf"
        IntOp $0 $0 + 1
    ${LoopUntil} $0 > 16
    ; Only if empty: another program's virtualised files may live there too.
    RMDir "$LOCALAPPDATA\VirtualStore\Windows\System32"
    RMDir "$LOCALAPPDATA\VirtualStore\Windows\SysWOW64"
    RMDir "$LOCALAPPDATA\VirtualStore\Windows"
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$DESKTOP\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\${UNINSTALL_LINK_ENGLISH}"
    Delete "$SMPROGRAMS\${PRODUCT}\${UNINSTALL_LINK_CHINESE}"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    ; A program still running is removed at the next restart.
    Delete /REBOOTOK "$INSTDIR\kestrelle.exe"
    Delete "$INSTDIR\kestrelle.skin"
    Delete "$INSTDIR\dark.skin"
    Delete "$INSTDIR\contrast.skin"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Not /r: a folder the user chose may hold files of theirs.
    RMDir /REBOOTOK "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    Call un.RemoveLessonFiles
    ; The remembered skin of the user who uninstalls.
    SetShellVarContext current
    ${If} "$APPDATA" != ""
        RMDir /r "$APPDATA\${PRODUCT}"
    ${EndIf}
SectionEnd
