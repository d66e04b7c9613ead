#!/usr/bin/env bash
# Which Windows architectures the scripts build and test for: the 32-bit probe, its
# agreement with the 32-bit Wine loader, and KESTRELLE_32BIT forcing the choice
# either way.
#   HostChoiceTest.sh <Without32Bit program>
set -uo pipefail
without32=$1
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# choice [KESTRELLE_32BIT value] -> "bits|why", from a fresh shell
choice() { KESTRELLE_32BIT="${1:-}" bash -c 'source "$0/scripts/env.sh" && kestrelle_choose_bits && echo "$KESTRELLE_BITS|$KESTRELLE_BITS_WHY"' "$root"; }
without32_choice() { "$without32" env KESTRELLE_32BIT="${1:-}" bash -c 'source "$0/scripts/env.sh" && kestrelle_choose_bits && echo "$KESTRELLE_BITS|$KESTRELLE_BITS_WHY"' "$root"; }

# A kernel that refuses 32-bit programs: the probe notices and only 64-bit is chosen.
got=$(without32_choice)
[ "${got%%|*}" = "64" ] || fail "without 32-bit programs the choice is \"$got\", not 64"
[[ "$got" == *"cannot run 32-bit programs (a 32-bit probe gave: "* ]] || fail "the reason does not say what the probe saw: \"$got\""

# Here the probe agrees with the 32-bit Wine loader, where that is installed.
got=$(choice)
if [ -x /usr/lib/wine/wine ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then expected="32 64"; else expected="64"; fi
    [ "${got%%|*}" = "$expected" ] || fail "the probe chose \"$got\" but the 32-bit Wine loader says \"$expected\""
fi

# Forced either way, whatever the host can do.
got=$(without32_choice yes)
[ "$got" = "32 64|KESTRELLE_32BIT=yes says this host runs 32-bit programs" ] || fail "KESTRELLE_32BIT=yes gave \"$got\""
got=$(choice no)
[ "$got" = "64|KESTRELLE_32BIT=no says this host cannot run 32-bit programs" ] || fail "KESTRELLE_32BIT=no gave \"$got\""
if error=$(choice maybe 2>&1); then
    fail "KESTRELLE_32BIT=maybe was taken: \"$error\""
else
    [[ "$error" == *'KESTRELLE_32BIT must be yes, no or unset, not "maybe"'* ]] || fail "a wrong value says \"$error\""
fi

# The loader of each architecture is named, never left to Debian's wrapper.
for bits in 32 64; do
    got=$(bash -c 'source "$0/scripts/env.sh" && kestrelle_use_wine "$1" && echo "$WINEARCH $WINELOADER ${WINEPREFIX#"$0"/}"' "$root" "$bits")
    case $bits in
    32) [ "$got" = "win32 /usr/lib/wine/wine build/wineprefix" ] || fail "32-bit Wine: \"$got\"" ;;
    64) [ "$got" = "win64 /usr/lib/wine/wine64 build/wineprefix64" ] || fail "64-bit Wine: \"$got\"" ;;
    esac
done

# A Windows test that the X library aborted runs once more; any other failure stands.
runs() {  # prints how often the command ran, then its exit code
    local count
    count=$(mktemp)
    bash -c 'source "$0/scripts/env.sh"; kestrelle_run_once_more_after_x_abort bash -c "echo run >>$1; $2" >/dev/null; echo "rc $?"' \
        "$root" "$count" "$1" >"$count.rc"
    echo "$(wc -l <"$count") $(cat "$count.rc")"
    rm -f "$count" "$count.rc"
}
got=$(runs 'echo "X Error of failed request:  BadWindow" >&2; exit 1')
[ "$got" = "2 rc 1" ] || fail "an X abort each time: \"$got\""
got=$(runs 'exit 3')
[ "$got" = "1 rc 3" ] || fail "a plain failure: \"$got\""
got=$(runs 'echo "X Error of failed request: x"; exit 0')
[ "$got" = "1 rc 0" ] || fail "a success that printed an X error: \"$got\""

[ "$failures" -eq 0 ] || exit 1
echo "host choice: probe, loader agreement, both forced choices and the rerun after an X abort hold"
