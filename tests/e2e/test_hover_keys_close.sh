#!/bin/bash
# The small things a user meets with the mouse and the keys: the buttons' help
# texts in the status bar, the drive list's help text, Up, Down and Delete in
# the result list, a click on a line, and the window's close box.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

status_is() { [ "$(probe status)" = "$1" ]; }
list_is() { probe list | grep -q "^count $1 selected $2 "; }

# "x y" of the centre of a "left top right bottom" rectangle.
centre() { awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }' <<<"$1"; }
button_rect() { probe buttons | awk -F '\t' -v t="$1" '$1 == t { print $3 }'; }

start_program
# Help texts of the enabled buttons, as the pointer comes over each.
while IFS='|' read -r button text; do
    read -r x y <<<"$(centre "$(button_rect "$button")")"
    [ -n "${y:-}" ] || fail "no button $button"
    xdotool mousemove --sync "$x" "$y"
    wait_until "the help text of $button" 5 status_is "$text"
done <<'BUTTONS'
&Scan|Scan new CD
&Load|Load previously saved data
&About|Information about this program
E&xit|Exit the program
BUTTONS
shot hover-exit

# The drive list's help text; closing the dialog clears the status text.
press_main alt+s
wait_box '^box\t#32770\tScan new disk\t'
combo=$(printf '%s\n' "$box" | awk -F '\t' '$1 == "  ComboBox" { print $3 }')
read -r x y <<<"$(centre "$combo")"
xdotool mousemove --sync "$x" "$y"
wait_until "the drive list's help text" 5 status_is "Choose drive to scan"
shot hover-drive-list
press Escape
wait_no_boxes
status_is "" || fail "the status after closing the drive dialog: [$(probe status)]"

# Four dropped files give four lines; the list's own keys work on them.
files=$work/files
mkdir -p "$files"
for i in 1 2 3 4; do printf 'line %d\n' "$i" >"$files/k$i.txt"; done
files_windows=$(windows_path "$files")
probe drop "$files_windows\\k1.txt" "$files_windows\\k2.txt" "$files_windows\\k3.txt" "$files_windows\\k4.txt" ||
    fail "the probe cannot drop"
wait_until "four lines" 20 list_is 4 -1
read -r x y <<<"$(centre "$(button_rect '&Print')")"
xdotool mousemove --sync "$x" "$y"
wait_until "the help text of &Print, enabled by the drop" 5 status_is "Print CRC data"
press_main Down
wait_until "Down to select line 1" 5 list_is 4 1
press_main Down
wait_until "Down to select line 2" 5 list_is 4 2
press_main Delete
# Line 2 goes; the caret was on the last line but one, so line 1 is selected.
wait_until "Delete to remove line 2 and select line 1" 5 list_is 3 1
probe lines | grep -q 'k3\.txt' && fail "Delete left the line of k3.txt: $(probe lines)"
press_main Up Up
wait_until "Up to stop at line 0" 5 list_is 3 0
# End and Page Down do nothing: the Down after them still goes from line 0 to 1.
press_main End Next Down
wait_until "End and Page Down to do nothing, Down to select line 1" 5 list_is 3 1
# A click on the last line selects it.
read -r _ _ _ _ _ _ _ _ _ height _ left top right _ <<<"$(probe list)"
click_at "$(((left + right) / 2))" "$((top + 2 * height + height / 2))"
wait_until "a click to select line 2" 5 list_is 3 2
shot list-keys
[ "$(probe lines | tail -n 1)" = "$(result_line "$files/k4.txt" "$files_windows\\k4.txt")" ] ||
    fail "the last line is not k4.txt's: $(probe lines | tail -n 1)"

# The close box (drawn by Wine at the right end of the caption): nothing is
# unsaved, so the program ends without a question.
read -r left top right bottom <<<"$(probe rect)"
click_at "$((right - 14))" "$((top + 12))"
wait_program_end 20
note "passed"
