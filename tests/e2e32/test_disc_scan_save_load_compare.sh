#!/bin/bash
# The 32-bit ferrow.exe checks a disc on a CD-ROM drive of the Wine prefix,
# worked with the keyboard as its owner would: the usage text at start, Scan
# (the totals line against zlib), Save (the file read back here byte for
# byte), one file changed, Load, Compare (that file alone does not compare),
# and Exit.
#   $1: ferrow.exe of the i686 build
source "$(dirname "$0")/../e2e/e2e_lib.sh" "$@"

# The 4 GiB file has a script of its own: here it would be read three times.
disc_drive --no-big-file

# --- Start: the usage text
start_with_usage_text

# --- Scan
press_main alt+s
wait_box '^box\t#32770\tScan new disk\t'
[ "$(proposed_drive)" = "$(first_cd_drive)" ] ||
    fail "the drive dialog proposes \"$(proposed_drive)\", not the first CD-ROM drive $(first_cd_drive)"
choose_drive "$letter"
press Return
wait_walk_end 'Total files' 180
mapfile -t lines < <(probe lines)
[ "${#lines[@]}" -eq 2 ] && [ "${lines[0]}" = "$root to be scanned" ] && [ "${lines[1]}" = "$scan_totals" ] ||
    fail "after the scan the list reads: $(printf '[%s] ' "${lines[@]}"); expected [$root to be scanned] [$scan_totals]"
status=$(probe status)
[ "$status" = "Done" ] || fail "status after the scan: [$status]"
shot scanned

# --- Save; the file's bytes against the disc
save_crc_file disc32
[ -f "$out/disc32.crc" ] || fail "Save wrote no $out/disc32.crc: $(ls "$out")"
check_saved_disc "$out/disc32.crc"
shot saved

# --- One file changes; Load, then Compare
change_byte "$changed" -1 0xA5
load_crc_file disc32.crc
mapfile -t lines < <(probe lines)
[ "${#lines[@]}" -eq 2 ] && [ "${lines[1]}" = "$scan_totals" ] ||
    fail "after Load the list reads: $(printf '[%s] ' "${lines[@]}")"
[ "$(probe title)" = "Ferrow - $out_windows\\disc32.crc" ] || fail "title after Load: $(probe title)"
shot loaded

press_main alt+c
wait_box '^box\t#32770\tCompare with\t'
[ "$(proposed_drive)" = "$letter:" ] || fail "the Compare dialog proposes \"$(proposed_drive)\", not the loaded drive $letter:"
press Return
wait_walk_end '^  Total files' 180
# The changed file's CRC differs, so the compared disk's CRC is the scan's
# minus the old CRC plus the new one: the oracle's totals of the changed tree.
changed_totals=$(oracle totals "$disc") || fail "the oracle cannot read the changed tree"
[ "$changed_totals" != "$scan_totals" ] || fail "the change left the disk CRC as it was"
mapfile -t lines < <(probe lines)
expected_tail=("$changed_windows - bad crc" "1 files do not compare." "${changed_totals%  CRC for disk:*}")
[ "${#lines[@]}" -eq 5 ] && [ "${lines[*]:2}" = "${expected_tail[*]}" ] ||
    fail "after comparing the changed disc the list reads: $(printf '[%s] ' "${lines[@]}"); expected the tail $(printf '[%s] ' "${expected_tail[@]}")"
status=$(probe status)
[ "$status" = "Done" ] || fail "status after the compare: [$status]"
shot compared

# --- Exit: nothing unsaved after a Load, so no question
press_main alt+x
wait_program_end 30
note "passed"
