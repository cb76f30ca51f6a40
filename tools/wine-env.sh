# Sourced, not run: gives this shell a private Xvfb display and Wine prefix.
#   source tools/wine-env.sh NAME   -> DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES exported
#   wine_env_stop                   -> ends the Xvfb and wineserver this file started
# NAME keeps parallel users apart (each gets /tmp/ferrow-wine-NAME and its own display).

wine_env_name=${1:-default}
export WINEPREFIX=${FERROW_WINEPREFIX:-/tmp/ferrow-wine-$wine_env_name}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_env_started_pids=""

wine_env_start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        local pid=$!
        local i
        for i in $(seq 1 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            kill -0 $pid 2>/dev/null || break
            sleep 0.1
        done
        if [ -e /tmp/.X11-unix/X$n ] && kill -0 $pid 2>/dev/null; then
            export DISPLAY=:$n
            wine_env_xvfb_pid=$pid
            wine_env_started_pids="$wine_env_started_pids $pid"
            return 0
        fi
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

wine_env_stop() {
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1
    local pid
    for pid in $wine_env_started_pids; do
        kill "$pid" 2>/dev/null
    done
    for pid in $wine_env_started_pids; do
        wait "$pid" 2>/dev/null
    done
    wine_env_started_pids=""
}

if [ -z "${FERROW_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    wine_env_start_display || return 1
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # There is no window manager on the Xvfb display: Wine draws the captions
    # itself, and does not wait for a manager when a window goes away.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi
# A persistent server makes each later Wine process start fast.
wineserver -p >/dev/null 2>&1
# Start Wine's own services now, detached from any caller's pipes: a service
# started by a test would hold the test runner's output pipe open.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
