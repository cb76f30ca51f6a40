#!/bin/bash
# A disc checked end to end as its owner would, on a CD-ROM drive of the Wine
# prefix, with the keyboard and the mouse only: Scan, Save to a ".crc" file
# (read back here byte for byte), change one file, Load, Compare (one bad CRC),
# restore the file, Compare (the disks compare, with the scan's totals), and
# Exit with unsaved results answered Cancel, Yes and No.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

disc_drive
cp "$changed" "$work/original" || fail "cannot keep the file to change"

start_with_usage_text

# Alt+C does nothing while Compare is disabled: the first dialog after it is Scan's.
press_main alt+c alt+s
wait_box '^box\t#32770\t'
[ "$(box_caption)" = "Scan new disk" ] || fail "Alt+C, Alt+S opened \"$(box_caption)\", not the Scan dialog"
[ "$(proposed_drive)" = "$(first_cd_drive)" ] ||
    fail "the drive dialog proposes \"$(proposed_drive)\", not the first CD-ROM drive $(first_cd_drive)"
[ "$(box_buttons)" = "&Start scan|&Cancel" ] || fail "drive dialog buttons: $(box_buttons)"
shot drive-dialog
press Escape
wait_no_boxes
probe lines | grep -qx 'Purpose:' || fail "Escape in the drive dialog changed the list"

# --- Scan
started=$SECONDS
scan_disc 120
mapfile -t lines < <(probe lines)
[ "${#lines[@]}" -eq 2 ] && [ "${lines[0]}" = "$root to be scanned" ] && [ "${lines[1]}" = "$scan_totals" ] ||
    fail "after the scan the list reads: $(printf '[%s] ' "${lines[@]}"); expected [$root to be scanned] [$scan_totals]"
[ "$(probe status)" = "Done" ] || fail "status after the scan: $(probe status)"
[ "$(bar_state)" = "&Scan=1 &Compare=1 &Load=1 Sa&ve=1 &Print=0 &About=1 E&xit=1" ] ||
    fail "buttons after the scan: $(bar_state)"
note "scan: $((SECONDS - started))s, totals as expected"
shot scanned
crop_shot "$artifacts/main-window.png" "$(probe rect)"

# --- Save, with a name typed without its extension
save_crc_file disk1 save-dialog
[ -f "$out/disk1.crc" ] || fail "Save wrote no $out/disk1.crc: $(ls "$out")"
[ "$(bar_state)" = "&Scan=1 &Compare=1 &Load=1 Sa&ve=0 &Print=0 &About=1 E&xit=1" ] ||
    fail "buttons after Save: $(bar_state)"
check_saved_disc "$out/disk1.crc"
shot saved

# --- One file changes; Load, then Compare
change_byte "$changed" 0 0x5A
# Typed without its extension: the program adds ".crc".
load_crc_file disk1
mapfile -t lines < <(probe lines)
[ "${#lines[@]}" -eq 2 ] && [ "${lines[0]}" = "Previous scan data:" ] && [ "${lines[1]}" = "$scan_totals" ] ||
    fail "after Load the list reads: $(printf '[%s] ' "${lines[@]}")"
[ "$(probe title)" = "Ferrow - $out_windows\\disk1.crc" ] || fail "title after Load: $(probe title)"
[ "$(probe status)" = "$out_windows\\disk1.crc" ] || fail "status after Load: $(probe status)"
[ "$(bar_state)" = "&Scan=1 &Compare=1 &Load=1 Sa&ve=0 &Print=0 &About=1 E&xit=1" ] ||
    fail "buttons after Load: $(bar_state)"
shot loaded

press_main alt+c
wait_box '^box\t#32770\tCompare with\t'
[ "$(proposed_drive)" = "$letter:" ] || fail "the Compare dialog proposes \"$(proposed_drive)\", not the loaded drive $letter:"
press Return
wait_walk_end '^  Total files' 60
mapfile -t lines < <(probe lines)
expected_tail=("$changed_windows - bad crc" "1 files do not compare." "${scan_totals%  CRC for disk:*}")
[ "${#lines[@]}" -eq 5 ] && [ "${lines[*]:2}" = "${expected_tail[*]}" ] ||
    fail "after comparing the changed disc the list reads: $(printf '[%s] ' "${lines[@]}"); expected the tail $(printf '[%s] ' "${expected_tail[@]}")"
