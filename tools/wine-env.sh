# Sourced, not run: gives this shell a private Xvfb display and Wine prefix.
#   source tools/wine-env.sh NAME [LANES]
#                                   -> DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES exported
#   wine_env_stop [remove]          -> ends the Xvfb and wineservers this file started
#                                      (and removes its prefixes with "remove")
# NAME keeps parallel users apart (each gets /tmp/ferrow-wine-NAME and its own display).
# With LANES > 1 there are as many displays and prefixes, made side by side:
# lane 0 is the one exported, and FERROW_WINE_LANE_<i> holds "DISPLAY WINEPREFIX"
# of lane i for tools/wine-lane.sh, which gives each ctest test the lane that
# ctest allotted it (ctest's resource allocation, with a "wine" resource).

wine_env_name=${1:-default}
wine_env_lanes=${2:-1}
export WINEPREFIX=${FERROW_WINEPREFIX:-/tmp/ferrow-wine-$wine_env_name}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine_env_started_pids=""
wine_env_prefixes=""

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

# Wine names Unix files through the locale: in the C locale (a bare machine,
# a container) it cannot make or open names outside ASCII.
case "$(locale charmap 2>/dev/null)" in
    UTF-8) ;;
    *) export LC_ALL=C.UTF-8 ;;
esac

if [ -z "${FERROW_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    wine_env_start_display || return 1
fi
wine_env_prefixes=$WINEPREFIX
if [ "$wine_env_lanes" -le 1 ]; then
    wine_env_start_prefix
else
    # The lanes' prefixes are made side by side, lane 0's among them.
    wine_env_lane0="$DISPLAY $WINEPREFIX"
    export FERROW_WINE_LANE_0=$wine_env_lane0
    wine_env_start_prefix &
    wine_env_boots=$!
    for wine_env_lane in $(seq 1 $((wine_env_lanes - 1))); do
        wine_env_start_display || return 1
        WINEPREFIX=${wine_env_lane0#* }-lane$wine_env_lane
        wine_env_prefixes="$wine_env_prefixes $WINEPREFIX"
        export "FERROW_WINE_LANE_$wine_env_lane=$DISPLAY $WINEPREFIX"
        wine_env_start_prefix &
        wine_env_boots="$wine_env_boots $!"
    done
    wait $wine_env_boots
    DISPLAY=${wine_env_lane0%% *}
    WINEPREFIX=${wine_env_lane0#* }
    unset wine_env_lane wine_env_lane0 wine_env_boots
fi
