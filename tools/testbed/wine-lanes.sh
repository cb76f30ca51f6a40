# Sourced by './ferrow.sh test', not run: LANES Wine lanes (a display and a
# prefix each) made side by side, so that ctest runs that many Wine tests at
# once, each in a lane of its own.
#   source tools/testbed/wine-lanes.sh NAME LANES RESOURCE_FILE
# For each lane i (0 .. LANES-1) it exports FERROW_WINE_LANE_<i>_DISPLAY and
# FERROW_WINE_LANE_<i>_PREFIX, which wine-lane.sh reads in each test; the
# shell itself gets lane 0's as DISPLAY and WINEPREFIX. RESOURCE_FILE becomes ctest's
# resource file (--resource-spec-file) listing the lanes as the resource
# "wine". wine_env_stop (tools/wine-env.sh) ends them all.

source "$(dirname "${BASH_SOURCE[0]}")/../wine-env.sh" --no-start

wine_lanes_start() {
    local name=$1 lanes=$2 resources=$3 i boots="" ids=""
    for i in $(seq 0 $((lanes - 1))); do
        wine_env_start_display || return 1
        export WINEPREFIX=/tmp/ferrow-wine-$name-lane$i
        wine_env_prefixes="$wine_env_prefixes $WINEPREFIX"
        export "FERROW_WINE_LANE_${i}_DISPLAY=$DISPLAY" "FERROW_WINE_LANE_${i}_PREFIX=$WINEPREFIX"
        wine_env_start_prefix &
        boots="$boots $!"
        ids="$ids${ids:+,}{\"id\":\"$i\",\"slots\":1}"
    done
    wait $boots
    export DISPLAY=$FERROW_WINE_LANE_0_DISPLAY WINEPREFIX=$FERROW_WINE_LANE_0_PREFIX
    echo '{"version":{"major":1,"minor":0},"local":[{"wine":['"$ids"']}]}' >"$resources"
}

wine_lanes_start "$1" "$2" "$3"
