#!/usr/bin/env bash
# Starts the gallery on the test run's display, opens every window kind of its first
# page and finds each skinned: the forms all at once, each message box and the system
# dialog on its own.
#   GalleryTest.sh <32|64> <gallery.exe> <gallery_probe.exe>
set -uo pipefail
bits=$1 gallery=$2 probe=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
kestrelle_use_wine "$bits" || exit 2

fail() { echo "FAIL: $*"; exit 1; }
program=
stop() {
    kestrelle_close_program "$probe" "$program"
    program=
}
trap stop EXIT

# Waits until the probe lists every expected window, skinned; up to ten seconds.
expect_skinned() {
    local listing="" missing
    for _ in $(seq 1 100); do
        listing=$(kestrelle_wine "$probe" windows)
        missing=0
        for caption in "$@"; do
            grep -qxF "$caption" <(printf '%s\n' "$listing" | awk -F'\t' '$1 == "skinned" { print $3 }') || missing=1
        done
        [ "$missing" = 0 ] && return 0
        sleep 0.1
    done
    fail "not every window is skinned; the windows were:
$listing"
}

open() {
    "$WINELOADER" "$gallery" "$@" &
    program=$!
}

open --open all
expect_skinned "Kestrelle gallery" "A sizeable form" "A dialog-style form" "A tool window" \
    "A window without caption buttons" "从右到左 — right to left"
stop

# The MDI window: the frame and its three children, each skinned.
open --open mdi
expect_skinned "Kestrelle gallery" "An MDI window" "子窗口 Child 1" "子窗口 Child 2" "子窗口 Child 3"
stop

for kind in information:Information warning:Warning error:Error question:Question "system:A system dialog" \
    "fileopen:Open a lesson file"; do
    open --open "${kind%%:*}"
    expect_skinned "Kestrelle gallery" "${kind#*:}"
    stop
done
# The other skins beside the program load in place of the program's own; a skin that
# failed to load would leave the gallery unskinned behind a message box.
for skin in dark contrast; do
    open --skin "$(dirname "$gallery")/$skin.skin" --open sizeable
    expect_skinned "Kestrelle gallery" "A sizeable form"
    stop
done
echo "gallery: every window kind of the first page opened skinned, under each shipped skin"