shot compared-changed

# --- Restored: the disks compare, with the scan's totals
cp "$work/original" "$changed" || fail "cannot restore $changed"
press_main alt+c
wait_box '^box\t#32770\tCompare with\t'
press Return
wait_walk_end '^  Total files' 60
mapfile -t lines < <(probe lines)
[ "${#lines[@]}" -eq 7 ] && [ "${lines[5]}" = "Disks compare" ] && [ "${lines[6]}" = "$scan_totals" ] ||
    fail "after comparing the restored disc the list reads: $(printf '[%s] ' "${lines[@]}")"
[ "$(probe status)" = "Done" ] || fail "status after the compare: $(probe status)"
shot compared-restored

# --- Exit with unsaved results: Cancel (a click), then Yes (its mnemonic) and
# a save under a name typed with another extension, which becomes ".crc"
scan_disc 60
press_main alt+x
wait_box '^box\tCMSGCLASS\tFerrow\t'
[ "$(box_buttons)" = "&Yes|&No|&Cancel" ] || fail "the question on Exit has the buttons $(box_buttons)"
shot exit-question
read -r x y <<<"$(box_button_centre '&Cancel')"
click_at "$x" "$y"
wait_no_boxes
program_running || fail "Cancel did not keep the program running"
[ "$(probe lines | tail -n 1)" = "$scan_totals" ] || fail "the list changed after Cancel"
# Alt+F4 on the question answers nothing: Exit, Scan and Load stop there, and
# the unsaved scan is still there to save
for key in alt+x alt+s alt+l; do
    press_main "$key"
    wait_box '^box\tCMSGCLASS\tFerrow\t'
    press alt+F4
    wait_no_boxes
    program_running || fail "Alt+F4 on the question after $key ended the program"
    [ "$(probe lines | tail -n 1)" = "$scan_totals" ] || fail "the list changed after $key and Alt+F4"
    bar_state | grep -q 'Sa&ve=1' || fail "Save is off after $key and Alt+F4: $(bar_state)"
done
press_main alt+x
wait_box '^box\tCMSGCLASS\tFerrow\t'
press y
wait_box '^box\t#32770\t'
type_text "$out_windows\\disk2.TXT"
press Return
wait_program_end 20
[ "$(ls "$out" | tr '\n' ' ')" = "disk1.crc disk2.crc " ] || fail "Yes on Exit, saved as disk2.TXT, left: $(ls "$out")"
cmp -s "$out/disk1.crc" "$out/disk2.crc" || fail "the file saved on Exit differs from the first save of the same disc"

# --- Exit with unsaved results answered Yes, then the save prompt cancelled
# (Escape): the program still ends, and nothing is written
scan_in_new_run() {
    start_program
    scan_disc 60
    [ "$(probe lines | tail -n 1)" = "$scan_totals" ] || fail "a later run's scan: $(probe lines | tail -n 1)"
}
scan_in_new_run
press_main alt+x
wait_box '^box\tCMSGCLASS\tFerrow\t'
press y
wait_box '^box\t#32770\t'
press Escape
wait_program_end 20
[ "$(ls "$out" | tr '\n' ' ')" = "disk1.crc disk2.crc " ] || fail "a cancelled save on Exit wrote a file: $(ls "$out")"

# --- Exit with unsaved results answered No (Right arrow, Enter): nothing is written
scan_in_new_run
press_main alt+x
wait_box '^box\tCMSGCLASS\tFerrow\t'
press Right Return
wait_program_end 20
[ "$(ls "$out" | tr '\n' ' ')" = "disk1.crc disk2.crc " ] || fail "No on Exit wrote a file: $(ls "$out")"
note "passed"
