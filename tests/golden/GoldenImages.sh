#!/usr/bin/env bash
# Takes every golden picture again on the test run's display and compares it with the
# stored golden image. The two builds draw nearly the same pictures, so where the host
# runs 32-bit programs they are compared under the 32-bit build only and the 64-bit run
# is skipped (exit code 77). tests/golden/made-by names the build that made the images.
#   GoldenImages.sh <32|64> <bin folder> <gallery_probe.exe> <kestrelle_probe.exe>
#                   <golden folder> <work folder>
set -uo pipefail
bits=$1 bin=$2 galleryProbe=$3 mainProbe=$4 golden=$5 work=$6
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../../scripts/env.sh"
kestrelle_choose_bits || exit 2
if [ "$bits" = 64 ] && [ "$KESTRELLE_BITS" != 64 ]; then
    echo "golden images: compared under the 32-bit build, which this host runs ($KESTRELLE_BITS_WHY); skipped here"
    exit 77
fi
# Four runs of the 32-bit build came out identical to the pixel, and the gallery's
# pages came out identical from both builds; the allowance of 8 pixels is for a stray
# smoothed pixel of text. The 64-bit build's movie player rounds some edges of the
# movies' shapes otherwise (up to 127 pixels of a lesson picture, at most 64 apart in a
# channel), so a build other than the one the images were made by may differ in 256.
madeBy=$(cat "$golden/made-by" 2>/dev/null || echo 32)
pixels=8
[ "$bits" = "$madeBy" ] || pixels=256
"$here/Capture.sh" "$bits" "$bin" "$galleryProbe" "$mainProbe" "$work/actual" || exit 1
rm -rf "$work/diff"
python3 "$here/CompareImages.py" "$golden" "$work/actual" "$work/diff" --channel 16 --pixels "$pixels"
