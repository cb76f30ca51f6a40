# Sourced by wine-run.sh and the end-to-end scripts: when ctest gave this test
# one of the Wine lanes of wine-lanes.sh, the test runs in that lane's display
# and prefix. ctest names the lane in CTEST_RESOURCE_GROUP_0_WINE
# ("id:1,slots:1") when its resource file lists the lanes as "wine".
case "${CTEST_RESOURCE_GROUP_0_WINE:-}" in
    id:[0-9]*,*)
        wine_lane=${CTEST_RESOURCE_GROUP_0_WINE#id:}
        wine_lane=${wine_lane%%,*}
        wine_lane_display=FERROW_WINE_LANE_${wine_lane}_DISPLAY
        wine_lane_prefix=FERROW_WINE_LANE_${wine_lane}_PREFIX
        if [ -n "${!wine_lane_display:-}" ] && [ -n "${!wine_lane_prefix:-}" ]; then
            export DISPLAY=${!wine_lane_display} WINEPREFIX=${!wine_lane_prefix}
        fi
        unset wine_lane wine_lane_display wine_lane_prefix
        ;;
esac
