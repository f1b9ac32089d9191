# Sourced by the scripts that run Windows programs under Wine.
# Sets up a project-local Wine prefix and a private Xvfb display.

JW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JW_BUILD="$JW_ROOT/build"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
export WINEPREFIX=${WINEPREFIX:-$JW_BUILD/wine/prefix}
JW_XVFB_PID=""

# Picks a display number nobody uses and starts Xvfb on it.
jw_start_xvfb() {
    local n
    for n in $(seq 90 190); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            JW_XVFB_PID=$!
            local i
            for i in $(seq 1 100); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                kill -0 "$JW_XVFB_PID" 2>/dev/null || break
                sleep 0.1
            done
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            JW_XVFB_PID=""
        fi
    done
    echo "wineenv: could not start Xvfb" >&2
    return 1
}

jw_stop_xvfb() {
    if [ -n "$JW_XVFB_PID" ]; then
        kill "$JW_XVFB_PID" 2>/dev/null
        wait "$JW_XVFB_PID" 2>/dev/null
        JW_XVFB_PID=""
    fi
}

jw_stop_wine() {
    timeout 30 wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
}

# Creates a prefix once: the pristine one with wineboot, every other one as
# a copy of it, which takes a fraction of the time. Every program runs on a
# Wine virtual desktop, which gives windows title bars and a taskbar with a
# notification area.
JW_PRISTINE="$JW_BUILD/wine/pristine"

jw_ensure_prefix() {
    local prefix=${1:-$WINEPREFIX}
    if [ -f "$prefix/.jotwell-ready" ]; then
        return 0
    fi
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    if [ "$prefix" != "$JW_PRISTINE" ]; then
        jw_ensure_prefix "$JW_PRISTINE"
        cp -a "$JW_PRISTINE" "$prefix"
        return 0
    fi
    echo "wineenv: creating Wine prefix in ${prefix#$JW_ROOT/}" >&2
    WINEPREFIX="$prefix" timeout 300 wineboot -i >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 120 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 120 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 60 wineserver -w
    touch "$prefix/.jotwell-ready"
}

# A fresh prefix for a test that must start from a clean machine.
jw_fresh_prefix() {
    local dest=$1
    rm -rf "$dest"
    jw_ensure_prefix "$dest"
}
