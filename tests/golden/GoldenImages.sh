#!/usr/bin/env bash
# Takes every golden picture again on the test run's display and compares it with the
# stored golden image. The pictures are the same from the 32-bit and the 64-bit build,
# so where the host runs 32-bit programs they are compared under the 32-bit build only
# and the 64-bit run is skipped (exit code 77).
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
# Measured over repeated runs, the pictures came out identical; the tolerance leaves
# room for a stray smoothed pixel of text, not for a changed control.
"$here/Capture.sh" "$bits" "$bin" "$galleryProbe" "$mainProbe" "$work/actual" || exit 1
rm -rf "$work/diff"
python3 "$here/CompareImages.py" "$golden" "$work/actual" "$work/diff" --channel 16 --pixels 8
