#!/usr/bin/env bash
# Starts kestrelle.exe on the test run's display and wineserver, presses two lesson
# buttons with real clicks, finds both movies in the prefix's system directory
# byte-equal to their resources, reads the status text back, closes the window and
# finds every lesson file gone.
#   EndToEnd.sh <32|64> <kestrelle.exe> <probe.exe> <assets/lessons folder>
set -uo pipefail
bits=$1 exe=$2 probe=$3 lessons=$4
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
kestrelle_use_wine "$bits" || exit 2
system="$WINEPREFIX/drive_c/windows/system32"

fail() { echo "FAIL: $*"; exit 1; }
for n in $(seq 1 16); do rm -f "$system/yinbiao$n.swf"; done

# The loader itself, not a shell function around it: the pid must be the program's.
"$WINELOADER" "$exe" &
program=$!
trap 'kill "$program" 2>/dev/null; wait "$program" 2>/dev/null' EXIT
kestrelle_wine "$probe" wait || fail "the main window did not show"

# Clicks the middle of a button of the column (Panel1's client coordinates).
press() {
    local at
    at=$(kestrelle_wine "$probe" point "$1" "$2") || fail "cannot find the button column"
    # No --sync: it waits for the pointer to move, and the pointer may already be there.
    # shellcheck disable=SC2086
    xdotool mousemove $at sleep 0.1 click 1
}

# Waits for a file and for the status text, up to ten seconds.
expect_lesson() {
    local file=$1 status=$2 text=""
    for _ in $(seq 1 100); do
        text=$(kestrelle_wine "$probe" status)
        [ -f "$system/$file" ] && [ "$text" = "$status" ] && return 0
        sleep 0.1
    done
    fail "after the press: file $file $( [ -f "$system/$file" ] && echo present || echo missing ), status \"$text\""
}

# The window may show a moment before its status bar has its texts.
text=""
for _ in $(seq 1 100); do
    text=$(kestrelle_wine "$probe" status)
    [ "$text" = "当前项目：无" ] && break
    sleep 0.1
done
[ "$text" = "当前项目：无" ] || fail "status at start: \"$text\""

press 112 24    # SpeedButton1: the alphabet, resource A
expect_lesson yinbiao1.swf "当前项目：---《国际音标》"
press 112 106   # SpeedButton28, third in the column: stress rules, resource P
expect_lesson yinbiao16.swf "当前项目：---《重音规则》"

cmp "$system/yinbiao1.swf" "$lessons/A.swf" || fail "yinbiao1.swf differs from resource A"
cmp "$system/yinbiao16.swf" "$lessons/P.swf" || fail "yinbiao16.swf differs from resource P"

kestrelle_wine "$probe" close || fail "cannot ask the window to close"
for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "the program did not end after closing its window"
wait "$program" || fail "the program ended with code $?"
trap - EXIT

left=$(ls "$system" | grep -E '^yinbiao([1-9]|1[0-6])\.swf$' || true)
[ -z "$left" ] || fail "lesson files left after closing: $left"
echo "end to end: both lessons played, every lesson file removed at close"
