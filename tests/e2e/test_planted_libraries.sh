#!/bin/bash
# Started from a folder that holds libraries named like the system's, the
# program loads none of them. A copy of ferrow.exe goes into a folder of its
# own. A first run there starts it, opens the file dialog (Alt+L) and the print
# dialog (Alt+P), each closed with Escape, and ends it (Alt+X), while Wine
# reports every library the process loads. Then planted_library.dll (built with
# the tests) is copied into the folder under the name of each of those
# libraries and of each library the program imports, delay-loaded ones
# included; whenever it is loaded it leaves a mark, NAME.loaded, and refuses to
# load. The same run again must leave no mark.
# Without the CUPS PDF printer as the default the print dialog cannot be
# shown, and the script reports itself skipped (exit 77).
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

if ! lpstat -d 2>/dev/null | grep -q 'system default destination: PDF$'; then
    note "skipped: no CUPS PDF printer as the default (tools/testbed/test-setup.sh sets one up)"
    exit 77
fi
planted=$build_dir/tests/e2e/planted_library.dll
[ -f "$planted" ] || fail "no planted library at $planted (build the win64 preset)"
pe_imports=$e2e_dir/../../tools/pe_imports.py

app=$work/app
mkdir -p "$app" "$work/items"
cp "$exe" "$app/ferrow.exe" || fail "cannot copy the program"
exe=$app/ferrow.exe
echo "planted" >"$work/items/dropped.txt"
dropped=$(windows_path "$work/items/dropped.txt")

# The marks left in the program's folder, by library name.
marks() {
    local mark
    for mark in "$app"/*.loaded; do
        [ -e "$mark" ] && basename "$mark" .loaded
    done
}
# Whatever step fails, the report names the planted libraries that were loaded.
eval "unmarked_$(declare -f fail)"
fail() {
    local loaded
    loaded=$(marks | tr '\n' ' ')
    unmarked_fail "$*${loaded:+ (planted libraries that were loaded: $loaded)}"
}


# Start, the file dialog, the print dialog, exit; Wine's library messages go
# to the file $1.
run_with_dialogs() {
    program_trace=+pid,+loaddll program_trace_file=$1 start_program
    press_main alt+l
    wait_box '^box\t#32770\t' 30
    printf '%s\n' "$box" | grep -q '^  ComboBox' || fail "Alt+L opened no file dialog: $(printf '%s' "$box" | head -n 1)"
    shot "$2-file-dialog"
    press Escape
    wait_no_boxes
    # Print is enabled once the list holds a result.
    probe drop "$dropped" || fail "the probe cannot drop"
    wait_until "the result line of the dropped file" 30 line_count_is 1
    press_main alt+p
    wait_box '^box\t#32770\tPrint\t' 30
    shot "$2-print-dialog"
    press Escape
    wait_no_boxes
    press_main alt+x
    wait_program_end 20
}

# The libraries that Wine reports loaded into the program's process (the one
# whose first library is the program itself), lower case, one a line.
loaded_libraries() {
    local pid
    pid=$(grep -m 1 -i 'loaddll:.*Loaded L".*ferrow\.exe"' "$1" | cut -d: -f1)
    [ -n "$pid" ] || return 1
    grep "^$pid:.*loaddll:.* Loaded L\"" "$1" |
        sed 's/.* Loaded L"\(.*\)" at .*/\1/; s/.*\\//' | tr 'A-Z' 'a-z' | grep -v '\.exe$' | sort -u
}

# --- the run that finds the libraries
run_with_dialogs "$work/first-run.log" first
cp "$work/first-run.log" "$artifacts/first-run.log"
loaded_libraries "$work/first-run.log" >"$work/loaded.txt" || fail "Wine reported no library loads"
python3 "$pe_imports" list "$exe" | awk '$1 == "import" || $1 == "delay" { print tolower($2) }' >"$work/imported.txt"
[ -s "$work/imported.txt" ] || fail "cannot read the program's imports"
sort -u "$work/loaded.txt" "$work/imported.txt" >"$work/names.txt"
# Wine keeps its own build of most libraries even when a file of that name lies
# beside the program; shcore (under SHELL32) and compstui (under the printer's
# winspool) it loads from there whenever that folder is searched, so it is
# through these two that a planted copy gets to run here.
for name in comctl32.dll comdlg32.dll shell32.dll winspool.drv shcore.dll compstui.dll; do
    grep -qx "$name" "$work/names.txt" || fail "$name is not among the libraries to plant: $(tr '\n' ' ' <"$work/names.txt")"
done
note "planting $(wc -l <"$work/names.txt") libraries: $(tr '\n' ' ' <"$work/names.txt")"
while read -r name; do
    cp "$planted" "$app/$name" || fail "cannot plant $name"
done <"$work/names.txt"

# The planted library does leave its mark when something loads it.
cp "$planted" "$work/items/control.dll"
wine rundll32.exe "$(windows_path "$work/items/control.dll")",Start >/dev/null 2>&1
[ -f "$work/items/control.dll.loaded" ] || fail "the planted library left no mark when rundll32 loaded it"

# --- the run beside the planted libraries
run_with_dialogs "$work/planted-run.log" planted
cp "$work/planted-run.log" "$artifacts/planted-run.log"
[ -z "$(marks)" ] || fail "the program loaded libraries from its own folder"
native=$(grep ' Loaded L".*: native$' "$work/planted-run.log" | grep -vi 'ferrow\.exe"' | sed 's/.* Loaded L"\(.*\)" at .*/\1/')
[ -z "$native" ] || fail "libraries other than Wine's own were loaded: $native"
note "passed"
