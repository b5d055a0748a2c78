; The Windows program's installer. It puts KelvoraSkinManager.exe into the viewer's
; installation folder, for the current user: the program, a Start-menu shortcut, the
; .scn file type and an uninstaller that removes exactly these, never the viewer's
; files, the skins or the settings.
;   makensis -INPUTCHARSET UTF8 -DKSM_VERSION=1.0.4 -DKSM_PUBLISHER=... -DKSM_PROGRAM=<exe>
;            -DKSM_ICON=<ico> -DKSM_OUTFILE=<setup.exe> KelvoraSkinManager.nsi
; Silent: setup.exe /S [/D=folder], exit code 2 when the folder is refused or a step fails.

Unicode true
; The program is a 64-bit one, and so is the installer: Wine without 32-bit
; support runs it, and the registry and Program Files are the 64-bit ones.
Target amd64-unicode
ManifestDPIAware true
; The user's own rights: a folder that needs more is refused with a word on
; starting the installer as an administrator.
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Kelvora Skin Manager"
!define EXE "KelvoraSkinManager.exe"
!define UNINSTALLER "KelvoraSkinManager-uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KelvoraSkinManager"
; Where the viewer's own installer says it put the viewer.
!define VIEWER_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvora"
!define CLASSES "Software\Classes"
!define PROG_ID "KelvoraSkinManager.scn"

Name "${PRODUCT}"
OutFile "${KSM_OUTFILE}"
BrandingText "${PRODUCT} ${KSM_VERSION}"
ShowInstDetails show
ShowUninstDetails show

; Six digits of the program's temporary names: ".<name>.ksm-XXXXXX.tmp", which the
; program's start removes when a run killed half-way leaves one behind.
Var Unique

!define MUI_ICON "${KSM_ICON}"
!define MUI_UNICON "${KSM_ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Мастер установит Kelvora Skin Manager в папку, в которую установлен Kelvora, добавит программу в меню «Пуск» и будет открывать ею файлы скинов (.scn).$\r$\n$\r$\nФайлы Kelvora, скины и настройки останутся как были; программа удаления уберёт только то, что поставил мастер.$\r$\n$\r$\nНажмите «Далее», чтобы продолжить."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Папка Kelvora"
!define MUI_PAGE_HEADER_SUBTEXT "Программа ставится в папку, в которую установлен Kelvora."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Kelvora Skin Manager работает со скинами той копии Kelvora, рядом с которой лежит: в папке должны быть Kelvora.exe и папка Skins. Если папка ниже не та, нажмите «Обзор…» и выберите папку Kelvora."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Папка Kelvora"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveViewerFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Будут удалены Kelvora Skin Manager, его ярлык в меню «Пуск» и открытие им файлов .scn. Файлы Kelvora, скины и настройки останутся. Нажмите «Удалить», чтобы удалить программу."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"

