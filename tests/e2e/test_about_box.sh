#!/bin/bash
# The about box, opened with Alt+A: an elliptical box without caption with the
# "&Ok" button and the link; closed once with Enter and once with a click on
# "&Ok". The picture of it is kept for the README.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

start_program
press_main alt+a
wait_box '^box\tCMSGCLASS\t\t'
# "&Ok" and the link, an owner-drawn button without text.
[ "$(printf '%s\n' "$box" | grep -c '^  Button')" -eq 2 ] && [ "$(box_buttons)" = "&Ok" ] ||
    fail "the about box's buttons: $(printf '%s\n' "$box" | grep '^  ')"
focus=$(probe focus | cut -f 1,2)
[ "$focus" = $'Button\t&Ok' ] || fail "the focus in the about box is on [$focus], not on &Ok"
shot about-box
# The README's picture: the main window with the box over it.
read -r ml mt mr mb <<<"$(probe rect)"
read -r bl bt br bb <<<"$(printf '%s\n' "$box" | head -n 1 | cut -f 4)"
crop_shot "$artifacts/about-box.png" "$((ml < bl ? ml : bl)) $((mt < bt ? mt : bt)) $((mr > br ? mr : br)) $((mb > bb ? mb : bb))"
press Return
wait_no_boxes
program_running || fail "Enter in the about box ended the program"

press_main alt+a
wait_box '^box\tCMSGCLASS\t\t'
read -r x y <<<"$(box_button_centre '&Ok')"
click_at "$x" "$y"
wait_no_boxes
program_running || fail "a click on &Ok ended the program"
probe lines | grep -qx 'Purpose:' || fail "the about box changed the list"
press_main alt+x
wait_program_end 20
note "passed"
