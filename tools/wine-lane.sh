# Sourced by tools/wine-run.sh and the end-to-end scripts: when ctest gave
# this test one of the Wine lanes that tools/wine-env.sh made (a display and
# a prefix each, FERROW_WINE_LANE_<id>), the test runs in that lane. ctest
# names it in CTEST_RESOURCE_GROUP_0_WINE ("id:1,slots:1") when it is given
# a file of resources that lists the lanes as the resource "wine".
case "${CTEST_RESOURCE_GROUP_0_WINE:-}" in
    id:[0-9]*,*)
        wine_lane_id=${CTEST_RESOURCE_GROUP_0_WINE#id:}
        wine_lane_id=${wine_lane_id%%,*}
        eval "wine_lane=\${FERROW_WINE_LANE_$wine_lane_id:-}"
        if [ -n "$wine_lane" ]; then
            export DISPLAY=${wine_lane%% *}
            export WINEPREFIX=${wine_lane#* }
        fi
        unset wine_lane wine_lane_id
        ;;
esac