VIProductVersion "${KSM_VERSION}.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductVersion" "${KSM_VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileVersion" "${KSM_VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileDescription" "Установка ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "CompanyName" "${KSM_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "LegalCopyright" "${KSM_PUBLISHER}"

; Says text (not in silent mode) and stops with exit code 2.
!macro Fail text
    MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
    SetErrorLevel 2
    Abort
!macroend

; $R1: the system's words for the error code in $R1, for a message that names a file.
!macro DefineSystemReason prefix
    Function ${prefix}SystemReason
        StrCpy $R2 $R1
        ; FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS
        System::Call 'kernel32::FormatMessageW(i 0x1200, p 0, i R2, i 0, w .R1, i 1024, p 0) i .R3'
        ${If} $R3 = 0
            StrCpy $R1 "ошибка $R2"
            Return
        ${EndIf}
        ; The text ends with a full stop and a line break, which the message gives itself.
        ${Do}
            StrCpy $R3 $R1 1 -1
            ${If} $R3 == "$\r"
            ${OrIf} $R3 == "$\n"
            ${OrIf} $R3 == "."
            ${OrIf} $R3 == " "
                StrCpy $R1 $R1 -1
            ${Else}
                ${ExitDo}
            ${EndIf}
        ${Loop}
    FunctionEnd
!macroend
!insertmacro DefineSystemReason ""
!insertmacro DefineSystemReason "un."

; $R0: the folder, with the quotes and the final backslash that registry entries may carry.
Function TrimFolder
    StrCpy $R1 $R0 1
    ${If} $R1 == '"'
        StrCpy $R0 $R0 -1 1
    ${EndIf}
    StrCpy $R1 $R0 1 -1
    ${If} $R1 == "\"
        StrCpy $R0 $R0 -1
    ${EndIf}
FunctionEnd

; Sets $INSTDIR to $R0 when no folder is chosen yet and the viewer is there.
Function TakeViewerFolder
    ${If} $INSTDIR == ""
    ${AndIf} $R0 != ""
        Call TrimFolder
        ${If} ${FileExists} "$R0\Kelvora.exe"
            StrCpy $INSTDIR $R0
        ${EndIf}
    ${EndIf}
FunctionEnd

; The folder to propose: where this program was installed before, where the viewer's
; installer registered the viewer (per user, then for the machine in both registry
; views), else the usual place in Program Files.
Function FindViewerFolder
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    Call TakeViewerFolder
    ReadRegStr $R0 HKCU "${VIEWER_KEY}" "InstallLocation"
    Call TakeViewerFolder
    ReadRegStr $R0 HKLM "${VIEWER_KEY}" "InstallLocation"
    Call TakeViewerFolder
    ; A 32-bit installer of the viewer writes under WOW6432Node.
    SetRegView 32
    ReadRegStr $R0 HKLM "${VIEWER_KEY}" "InstallLocation"
    Call TakeViewerFolder
    SetRegView default
    StrCpy $R0 "$PROGRAMFILES64\Kelvora"
    Call TakeViewerFolder
    StrCpy $R0 "$PROGRAMFILES32\Kelvora"
    Call TakeViewerFolder
    ${If} $INSTDIR == ""
        StrCpy $INSTDIR "$PROGRAMFILES64\Kelvora"
    ${EndIf}
FunctionEnd

; $R0: why $INSTDIR cannot take the program, "" when it can.
Function CheckViewerFolder
    StrCpy $R0 ""
    ${IfNot} ${FileExists} "$INSTDIR\Kelvora.exe"
        StrCpy $R0 "В папке «$INSTDIR» нет Kelvora.exe: это не папка, в которую установлен Kelvora. Выберите папку Kelvora."
        Return
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\Skins\*.*"
        StrCpy $R0 "В папке «$INSTDIR» нет папки Skins: это не папка, в которую установлен Kelvora. Выберите папку Kelvora."
        Return
    ${EndIf}
    ; A file that the system removes when it is closed, even when the installer is
    ; killed: GENERIC_WRITE, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE.
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\.${EXE}.ksm-$Unique.tmp", i 0x40000000, i 0, p 0, i 1, i 0x04000000, p 0) p .R2 ?e'
    Pop $R1
    ${If} $R2 = -1
        Call SystemReason
        StrCpy $R0 "Не удаётся записать в папку «$INSTDIR»: $R1.$\r$\nЕсли запись в эту папку требует прав администратора, запустите установщик от имени администратора."
        Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R2)'
FunctionEnd

Function LeaveViewerFolder
    Call CheckViewerFolder
    ${If} $R0 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "$R0"
        Abort
    ${EndIf}
FunctionEnd

Function .onInit
    System::Call 'kernel32::GetCurrentProcessId() i .R0'
    IntOp $R0 $R0 % 1000000
    IntFmt $Unique "%06u" $R0
    ; /D=folder, when given, is $INSTDIR already.
    Call FindViewerFolder
    ${If} ${Silent}
        Call CheckViewerFolder
        ${If} $R0 != ""
            SetErrorLevel 2
            Abort
        ${EndIf}
    ${EndIf}
FunctionEnd

; Gives $R0 the name $R1 in one step, replacing a file of that name, so that the
; name holds a whole file at any moment.
Function PutInPlace
    ; MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
    System::Call 'kernel32::MoveFileExW(w R0, w R1, i 9) i .R2 ?e'
    Pop $R3
    ${If} $R2 = 0
        StrCpy $R4 $R1
        StrCpy $R1 $R3
        Call SystemReason
        Delete $R0
        !insertmacro Fail "Не удалось записать «$R4»: $R1.$\r$\nЕсли Kelvora Skin Manager запущен, закройте его и повторите установку."
    ${EndIf}
