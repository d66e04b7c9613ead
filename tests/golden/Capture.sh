#!/usr/bin/env bash
# Takes the pictures the golden images are made of, on the current display and Wine
# prefix: every gallery page under each shipped skin, and the main window idle, after
# a press on a lesson button of each kind, and with its About box, under each skin.
# Each picture is taken once the screen has settled (alike for a second and a half), with
# the pointer parked where it hot-tracks nothing. Regions that show the running date
# and clock are written to masks.txt as "picture left top right bottom".
#   Capture.sh <32|64> <bin folder> <gallery_probe.exe> <kestrelle_probe.exe> <out folder>
set -uo pipefail
bits=$1 bin=$2 galleryProbe=$3 mainProbe=$4 out=$5
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
kestrelle_use_wine "$bits" || exit 2

skins=(kestrelle dark contrast)
pages=(windows controls scrolling tabs media menus)
# The main window's lesson kinds: picture name, lesson button (Panel1's client
# coordinates of its middle) and the status text the press shows.
lessons=(
    "alphabet 112 24 当前项目：---《国际音标》"
    "rules 112 65 当前项目：---《发音规则》"
    "stress 112 106 当前项目：---《重音规则》"
    "vowels 112 157 当前项目：---《元音发音》"
    "consonants 112 373 当前项目：---《辅音发音》"
)
aboutButton="112 664"
# The status bar's panels for the lesson and the greeting; the date, weekday and clock follow.
statusFixedWidth=750

fail() { echo "FAIL: $*"; exit 1; }
program=
stop() {
    kestrelle_close_program "$galleryProbe" "$program"
    program=
}

settingsFile=
settingsBackup=
restoreSettings() {
    [ -n "$settingsFile" ] || return 0
    if [ -n "$settingsBackup" ]; then mv -f "$settingsBackup" "$settingsFile"; else rm -f "$settingsFile"; fi
}
trap 'stop; restoreSettings' EXIT

for skin in "${skins[@]}"; do
    [ -f "$bin/$skin.skin" ] || fail "$skin.skin is not beside the program in $bin"
