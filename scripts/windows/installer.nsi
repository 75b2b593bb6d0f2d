; The calculator's Windows installer, made by build.sh with makensis:
;   makensis -DVERSION=1.0.0 -DFOLDER=<the unpacked folder> -DOUTFILE=<setup.exe> installer.nsi
; It puts the folder into Program Files with a Start-menu entry and an
; uninstaller. The uninstaller removes what the installer put there and
; nothing else: the user's bestiary and settings in %APPDATA%\vorn-foe stay.
Unicode true
!include "x64.nsh"

Name "Vorn Foe Calculator ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vorn Foe Calculator"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
    SetRegView 64
    SetOutPath "$INSTDIR"
    File /r "${FOLDER}\*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vorn Foe Calculator.lnk" "$INSTDIR\vorn-foe.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\VornFoeCalculator" "DisplayName" "Vorn Foe Calculator"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\VornFoeCalculator" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\VornFoeCalculator" "UninstallString" '"$INSTDIR\Uninstall.exe"'
SectionEnd

Section "Uninstall"
    SetRegView 64
    Delete "$SMPROGRAMS\Vorn Foe Calculator.lnk"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\VornFoeCalculator"
    ; By name, never the whole folder: it may have been chosen as one that
    ; holds other files too.
    Delete "$INSTDIR\*.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\Vorn.mdb"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir "$INSTDIR"
SectionEnd