FunctionEnd

; Removes the file $R0; stops with the system's reason when it stays.
Function un.RemoveFile
    DetailPrint "$(^Delete)$R0"
    System::Call 'kernel32::DeleteFileW(w R0) i .R2 ?e'
    Pop $R1
    ; ERROR_FILE_NOT_FOUND: gone already, as after an install stopped half-way.
    ${If} $R2 = 0
    ${AndIf} $R1 != 2
        Call un.SystemReason
        !insertmacro Fail "Не удалось удалить «$R0»: $R1.$\r$\nЕсли Kelvora Skin Manager запущен, закройте его и повторите удаление."
    ${EndIf}
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    ; What a run killed half-way left behind.
    Delete "$INSTDIR\.${EXE}.ksm-*.tmp"
    Delete "$INSTDIR\.${UNINSTALLER}.ksm-*.tmp"
    ; The program in another viewer folder before: one installation per user.
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
    ${AndIf} $R0 != $INSTDIR
    ${AndIf} ${FileExists} "$R0\${UNINSTALLER}"
        DetailPrint "Удаление из папки «$R0»"
        ExecWait '"$R0\${UNINSTALLER}" /S _?=$R0' $R1
        ${If} $R1 != 0
            !insertmacro Fail "Не удалось удалить Kelvora Skin Manager из папки «$R0»."
        ${EndIf}
        Delete "$R0\${UNINSTALLER}"
    ${EndIf}

    ; The uninstaller and its entry come first: an install stopped at any step
    ; leaves what it put removable.
    ; The details name the files, not their temporary names.
    SetDetailsPrint none
    StrCpy $R0 "$INSTDIR\.${UNINSTALLER}.ksm-$Unique.tmp"
    WriteUninstaller $R0
    StrCpy $R1 "$INSTDIR\${UNINSTALLER}"
    Call PutInPlace
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${KSM_VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${KSM_PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    StrCpy $R0 "$INSTDIR\.${EXE}.ksm-$Unique.tmp"
    File "/oname=$R0" "${KSM_PROGRAM}"
    StrCpy $R1 "$INSTDIR\${EXE}"
    Call PutInPlace
    SetDetailsPrint both
    DetailPrint "Программа: $INSTDIR\${EXE}"
    DetailPrint "Программа удаления: $INSTDIR\${UNINSTALLER}"

    CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}"

    ; The file type that another program gave .scn comes back at the uninstall.
    ReadRegStr $R0 HKCU "${CLASSES}\.scn" ""
    ${If} $R0 != "${PROG_ID}"
        WriteRegStr HKCU "${UNINSTALL_KEY}" "ScnTypeBefore" $R0
    ${EndIf}
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "Скин Kelvora"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
    WriteRegStr HKCU "${CLASSES}\.scn" "" "${PROG_ID}"
    DetailPrint "Файлы .scn открываются программой Kelvora Skin Manager"
    ; SHCNE_ASSOCCHANGED: Explorer shows the new type at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
    ; The program first: while it runs it cannot be removed, and nothing else is then.
    StrCpy $R0 "$INSTDIR\${EXE}"
    Call un.RemoveFile
    Delete "$INSTDIR\.${EXE}.ksm-*.tmp"
    Delete "$INSTDIR\.${UNINSTALLER}.ksm-*.tmp"
    Delete "${SHORTCUT}"

    ReadRegStr $R0 HKCU "${CLASSES}\.scn" ""
    ${If} $R0 == "${PROG_ID}"
        ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "ScnTypeBefore"
        ${If} $R0 == ""
            DeleteRegValue HKCU "${CLASSES}\.scn" ""
            DeleteRegKey /ifempty HKCU "${CLASSES}\.scn"
        ${Else}
            WriteRegStr HKCU "${CLASSES}\.scn" "" $R0
        ${EndIf}
    ${EndIf}
    DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Run from a copy of itself, the uninstaller can remove its own file.
    Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd
