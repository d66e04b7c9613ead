#!/usr/bin/env bash
# The golden-image comparison on made-up pictures: alike ones pass, differences within
# the tolerance or under a mask pass, and more differing pixels or another size fail
# with the count, the bounding box, the colours and a diff picture.
set -uo pipefail
compare="$(dirname "${BASH_SOURCE[0]}")/CompareImages.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$work/golden" "$work/actual"

picture() { convert -size 40x30 xc:'#808080' "${@:2}" "$1"; }
run() { python3 "$compare" "$work/golden" "$work/actual" "$work/diff" "$@" >"$work/out" 2>&1; }

picture "$work/golden/a.png"
picture "$work/actual/a.png"
run || fail "alike pictures: $(cat "$work/out")"

# Three pixels, four apart in every channel: within a tolerance of 4, outside one of 3
# unless three pixels may differ.
picture "$work/actual/a.png" -fill '#848484' -draw 'point 5,6' -draw 'point 7,6' -draw 'point 9,8'
run --channel 4 || fail "within the channel tolerance: $(cat "$work/out")"
run --channel 3 --pixels 3 || fail "within the pixel allowance: $(cat "$work/out")"
run --channel 3 --pixels 2 && fail "three differing pixels passed an allowance of two"
grep -q "^FAIL a.png: 3 pixels differ by more than 3 in a channel (at most 2 may), within x 5..9, y 6..8$" "$work/out" ||
    fail "the failure does not say how many and where: $(cat "$work/out")"
grep -q "at 5,6: expected #808080, actual #848484" "$work/out" || fail "no example colours: $(cat "$work/out")"
[ "$(convert "$work/diff/a-diff.png" -format '%[pixel:p{7,6}]' info:)" = "srgb(255,0,0)" ] ||
    fail "the diff picture does not show a differing pixel in red"

# A masked region is not compared; the mask may come from either side.
printf 'a 4 5 10 9\n' >"$work/actual/masks.txt"
run || fail "a difference under the mask: $(cat "$work/out")"
rm "$work/actual/masks.txt"

convert -size 41x30 xc:'#808080' "$work/actual/a.png"
run && fail "pictures of different sizes passed"
grep -q "the picture is 41x30, the golden image 40x30" "$work/out" || fail "no size in: $(cat "$work/out")"

picture "$work/actual/a.png"
picture "$work/actual/b.png"
run && fail "a picture without a golden image passed"
grep -q "^FAIL b.png: no golden image" "$work/out" || fail "the missing golden image is not named: $(cat "$work/out")"
mv "$work/actual/b.png" "$work/golden/b.png"
run && fail "a golden image without a picture passed"
grep -q "^FAIL b.png: no picture was taken" "$work/out" || fail "the missing picture is not named: $(cat "$work/out")"
echo "golden compare: tolerances, masks, sizes and missing pictures judged as they should be"