done
mkdir -p "$out"
rm -f "$out"/*.png "$out/masks.txt" "$out/programs.log"
: >"$out/masks.txt"

# Nothing under the pointer hot-tracks: the bottom right pixel of the screen is
# outside the gallery and on the main window's masked clock panel.
parkPointer() {
    local width height
    read -r width height < <(xdotool getdisplaygeometry)
    xdotool mousemove $((width - 1)) $((height - 1))
}

# The screen as raw pixels with the masks painted over, for telling whether it moved.
screenSignature() {
    local draw=() rect l t r b
    for rect in "$@"; do
        read -r l t r b <<<"$rect"
        draw+=(-draw "rectangle $l,$t,$((r - 1)),$((b - 1))")
    done
    import -window root -depth 8 rgb:- 2>/dev/null | { if [ ${#draw[@]} -gt 0 ]; then
        convert -size "$(xdotool getdisplaygeometry | tr ' ' x)" -depth 8 rgb:- -fill black "${draw[@]}" rgb:-
    else cat; fi; } | md5sum
}

# Waits until the screen has stayed alike outside the masks for a second and a half
# (movies hold a frame for a moment while they run, more so on a busy machine), up
# to thirty seconds, then saves the screen cropped to the rectangle that the command
# $2 prints then, "left top right bottom", as the picture.
settleAndSave() {
    local name=$1 cropCommand=$2
    shift 2
    local previous="" current="" alike=0 crop l t r b
    for _ in $(seq 1 60); do
        sleep 0.5
        current=$(screenSignature "$@")
        if [ "$current" = "$previous" ]; then alike=$((alike + 1)); else alike=0; fi
        [ "$alike" -ge 3 ] && break
        previous=$current
    done
    [ "$alike" -ge 3 ] || fail "$name: the screen never settled"
    crop=$($cropCommand) || fail "$name: cannot find the window's rectangle"
    read -r l t r b <<<"$crop"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage -strip "$out/$name.png" ||
        fail "$name: cannot take the screenshot"
}

wholeScreen() { echo "0 0 $(xdotool getdisplaygeometry)"; }
galleryRect() { kestrelle_wine "$galleryProbe" rects TGalleryForm | tr -d '\r' | grep . | head -n 1; }

captureGallery() {
    local skin=$1 page=$2 shown=""
    "$WINELOADER" "$bin/gallery.exe" --page "$page" --skin "$bin/$skin.skin" >>"$out/programs.log" 2>&1 &
    program=$!
    for _ in $(seq 1 100); do
        kestrelle_wine "$galleryProbe" windows | grep -q $'^skinned\tTGalleryForm\t' && shown=yes && break
        sleep 0.1
    done
    [ -n "$shown" ] || fail "gallery-$page-$skin: the gallery did not show skinned"
    parkPointer
    settleAndSave "gallery-$page-$skin" galleryRect
    stop
}

# The program reads its skin from the user's settings file at start.
writeSettings() {
    if [ -z "$settingsFile" ]; then
        local appData
        appData=$(kestrelle_wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
        settingsFile="$(kestrelle_wine winepath -u "$appData" 2>/dev/null | tr -d '\r')/Kestrelle/Kestrelle.ini"
        [ "$settingsFile" != "/Kestrelle/Kestrelle.ini" ] || fail "cannot find the prefix's application-data folder"
        mkdir -p "$(dirname "$settingsFile")"
        if [ -f "$settingsFile" ]; then
            settingsBackup=$(mktemp)
            cp -p "$settingsFile" "$settingsBackup"
        fi
    fi
    printf '[Skin]\r\nFile=%s\r\n' "$1" >"$settingsFile"
}

press() {
    local at
    at=$(kestrelle_wine "$mainProbe" point "$1" "$2") || fail "cannot find the button column"
    # shellcheck disable=SC2086
    xdotool mousemove $at sleep 0.1 click 1
}

expectStatus() {
    local text=""
    for _ in $(seq 1 100); do
        text=$(kestrelle_wine "$mainProbe" status)
        [ "$text" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: the status shows \"$text\", not \"$1\""
}

captureMain() {
    local skin=$1 bar mask name x y status
    writeSettings "$skin.skin"
    "$WINELOADER" "$bin/kestrelle.exe" >>"$out/programs.log" 2>&1 &
    program=$!
    kestrelle_wine "$mainProbe" wait || fail "main-idle-$skin: the main window did not show"
    expectStatus "当前项目：无" "main-idle-$skin"
    bar=$(kestrelle_wine "$galleryProbe" rects TStatusBar | head -n 1 | tr -d '\r')
    [ -n "$bar" ] || fail "main-idle-$skin: no status bar"
    read -r l t r b <<<"$bar"
    mask="$((l + statusFixedWidth)) $t $r $b"
    parkPointer
    settleAndSave "main-idle-$skin" wholeScreen "$mask"
    echo "main-idle-$skin $mask" >>"$out/masks.txt"
    for lesson in "${lessons[@]}"; do
        read -r name x y status <<<"$lesson"
        press "$x" "$y"
        expectStatus "$status" "main-$name-$skin"
        parkPointer
        settleAndSave "main-$name-$skin" wholeScreen "$mask"
        echo "main-$name-$skin $mask" >>"$out/masks.txt"
    done
    # shellcheck disable=SC2086
    press $aboutButton
    for _ in $(seq 1 100); do
        kestrelle_wine "$galleryProbe" windows | grep -q $'\t#32770\t' && break
        sleep 0.1
    done
    kestrelle_wine "$galleryProbe" windows | grep -q $'\t#32770\t' || fail "main-about-$skin: no About box"
    parkPointer
    settleAndSave "main-about-$skin" wholeScreen "$mask"
    echo "main-about-$skin $mask" >>"$out/masks.txt"
    stop
}

for skin in "${skins[@]}"; do
    for page in "${pages[@]}"; do captureGallery "$skin" "$page"; done
    captureMain "$skin"
done
echo "capture: $(ls "$out"/*.png | wc -l) pictures in $out"
