# Sourced, not run: gives this shell a private Xvfb display and Wine prefix.
#   source tools/wine-env.sh NAME   -> DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES exported
#   source tools/wine-env.sh --no-start
#                                   -> only the settings and the functions below
#                                      (tools/testbed/wine-lanes.sh makes several)
#   wine_env_stop [remove]          -> ends the Xvfb and wineservers this file started
#                                      (and removes their prefixes with "remove")
# NAME keeps parallel users apart (each gets /tmp/ferrow-wine-NAME and its own
# display). FERROW_WINEPREFIX names another prefix; FERROW_KEEP_DISPLAY=1 keeps
# a DISPLAY that is already set.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_env_started_pids=${wine_env_started_pids:-}
wine_env_prefixes=${wine_env_prefixes:-}

# Wine names Unix files through the locale: in the C locale (a bare machine,
# a container) it cannot make or open names outside ASCII.
case "$(locale charmap 2>/dev/null)" in
    UTF-8) ;;
    *) export LC_ALL=C.UTF-8 ;;
esac

# Starts an Xvfb on the first free display from :90 and exports DISPLAY.
wine_env_start_display() {
    local n pid i
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        for i in $(seq 1 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            kill -0 $pid 2>/dev/null || break
            sleep 0.1
        done
        if [ -e /tmp/.X11-unix/X$n ] && kill -0 $pid 2>/dev/null; then
            export DISPLAY=:$n
            wine_env_started_pids="$wine_env_started_pids $pid"
            return 0
        fi
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# Makes $WINEPREFIX when it is new and leaves a persistent server running in it.
wine_env_start_prefix() {
    local made=""
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        made=1
        wineboot -i >/dev/null 2>&1
        # There is no window manager on the Xvfb display: Wine draws the captions
        # itself, and does not wait for a manager when a window goes away.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        # Names in Chinese, Japanese and Korean: the fonts of the program's
        # windows have no such glyphs, and Wine takes them from the fonts
        # linked to Tahoma (the system font and the dialogs' font follow
        # Tahoma's links); fonts-wqy-microhei has them.
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
        # The server that made the prefix ends with its last process.
        wineserver -w
    fi
    # A persistent server makes each later Wine process start fast (a fifth of
    # a second). A server that Wine starts by itself gets -p0 from Debian's
    # wineserver wrapper and ends with the last Wine process, so that every
    # test would start the server and Wine's services anew (seconds each).
    # Started before the prefix is made, the persistent server leaves each
    # process ten seconds slower instead. When a server is still up (it
    # answers 2), a new prefix's is the one that made it: it ends by itself.
    if ! wineserver -p >/dev/null 2>&1 && [ -n "$made" ]; then
        wineserver -w
        wineserver -p >/dev/null 2>&1
    fi
    # Start Wine's own services now, detached from any caller's pipes: a service
    # started by a test would hold the test runner's output pipe open.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
}

wine_env_stop() {
    local prefix pid
    for prefix in $wine_env_prefixes; do
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    done
    for pid in $wine_env_started_pids; do
        kill "$pid" 2>/dev/null
    done
    for pid in $wine_env_started_pids; do
        wait "$pid" 2>/dev/null
    done
    if [ "${1:-}" = remove ]; then
        for prefix in $wine_env_prefixes; do
            WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1
            rm -rf "$prefix"
        done
    fi
    wine_env_started_pids=""
    wine_env_prefixes=""
}

if [ "${1:---no-start}" != --no-start ]; then
    export WINEPREFIX=${FERROW_WINEPREFIX:-/tmp/ferrow-wine-$1}
    if [ -z "${FERROW_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
        wine_env_start_display || return 1
    fi
    wine_env_prefixes="$wine_env_prefixes $WINEPREFIX"
    wine_env_start_prefix
fi
