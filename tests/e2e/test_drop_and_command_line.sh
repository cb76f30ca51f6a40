#!/bin/bash
# Files and folders dropped on the window by another program (a real
# WM_DROPFILES from another process), and the path given on the command line:
# one result line per item, its CRC computed here by zlib.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

items=$work/items
python3 "$e2e_dir/make_tree.py" items "$items" || fail "cannot build the items"
items_windows=$(windows_path "$items")

# --- Drops: the first one replaces the usage text, later ones add to the list
start_program
probe lines | grep -qx 'Purpose:' || fail "no usage text at start-up"
unicode_name="Ünïcödé 名前.txt"
probe drop "$items_windows\\f01.txt" "$items_windows\\folder" "$items_windows\\empty folder" \
    "$items_windows\\$unicode_name" || fail "the probe cannot drop"
wait_until "four result lines" 30 line_count_is 4
expected=("$(result_line "$items/f01.txt" "$items_windows\\f01.txt")"
          "$(result_line "$items/folder" "$items_windows\\folder")"
          "00000000${tab}$items_windows\\empty folder"
          "$(result_line "$items/$unicode_name" "$items_windows\\$unicode_name")")
mapfile -t lines < <(probe lines)
for i in 0 1 2 3; do
    [ "${lines[$i]}" = "${expected[$i]}" ] || fail "dropped item $i: [${lines[$i]}], expected [${expected[$i]}]"
done
[ "$(probe status)" = "Done" ] || fail "status after the drop: $(probe status)"
[ "$(bar_state)" = "&Scan=1 &Compare=0 &Load=1 Sa&ve=0 &Print=1 &About=1 E&xit=1" ] ||
    fail "buttons after the drop: $(bar_state)"
shot first-drop

# A drive's root: walked without a doubled separator, shown as it is.
letter=$(free_drive_letter) || fail "no free drive letter"
define_drive "$letter" "$items/folder" hd
probe drop "$letter:\\" || fail "the probe cannot drop"
wait_until "a fifth line" 30 line_count_is 5
expected_root=$(result_line "$items/folder" "$letter:\\")
[ "$(probe lines | tail -n 1)" = "$expected_root" ] ||
    fail "dropped drive root: [$(probe lines | tail -n 1)], expected [$expected_root]"
# The root's CRC is the folder's: the same tree seen through the drive.
[ "${expected_root%%"$tab"*}" = "${expected[1]%%"$tab"*}" ] || fail "the oracle disagrees with itself"

# A path that vanished before the check: reported, and the rest of the drop skipped.
probe drop "$items_windows\\gone.txt" "$items_windows\\f02.txt" || fail "the probe cannot drop"
wait_box '^box\tCMSGCLASS\t\t'
[ "$(box_buttons)" = "&Ok" ] || fail "the report on a vanished path has the buttons $(box_buttons)"
shot vanished-path
press Return
wait_no_boxes
probe wait 10000 >/dev/null || fail "the drop did not end"
[ "$(probe lines | wc -l)" -eq 5 ] || fail "the drop went on after the vanished path: $(probe lines | tail -n 1)"
press_main alt+x
wait_program_end 20

# --- The command line: one quoted path with spaces; a later drop adds below it
start_program "$items_windows\\folder with space"
mapfile -t lines < <(probe lines)
expected_line=$(result_line "$items/folder with space" "$items_windows\\folder with space")
[ "${#lines[@]}" -eq 1 ] && [ "${lines[0]}" = "$expected_line" ] ||
    fail "command-line folder: $(printf '[%s] ' "${lines[@]}"), expected [$expected_line]"
[ "$(bar_state)" = "&Scan=1 &Compare=0 &Load=1 Sa&ve=0 &Print=0 &About=1 E&xit=1" ] ||
    fail "buttons after the command-line check: $(bar_state)"
shot command-line-folder
probe drop "$items_windows\\f03.txt" || fail "the probe cannot drop"
wait_until "a second line" 30 line_count_is 2
expected_line=$(result_line "$items/f03.txt" "$items_windows\\f03.txt")
[ "$(probe lines | tail -n 1)" = "$expected_line" ] || fail "drop after the command line: $(probe lines)"
press_main alt+x
wait_program_end 20

# A file with a Unicode name on the command line.
start_program "$items_windows\\$unicode_name"
expected_line=$(result_line "$items/$unicode_name" "$items_windows\\$unicode_name")
[ "$(probe lines)" = "$expected_line" ] || fail "command-line file: [$(probe lines)], expected [$expected_line]"
shot command-line-file
press_main alt+x
wait_program_end 20
note "passed"
