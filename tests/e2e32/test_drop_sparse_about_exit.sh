#!/bin/bash
# The 32-bit ferrow.exe checks what is dropped on its window by another
# program (a real WM_DROPFILES from another process): folders and files with
# Unicode names (Cyrillic, Japanese, Greek, an emoji outside the BMP), then a
# sparse file of 4 GiB + 3 bytes with data across the 4 GiB line, which a
# 32-bit process can only read through one view after another. Each result
# line against zlib. Then the about box (Alt+A, Enter) and Exit.
#   $1: ferrow.exe of the i686 build
source "$(dirname "$0")/../e2e/e2e_lib.sh" "$@"

tree=$work/tree
python3 "$e2e_dir/make_tree.py" disk "$tree" --no-big-file >/dev/null || fail "cannot build the tree"
big="$work/big/4 GiB + 3.bin"
python3 "$e2e_dir/make_tree.py" sparse "$big" || fail "cannot make the sparse file"
tree_windows=$(windows_path "$tree")
big_windows=$(windows_path "$big")


start_program
probe lines | grep -qx 'Purpose:' || fail "no usage text at start-up"

# --- A drop of Unicode folders and a file: one line each, in the drop's order
dropped=("Фото" "日本語のフォルダ" "Musik/Grüße 🎵" "docs/Ελληνικά")
file_in_greek=$(cd "$tree/docs/Ελληνικά" && ls | grep -m 1 'αρχείο') ||
    fail "the tree has no Greek file name"
dropped+=("docs/Ελληνικά/$file_in_greek")
drop_args=()
expected=()
for item in "${dropped[@]}"; do
    item_windows="$tree_windows\\${item//\//\\}"
    drop_args+=("$item_windows")
    expected+=("$(result_line "$tree/$item" "$item_windows")")
done
probe drop "${drop_args[@]}" || fail "the probe cannot drop"
wait_until "${#dropped[@]} result lines" 60 line_count_is "${#dropped[@]}"
mapfile -t lines < <(probe lines)
for i in "${!expected[@]}"; do
    [ "${lines[$i]}" = "${expected[$i]}" ] || fail "dropped item $i: [${lines[$i]}], expected [${expected[$i]}]"
done
status=$(probe status)
[ "$status" = "Done" ] || fail "status after the drop: [$status]"
shot unicode-drop

# --- The sparse file past 4 GiB: its CRC covers every byte
expected_big=$(result_line "$big" "$big_windows")
note "the sparse file should read [$expected_big]"
started=$SECONDS
probe drop "$big_windows" || fail "the probe cannot drop"
wait_until "the sparse file's line" 600 line_count_is $((${#dropped[@]} + 1))
note "4 GiB + 3 bytes checked in $((SECONDS - started)) s"
[ "$(probe lines | tail -n 1)" = "$expected_big" ] ||
    fail "the sparse file: [$(probe lines | tail -n 1)], expected [$expected_big]"
status=$(probe status)
[ "$status" = "Done" ] || fail "status after the sparse file: [$status]"
shot sparse-file

# --- About: the box with its button and link, closed with Enter
started=$SECONDS
press_main alt+a
wait_box '^box\tCMSGCLASS\t\t' 60
note "the about box came up after $((SECONDS - started)) s"
[ "$(printf '%s\n' "$box" | grep -c '^  Button')" -eq 2 ] && [ "$(box_buttons)" = "&Ok" ] ||
    fail "the about box's buttons: $(printf '%s\n' "$box" | grep '^  ')"
shot about-box
press Return
wait_no_boxes
program_running || fail "Enter in the about box ended the program"
[ "$(probe lines | wc -l)" -eq $((${#dropped[@]} + 1)) ] || fail "the about box changed the list"

# --- Exit: drops leave nothing unsaved
press_main alt+x
wait_program_end 30
note "passed"
