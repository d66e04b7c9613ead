# Sourced by the other scripts: where things live, which Windows architectures this
# host can run, and how Wine is run for each.
# shellcheck shell=bash
KESTRELLE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEDEBUG=-all
# No Mono or Gecko install prompts, no desktop menu entries for the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Answers 0 when this host runs 32-bit x86 programs. Some kernels have 32-bit
# emulation switched off, where every i386 program (Wine's 32-bit loader and
# wineserver32 included) fails with "Exec format error"; the machine's architecture
# name does not tell, so a 96-byte i386 Linux program that only exits with 42 is run.
# Sets KESTRELLE_PROBE_32BIT to what the probe saw.
kestrelle_probe_32bit() {
    local probe="$KESTRELLE_ROOT/build/.probe32.$$"
    mkdir -p "$KESTRELLE_ROOT/build"
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\52\0\0\0\315\200' >"$probe"
    chmod +x "$probe"
    local output status
    output=$("$probe" 2>&1)
    status=$?
    rm -f "$probe"
    KESTRELLE_PROBE_32BIT="exit code $status"
    [ -n "$output" ] && KESTRELLE_PROBE_32BIT="${output##*: }, $KESTRELLE_PROBE_32BIT"
    [ "$KESTRELLE_PROBE_32BIT" = "exit code 42" ]
}

# Decides which Windows architectures to build for running here: KESTRELLE_BITS is
# "32 64" where 32-bit programs run and "64" where they do not; KESTRELLE_BITS_WHY
# says why. KESTRELLE_32BIT=yes or =no forces the choice without the probe.
kestrelle_choose_bits() {
    case "${KESTRELLE_32BIT:-}" in
    yes) KESTRELLE_BITS="32 64" KESTRELLE_BITS_WHY="KESTRELLE_32BIT=yes says this host runs 32-bit programs" ;;
    no) KESTRELLE_BITS="64" KESTRELLE_BITS_WHY="KESTRELLE_32BIT=no says this host cannot run 32-bit programs" ;;
    "")
        if kestrelle_probe_32bit; then
            KESTRELLE_BITS="32 64" KESTRELLE_BITS_WHY="this host runs 32-bit programs"
        else
            KESTRELLE_BITS="64"
            KESTRELLE_BITS_WHY="this host cannot run 32-bit programs (a 32-bit probe gave: $KESTRELLE_PROBE_32BIT)"
        fi
        ;;
    *)
        echo "KESTRELLE_32BIT must be yes, no or unset, not \"$KESTRELLE_32BIT\"" >&2
        return 2
        ;;
    esac
}

# Points Wine at the prefix and loader of one architecture (32 or 64). Each has its
# own prefix in the build tree, never ~/.wine. The loader is named explicitly:
# Debian's `wine` wrapper takes the 32-bit loader whenever it is installed.
kestrelle_use_wine() {
    case "$1" in
    32)
        export WINEPREFIX="${KESTRELLE_WINEPREFIX:-$KESTRELLE_ROOT/build/wineprefix}"
        export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
        ;;
    64)
        export WINEPREFIX="${KESTRELLE_WINEPREFIX64:-$KESTRELLE_ROOT/build/wineprefix64}"
        export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
        ;;
    *)
        echo "kestrelle_use_wine: 32 or 64, not \"$1\"" >&2
        return 2
        ;;
    esac
    KESTRELLE_WINE_BITS=$1
}

# Runs a Windows program with the loader chosen by kestrelle_use_wine.
kestrelle_wine() { "$WINELOADER" "$@"; }

# Asks a gallery or main window started in the background (process `pid`) to close
# through `probe close`, and ends it when it has not gone within five seconds.
kestrelle_close_program() {
    local probe=$1 pid=$2
    [ -n "$pid" ] || return 0
    kestrelle_wine "$probe" close
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

# Runs a command with its output merged and shown, and runs it once more when it failed
# and the X library aborted it: "X Error of failed request". WINE: Wine's X11 driver ends
# a program that way (BadWindow on X_UnmapWindow) when the prefix's desktop lives on
# another display, which kestrelle_start_wineserver now prevents; the rerun stays for
# what else may cause it, which is no fault of the program's. Any other failure stands.
kestrelle_run_once_more_after_x_abort() {
    local log status attempt
    log=$(mktemp)
    for attempt in 1 2; do
        # A file, not a pipe: a process the program starts may keep its output open after
        # it ends (see kestrelle_start_wineserver), and a pipe's reader would wait for it.
        status=0
        "$@" >"$log" 2>&1 </dev/null || status=$?
        cat "$log"
        if [ "$status" -eq 0 ] || [ "$attempt" = 2 ] || ! grep -q '^X Error of failed request' "$log"; then
            break
        fi
        echo "wine-exec: the X library aborted the program (above); running it once more."
    done
    rm -f "$log"
    return "$status"
}

# Starts a private Xvfb on a free display number and exports DISPLAY.
kestrelle_start_display() {
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${KESTRELLE_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KESTRELLE_XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}

kestrelle_stop_display() {
    if [ -n "${KESTRELLE_XVFB_PID:-}" ]; then
        kill "$KESTRELLE_XVFB_PID" 2>/dev/null || true
        wait "$KESTRELLE_XVFB_PID" 2>/dev/null || true
        KESTRELLE_XVFB_PID=
    fi
}

# One persistent wineserver per prefix for a whole run, so that each program starts in
# well under a second. Arguments: the architectures whose prefixes are used.
# WINE: a server of the prefix already running (a program started earlier from another
# display: scripts/run, a look at the gallery) keeps its desktop on that display, and
# every program of this run on this display is then ended by the X library ("BadWindow",
# X_UnmapWindow). So that server is ended first, with whatever still runs in the prefix.
# WINE: the desktop process (explorer.exe /desktop) is started by the first program that
# needs the desktop window and inherits that program's standard error for as long as the
# server lives; when that was a pipe (ctest's, or wine-exec's), whoever reads the pipe
# waits for its end and the test hangs to its time limit after passing. So the desktop is
# started here, by a call that needs it, with nothing inherited.
kestrelle_start_wineserver() {
    local bits
    for bits in "$@"; do
        (kestrelle_use_wine "$bits" && { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; } &&
            wineserver -p && kestrelle_wine wineboot >/dev/null 2>&1 &&
            kestrelle_wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1) || true
    done
}
kestrelle_stop_wineserver() {
    local bits
    for bits in "$@"; do
        (kestrelle_use_wine "$bits" && { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }) || true
    done
}
