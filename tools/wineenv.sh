# Sourced by the scripts that run Windows programs under Wine.
# Chooses the Windows tree and Wine for this host, sets up a project-local
# Wine prefix and a private Xvfb display.

JW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JW_BUILD="$JW_ROOT/build"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="

# Some kernels start no 32-bit programs at all; Wine's 32-bit loader is the
# cheapest such program to try. JW_HOST32=0 or 1 overrides the finding.
jw_host_runs_32bit() {
    case "${JW_HOST32:-}" in
        0) return 1 ;;
        1) return 0 ;;
    esac
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The Windows trees this host runs, the shipped 32-bit one first.
jw_host_arches() {
    if jw_host_runs_32bit; then echo "32 64"; else echo "64"; fi
}

# Sets the tree, the Wine loader, the prefix kind and the prefix folder for
# one architecture (32 or 64). Prefixes of the two kinds are kept apart.
jw_use_arch() {
    export JW_ARCH=$1
    if [ "$JW_ARCH" = 64 ]; then
        export WINEARCH=win64
        JW_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
        JW_WINE_DIR="$JW_BUILD/wine64"
    else
        export WINEARCH=win32
        JW_WINE=wine
        JW_WINE_DIR="$JW_BUILD/wine"
    fi
    JW_WIN_TREE="$JW_BUILD/win$JW_ARCH"
    JW_PRISTINE="$JW_WINE_DIR/pristine"
}

# One line for the log when the host cannot run the shipped 32-bit program.
jw_say_arch() {
    if [ "$JW_ARCH" = 64 ] && ! jw_host_runs_32bit; then
        echo "== $1 under 64-bit Wine (this host runs no 32-bit programs)"
    else
        echo "== $1 under $JW_ARCH-bit Wine (build/win$JW_ARCH)"
    fi
}

# An architecture set by a calling script or by ctest holds; otherwise the
# shipped 32-bit one where the host runs it.
if [ -n "${JW_ARCH:-}" ]; then
    jw_use_arch "$JW_ARCH"
else
    jw_use_arch "$(jw_host_arches | cut -d' ' -f1)"
fi
export WINEPREFIX=${WINEPREFIX:-$JW_WINE_DIR/prefix}
JW_XVFB_PID=""

# The screen for a DPI: 1024 by 768 at 96 DPI, and as much more as the
# scale, so that windows have the same room at every DPI.
jw_screen_size() {
    local dpi=${1:-96}
    echo "$((1024 * dpi / 96))x$((768 * dpi / 96))"
}

# Picks a display number nobody uses and starts Xvfb on it, with a screen
# of the given size (1024x768 without one).
jw_start_xvfb() {
    local n size=${1:-1024x768}
    for n in $(seq 90 190); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
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
# Wine links the user's Desktop, Documents and the like to the Unix home
# folder, all to the same one. Programs under test then write into the home
# folder, and what lands in Documents shows on the desktop, whose window
# opens each new file there and so gets in the way of deleting and
# replacing it. Each becomes a folder of the prefix's own.
jw_own_user_folders() {
    local prefix=$1 link
    for link in "$prefix"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
}

jw_ensure_prefix() {
    local prefix=${1:-$WINEPREFIX}
    if [ -f "$prefix/.jotwell-ready-2" ]; then
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
    WINEPREFIX="$prefix" timeout 300 "$JW_WINE" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 120 "$JW_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 120 "$JW_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 60 wineserver -w
    jw_own_user_folders "$prefix"
    touch "$prefix/.jotwell-ready-2"
}

# Sets a prefix's display to a DPI (LogPixels), with a desktop grown in
# proportion. Programs started afterwards see it.
jw_set_dpi() {
    local prefix=$1 dpi=$2
    WINEPREFIX="$prefix" timeout 120 "$JW_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 120 "$JW_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$(jw_screen_size "$dpi")" /f >/dev/null 2>&1
    WINEPREFIX="$prefix" timeout 60 wineserver -w
}

# A fresh prefix for a test that must start from a clean machine.
jw_fresh_prefix() {
    local dest=$1
    rm -rf "$dest"
    jw_ensure_prefix "$dest"
}
