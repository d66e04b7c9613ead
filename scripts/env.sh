# Sourced by the other scripts: where things live and how Wine is run.
# shellcheck shell=bash
KESTRELLE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${KESTRELLE_WINEPREFIX:-$KESTRELLE_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko install prompts, no desktop menu entries for the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

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

# One wineserver for a whole run, so that each program starts in well under a second.
kestrelle_start_wineserver() { wineserver -p; wine wineboot >/dev/null 2>&1 || true; }
kestrelle_stop_wineserver() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
