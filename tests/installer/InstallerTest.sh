#!/usr/bin/env bash
# Installs kestrelle-setup.exe silently in the test run's 32-bit prefix, finds the
# program, its skins, the uninstaller, the shortcuts and the Add/Remove Programs entry,
# plants lesson files and a remembered skin where the program would have left them,
# uninstalls silently and finds all of it gone and the rest of the prefix as it was.
# Twice: with /DESKTOP, and without it, which must make no desktop shortcut.
#   InstallerTest.sh <kestrelle-setup.exe> <folder of the files it packed> <version>
set -uo pipefail
setup=$1 payload=$2 version=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
kestrelle_use_wine 32 || exit 2

fail() { echo "FAIL: $*"; exit 1; }
[ -f "$setup" ] || fail "$setup was not built (makensis missing? scripts/setup installs nsis)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The folders as this prefix's Windows names them.
folder() { kestrelle_wine cmd /c echo "%$1%" | tr -d '\r'; }
unix() { kestrelle_wine winepath -u "$1" | tr -d '\r'; }
install_win="$(folder ProgramFiles)\\Kestrelle"
install=$(unix "$install_win")
menu=$(unix "$(folder ProgramData)\\Microsoft\\Windows\\Start Menu\\Programs\\Kestrelle")
desktop=$(unix "$(folder PUBLIC)\\Desktop")/Kestrelle.lnk
settings=$(unix "$(folder APPDATA)\\Kestrelle")
local_app=$(unix "$(folder LOCALAPPDATA)")
# Each place a lesson file can be: the system folder (which a 32-bit program on 64-bit
# Windows reaches as SysWOW64), and a standard user's virtual store of either.
lesson_places=("$(unix "$(folder windir)\\system32")" "$local_app/VirtualStore/Windows/System32"
    "$local_app/VirtualStore/Windows/SysWOW64")
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrelle'
prefix_root=$(unix 'C:\')

lesson_names=(yinbiao1.swf yinbiao7.swf yinbiao16.swf)
leave_everything_clean() {
    rm -rf "$install" "$menu" "$desktop" "$settings"
    for place in "${lesson_places[@]}"; do
        for n in $(seq 1 17); do rm -f "$place/yinbiao$n.swf"; done
    done
    rmdir "$local_app/VirtualStore/Windows/System32" "$local_app/VirtualStore/Windows/SysWOW64" \
        "$local_app/VirtualStore/Windows" 2>/dev/null
    kestrelle_wine reg delete "$key" /f >/dev/null 2>&1
    # The virtual store itself is the system's, made at the first redirected write and
    # left by the uninstaller; planting lesson files in a fresh prefix would make it.
    mkdir -p "$local_app/VirtualStore"
}

# Every file and folder of the drive (the temporary folders aside, which other programs
# use) and the machine's and the user's software keys.
# WINE: Wine keeps state of its own under Software\Wine and adds keys there when a
# program first draws in a session (Temporary System Parameters); that part is left out.
snapshot() {
    (cd "$prefix_root" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune -o \
        -printf '%p %y %s\n' | sed 's/ d [0-9]*$/ d/' | sort) >"$1"
    local hive
    for hive in HKLM HKCU; do
        kestrelle_wine reg export "$hive\\Software" "$work/export.reg" /y >/dev/null 2>&1 ||
            fail "cannot export $hive\\Software"
        iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r' |
            awk '/^\[/ { wine = ($0 ~ /^\[HKEY_[A-Z_]+\\Software\\Wine(\\|\])/) } !wine' >>"$1"
    done
}

# Value of one entry of the uninstall key, as `reg query` prints it.
value_of() {
    kestrelle_wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'
}
expect_value() {
    local got
    got=$(value_of "$1")
    [ "$got" = "$2" ] || fail "$key $1 is \"$got\", not \"$2\""
}

# A shell link holds its target's path in the system's code page, in UTF-16 or both.
points_at_program() {
    [ -f "$1" ] && { strings -a "$1"; strings -a -e l "$1"; } | grep -iF "$install_win\\kestrelle.exe" >/dev/null
}

expect_installed() {
    local file
    for file in kestrelle.exe kestrelle.skin dark.skin contrast.skin; do
        cmp -s "$install/$file" "$payload/$file" || fail "$file is not installed as packed"
    done
    [ -f "$install/uninstall.exe" ] || fail "no uninstaller in $install"
    [ -f "$menu/Kestrelle.lnk" ] || fail "no Start-menu shortcut to the program"
    ls "$menu" | grep -E '^(Uninstall Kestrelle|卸载 Kestrelle)\.lnk$' >/dev/null || fail "no Start-menu shortcut to the uninstaller"
    points_at_program "$menu/Kestrelle.lnk" || fail "the Start-menu shortcut does not name the installed program"

    expect_value DisplayName Kestrelle
    expect_value DisplayVersion "$version"
    expect_value Publisher "Kestrelle Project"
    expect_value DisplayIcon "$install_win\\kestrelle.exe,0"
    expect_value UninstallString "\"$install_win\\uninstall.exe\""
    expect_value QuietUninstallString "\"$install_win\\uninstall.exe\" /S"
    expect_value InstallLocation "$install_win"
    expect_value NoModify 0x1
    expect_value NoRepair 0x1
    local size minimum
    size=$(value_of EstimatedSize)
    minimum=$(($(du -k -c "$install"/* | tail -1 | cut -f1) / 2))
    [[ "$size" == 0x* ]] && [ $((size)) -ge "$minimum" ] || fail "EstimatedSize is \"$size\", the files take ${minimum}x2 KB"
}

# What a program that ran and crashed leaves behind, and one file not the program's.
plant_leftovers() {
    local place name
    for place in "${lesson_places[@]}"; do
        mkdir -p "$place"
        for name in "${lesson_names[@]}"; do printf 'FWS' >"$place/$name"; done
    done
    printf 'not a lesson' >"${lesson_places[0]}/yinbiao17.swf"
    mkdir -p "$settings"
    printf '[Skin]\r\nFile=dark.skin\r\n' >"$settings/Kestrelle.ini"
}

expect_removed() {
    local place name
    [ ! -e "$install" ] || fail "$install is left: $(ls -A "$install")"
    [ ! -e "$menu" ] || fail "the Start-menu folder is left: $(ls -A "$menu")"
    [ ! -e "$desktop" ] || fail "the desktop shortcut is left"
    [ ! -e "$settings" ] || fail "the remembered skin $settings is left"
    for place in "${lesson_places[@]}"; do
        for name in "${lesson_names[@]}"; do [ ! -e "$place/$name" ] || fail "lesson file $place/$name is left"; done
    done
    [ -f "${lesson_places[0]}/yinbiao17.swf" ] || fail "the uninstaller removed yinbiao17.swf, which is not a lesson file"
    rm -f "${lesson_places[0]}/yinbiao17.swf"
    kestrelle_wine reg query "$key" >/dev/null 2>&1 && fail "$key is left"
    return 0
}

# The uninstaller copies itself to the temporary folder and returns at once unless
# _?= names the folder; run from a copy it removes the installed one too. _?= must stand
# unquoted at the end of the command line, which cmd passes on as written (and waits).
uninstall() {
    cp "$install/uninstall.exe" "$work/uninstall.exe" || fail "cannot copy the uninstaller"
    local copy
    copy=$(kestrelle_wine winepath -w "$work/uninstall.exe" | tr -d '\r')
    kestrelle_wine cmd /c "$copy /S _?=$install_win" || fail "the uninstaller ended with code $?"
}

round() {
    local desktop_switch=$1
    snapshot "$work/before"
    # shellcheck disable=SC2086
    kestrelle_wine "$setup" /S $desktop_switch || fail "setup $desktop_switch ended with code $?"
    expect_installed
    if [ -n "$desktop_switch" ]; then
        points_at_program "$desktop" || fail "no desktop shortcut to the program after /DESKTOP"
    else
        [ ! -e "$desktop" ] || fail "a desktop shortcut was made without /DESKTOP"
    fi
    plant_leftovers
    uninstall
    expect_removed
    snapshot "$work/after"
    diff "$work/before" "$work/after" >"$work/changes" ||
        fail "the round trip changed the prefix:
$(head -40 "$work/changes")"
    echo "installer: setup /S ${desktop_switch:-(no /DESKTOP)}, uninstall /S: round trip clean"
}

leave_everything_clean
round /DESKTOP
round ""
