#!/bin/bash
# Print from the keyboard: files dropped on the window, Alt+P, the system's
# print dialog answered with Enter, and the job read back from the CUPS PDF
# printer that tools/testbed/test-setup.sh makes the default: the list's lines in
# order, CRCs at the left, paths twelve character widths to the right.
# Without that printer the script reports itself skipped (exit 77).
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

if ! lpstat -d 2>/dev/null | grep -q 'system default destination: PDF$' || ! command -v pdftotext >/dev/null; then
    note "skipped: no CUPS PDF printer as the default (tools/testbed/test-setup.sh sets one up)"
    exit 77
fi
# cups-pdf writes each job into the output folder of the user who printed.
user_home=$(getent passwd "$(id -un)" | cut -d: -f6)
pdf_dir=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
pdf_dir=${pdf_dir:-'${HOME}/PDF'}
pdf_dir=${pdf_dir//'${HOME}'/$user_home}
mkdir -p "$pdf_dir"
pdf=""
remove_pdf() { [ -n "$pdf" ] && rm -f "$pdf"; e2e_cleanup; }
trap remove_pdf EXIT

items=$work/items
python3 "$e2e_dir/make_tree.py" items "$items" || fail "cannot build the items"
items_windows=$(windows_path "$items")
paths=()
for i in $(seq -w 1 30); do paths+=("$items_windows\\f$i.txt"); done
paths+=("$items_windows\\folder")

start_program
[ "$(bar_state)" = "&Scan=1 &Compare=0 &Load=1 Sa&ve=0 &Print=0 &About=1 E&xit=1" ] ||
    fail "buttons at start-up: $(bar_state)"
probe drop "${paths[@]}" || fail "the probe cannot drop"
wait_until "${#paths[@]} result lines" 30 line_count_is "${#paths[@]}"
probe lines >"$work/list.txt"
for i in 1 5 30; do
    n=$(printf '%02d' "$i")
    want=$(result_line "$items/f$n.txt" "$items_windows\\f$n.txt")
    [ "$(sed -n "${i}p" "$work/list.txt")" = "$want" ] || fail "list line $i: $(sed -n "${i}p" "$work/list.txt"), expected $want"
done

before=$(ls -1 "$pdf_dir" | sort)
press_main alt+p
wait_box '^box\t#32770\tPrint\t'
shot print-dialog
press Return
wait_no_boxes 30
# The job reaches the folder a moment after the program has ended its document.
new_pdf() {
    [ -z "$(lpstat -o 2>/dev/null)" ] || return 1
    local name
    name=$(comm -13 <(echo "$before") <(ls -1 "$pdf_dir" | sort) | grep -i '\.pdf$' | head -n 1)
    [ -n "$name" ] && pdf="$pdf_dir/$name"
}
wait_until "the printed PDF in $pdf_dir" 60 new_pdf
case "$(basename "$pdf")" in
    *Ferrow_output*|*Ferrow-output*|*"Ferrow output"*) ;;
    *) fail "the print job is not named \"Ferrow output\": $(basename "$pdf")" ;;
esac
shot printed
pdftotext -bbox "$pdf" "$work/bbox.html" || fail "pdftotext cannot read $pdf"
cp "$pdf" "$artifacts/printed.pdf"
python3 "$e2e_dir/pdf_columns.py" "$work/bbox.html" "$work/list.txt" || fail "the printed page does not show the list"
press_main alt+x
wait_program_end 20
note "passed"
