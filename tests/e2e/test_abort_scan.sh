#!/bin/bash
# Abort during a long scan, pressed once with the mouse and once with the
# space bar on the progress dialog's Abort button: the scan stops after the
# file it is reading, shows "Scan aborted by user", adds no totals line and
# leaves the buttons and the unsaved state as they were before it. Files
# dropped on the window while the scan runs are refused.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

# 48 sparse files of 256 MiB: the first reading of each makes the system fill
# its pages, so the whole drive takes seconds even on a fast machine; an
# aborted scan reads only the first few.
disc=$work/slow-disc
python3 "$e2e_dir/make_tree.py" slow "$disc" 48 || fail "cannot build the slow disc"
letter=$(free_drive_letter) || fail "no free drive letter"
define_drive "$letter" "$disc" cdrom
printf 'dropped during a scan\n' >"$work/dropped.txt"

# Starts a scan of the slow drive and waits for its progress dialog.
start_slow_scan() {
    press_main alt+s
    wait_box '^box\t#32770\tScan new disk\t'
    choose_drive "$letter"
    press Return
    wait_box '^box\t#32770\t\t' 20
}

# The state after an aborted scan is the state before it, plus the status.
check_aborted() {
    wait_until "the scan to stop" 60 probe noboxes 0
    probe wait 10000 >/dev/null || fail "the main window is not back"
    mapfile -t lines < <(probe lines)
    [ "${#lines[@]}" -eq 1 ] && [ "${lines[0]}" = "$letter:\\ to be scanned" ] ||
        fail "after Abort ($1) the list reads: $(printf '[%s] ' "${lines[@]}") (did the scan end before Abort?)"
    [ "$(probe status)" = "Scan aborted by user" ] || fail "status after Abort ($1): $(probe status)"
    [ "$(bar_state)" = "$before" ] || fail "buttons after Abort ($1): $(bar_state); before the scan: $before"
    probe buttons | grep -qx $'bar\t1' || fail "the button bar stayed disabled after Abort ($1)"
}

start_program
before=$(bar_state)

# --- A click on Abort, after a drop that the running scan refuses
start_slow_scan
read -r x y <<<"$(box_button_centre 'Abort')"
[ -n "${y:-}" ] || fail "the progress dialog has no Abort button: $box"
shot progress-dialog
probe drop "$(windows_path "$work/dropped.txt")" || fail "the probe cannot drop"
click_at "$x" "$y"
check_aborted "a click"
shot aborted-by-click

# --- The space bar on Abort, which has the keyboard focus
start_slow_scan
focus=$(probe focus | cut -f 1,2)
[ "$focus" = $'Button\tAbort' ] || fail "the focus during a scan is on [$focus], not on Abort"
press space
check_aborted "the space bar"
shot aborted-by-space

# Nothing unsaved: Exit asks no question.
press_main alt+x
wait_program_end 20
note "passed"
