# Sourced by every end-to-end script: runs the real ferrow.exe under Wine on
# the display and prefix that tools/wine-env.sh set up, and works it as a
# person would: keys and clicks through xdotool, reading what the screen shows
# through ferrow_probe.exe (another Windows program on the same desktop).
#   source "$(dirname "$0")/e2e_lib.sh" "$@"     ($1: ferrow.exe of the build)
# Every script gets the functions below, $work (a private folder under /tmp,
# removed on exit with the program and the drive letters the script defined)
# and $artifacts (build/<preset>/e2e-artifacts/<script>/: a picture of every
# step, and on failure a picture and what the probe saw).
set -u

e2e_name=$(basename "$0" .sh)
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "$e2e_name: FAILED: $* (script lines ${BASH_LINENO[*]})" >&2
    if [ -n "${artifacts:-}" ] && [ -d "$artifacts" ]; then
        shot "failure" 2>/dev/null
        { echo "FAILED: $*"; echo "--- title"; probe title; echo "--- status"; probe status
          echo "--- lines"; probe lines; echo "--- buttons"; probe buttons; echo "--- boxes"; probe boxes
        } >"$artifacts/failure.txt" 2>&1
    fi
    exit 1
}
note() { echo "$e2e_name: $*"; }

[ $# -ge 1 ] || { echo "usage: $0 path/to/ferrow.exe" >&2; exit 2; }
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
build_dir=$(dirname "$exe")
# FERROW_PROBE_EXE names another build's probe: the 32-bit runs use the 64-bit
# one, which starts in a moment where a 32-bit process takes seconds.
probe_exe=${FERROW_PROBE_EXE:-$build_dir/tools/probe/ferrow_probe.exe}
[ -f "$exe" ] || { echo "$e2e_name: no program at $exe" >&2; exit 1; }
[ -f "$probe_exe" ] || { echo "$e2e_name: no probe at $probe_exe (build the win64 preset)" >&2; exit 1; }
# The Wine lane that ctest gave this script; the probe starts through wine-run.sh.
wine_run=$e2e_dir/../../tools/testbed/wine-run.sh
source "$e2e_dir/../../tools/testbed/wine-lane.sh"
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] ||
    { echo "$e2e_name: source tools/wine-env.sh first (no WINEPREFIX or DISPLAY)" >&2; exit 1; }
for tool in xdotool import convert python3; do
    command -v "$tool" >/dev/null || { echo "$e2e_name: $tool is missing" >&2; exit 1; }
done

artifacts=$build_dir/e2e-artifacts/$e2e_name
rm -rf "$artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d "/tmp/fe2e-XXXXXX")
program_pid=""
main_xid=""
defined_drives=()
shot_number=0

e2e_cleanup() {
    local letter
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
    fi
    for letter in "${defined_drives[@]}"; do
        wine "$probe_exe" drive "$letter" >/dev/null 2>&1
    done
    rm -rf "$work"
}
trap e2e_cleanup EXIT

# Asks the probe, through wine-run.sh: a start in which Wine's loader gave up
# at once is tried once more; a probe answer, even a failing one, stands.
probe() {
    local out rc
    # The status rides after the output, so trailing empty lines stay.
    out=$("$wine_run" "$probe_exe" "$@" 2>/dev/null; echo "|$?")
    rc=${out##*|}
    out=${out%|*}
    printf '%s' "$out" | tr -d '\r'
    return "$rc"
}

# The Windows name of a Linux path.
windows_path() {
    winepath -w "$1" 2>/dev/null | tr -d '\r'
}

# Runs "$@" every tenth of a second until it succeeds; fails the test with
# the description after the timeout (seconds).
wait_until() {
    local what=$1 timeout=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${timeout}s waiting for $what"
        sleep 0.1
    done
}

# Starts ferrow.exe with the given arguments and waits for its main window.
# With $program_trace set to Wine debug channels (such as "+loaddll"), Wine's
# messages for the program go to the file $program_trace_file.
start_program() {
    # The pointer rests off the window, so no button's help text comes up by itself.
    xdotool mousemove 0 0
    if [ -n "${program_trace:-}" ]; then
        WINEDEBUG=$program_trace wine "$exe" "$@" >/dev/null 2>"$program_trace_file" &
    else
        wine "$exe" "$@" >/dev/null 2>&1 &
    fi
    program_pid=$!
    probe wait 60000 >/dev/null || fail "the main window did not come up"
    # Wine makes more than one X window per process; the main window is the
    # one with the program's title.
    main_xid=$(xdotool search --all --onlyvisible --pid "$program_pid" --name '^Ferrow' 2>/dev/null | head -n 1)
    [ -n "$main_xid" ] || main_xid=$(xdotool search --onlyvisible --name '^Ferrow' | head -n 1)
    [ -n "$main_xid" ] || fail "no X window for the main window"
}

# Waits for the program's process to end by itself.
wait_program_end() {
    local timeout=$1 deadline=$((SECONDS + $1))
    while kill -0 "$program_pid" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within ${timeout}s"
        sleep 0.1
    done
    wait "$program_pid" 2>/dev/null
    program_pid=""
}

program_running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }

# Keys for the main window (accelerators): it gets the keyboard focus first.
# There is no window manager: when a window that had the X focus goes away (a
# box, the progress dialog), the focus falls back to the root window and keys
# would reach whatever lies under the pointer.
# When a box or the progress dialog closes, the program makes its main window
# the active one again in its own time, and keys that arrive in the middle of
# that are lost (rare on a fast machine, common under emulation). So keys wait
# until the program has settled with a focused window of its own: first for
# the program to do it by itself, then once more after the X focus was given.
press_main() {
    wait_focus_settled 3
    timeout 5 xdotool windowfocus --sync "$main_xid" 2>/dev/null ||
        fail "cannot give the keyboard to the main window (X window $main_xid)"
    wait_focus_settled 10 ||
        fail "the program has no window with the keyboard focus after the X focus went to its main window"
    xdotool key --clearmodifiers "$@"
}
# True once the program's GUI thread has a focus window (within the timeout, seconds).
wait_focus_settled() {
    local deadline=$((SECONDS + $1))
    until probe focus >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# The X window of the box in $box: the program's visible X window at the
# box's screen position.
box_xid() {
    local left top xid geometry
    read -r left top _ _ <<<"$(printf '%s\n' "$box" | head -n 1 | cut -f 4)"
    for xid in $(xdotool search --all --onlyvisible --pid "$program_pid" --name '' 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry --shell "$xid" 2>/dev/null | tr '\n' ' ')
        case "$geometry" in
            *"X=$left Y=$top "*) echo "$xid"; return 0 ;;
        esac
    done
    return 1
}

# Keys for the box or dialog last found by wait_box (it gets the keyboard
# first, should the system have left it elsewhere).
press() {
    local xid
    if [ -n "${box:-}" ] && xid=$(box_xid); then
        timeout 5 xdotool windowfocus --sync "$xid" 2>/dev/null
    fi
    xdotool key --clearmodifiers "$@"
}
# Text typed into the box or dialog last found by wait_box.
type_text() {
    local xid
    if [ -n "${box:-}" ] && xid=$(box_xid); then
        timeout 5 xdotool windowfocus --sync "$xid" 2>/dev/null
    fi
    xdotool type --delay 15 -- "$1"
}

click_at() {
    xdotool mousemove --sync "$1" "$2" click 1
}

# Leaves in $box the probe's description of the open box or dialog whose
# first line ("box<TAB>class<TAB>caption<TAB>rect<TAB>enabled") matches the
# regular expression; false when there is none.
read_box() {
    box=$(probe boxes | awk -v p="$1" '
        /^box\t/ { on = ($0 ~ p) }
        on { print }')
    [ -n "$box" ]
}

# Waits until such a box is open (see read_box).
wait_box() {
    local pattern=$1 timeout=${2:-10} deadline
    deadline=$((SECONDS + timeout))
    until read_box "$pattern"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${timeout}s waiting for a box like /$pattern/ (open: $(probe boxes | grep '^box' | tr '\t' ' '))"
        sleep 0.1
    done
}

wait_no_boxes() {
    probe noboxes $((${1:-10} * 1000)) >/dev/null ||
        fail "a box or dialog is still open: $(probe boxes | grep '^box' | tr '\t' ' ')"
}

# "x y" of the centre of the button with that text in $box.
box_button_centre() {
    printf '%s\n' "$box" | awk -F '\t' -v t="$1" '
        $1 == "  Button" && $2 == t { split($3, r, " "); print int((r[1] + r[3]) / 2), int((r[2] + r[4]) / 2); exit }'
}

# The texts of the push buttons of $box, one line: "&Yes|&No|&Cancel".
box_buttons() {
    printf '%s\n' "$box" | awk -F '\t' '$1 == "  Button" && $2 != "" { s = s (s ? "|" : "") $2 } END { print s }'
}

box_caption() { printf '%s\n' "$box" | head -n 1 | cut -f 3; }

# A walk started from the drive dialog has ended: the dialog has gone, then
# the list's last line matches the pattern while no progress dialog is open.
# The order matters: once the drive dialog is gone, the program answers the
# probe's list questions only from inside the walk or after it, never from
# the list as it was before.
drive_dialog_open() { read_box '^box\t#32770\t(Scan new disk|Compare with)\t'; }
last_line_matches() { probe lines | tail -n 1 | grep -qE "$1" && probe noboxes 0; }
wait_walk_end() {
    wait_until "the drive dialog to close" 10 eval '! drive_dialog_open'
    wait_until "the end of the check (last line like /$1/)" "${2:-60}" last_line_matches "$1"
}
first_line_is() { [ "$(probe lines | head -n 1)" = "$1" ] && probe noboxes 0; }

# The whole screen as the next numbered picture of this script.
shot() {
    shot_number=$((shot_number + 1))
    import -window root "$artifacts/$(printf '%02d' "$shot_number")-$1.png" 2>/dev/null
}

# A picture of one screen rectangle ("left top right bottom") into a file.
crop_shot() {
    local file=$1 left top right bottom
    read -r left top right bottom <<<"$2"
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$file" 2>/dev/null
}

# A drive letter that nothing in the prefix uses yet, from R downwards.
free_drive_letter() {
    local letter
    for letter in R Q P O N M L K J I H G F E D; do
        local lower
        lower=$(echo "$letter" | tr 'A-Z' 'a-z')
        if [ ! -e "$WINEPREFIX/dosdevices/$lower:" ] && [ ! -L "$WINEPREFIX/dosdevices/$lower:" ]; then
            echo "$letter"
            return 0
        fi
    done
    return 1
}

# Makes the folder a drive of the prefix (type cdrom, hd or removable) for
# every program at once, as Wine's drive configuration does; removed on exit.
define_drive() {
    local letter=$1 folder=$2 type=$3
    probe drive "$letter" "$folder" "$type" >/dev/null || fail "cannot define drive $letter: as $type"
    defined_drives+=("$letter")
}

# The drive the open drive dialog ($box) proposes, such as "R:".
proposed_drive() { printf '%s\n' "$box" | awk -F '\t' '$1 == "  ComboBox" { print $2 }'; }

# The drive the Scan dialog must propose the first time: the first CD-ROM
# drive from C to Z, else C.
first_cd_drive() {
    local first
    first=$(probe drives | awk -F '\t' '$2 == 5 && $1 >= "C:" { print $1; exit }')
    echo "${first:-C:}"
}

# In the open drive dialog, makes the drive letter the chosen entry the way a
# user does: focus on the list (Shift+Tab from "&Start scan") and its letter.
choose_drive() {
    local letter=$1
    [ "$(proposed_drive)" = "$letter:" ] && return 0
    note "the dialog proposes $(proposed_drive); choosing $letter: with the keyboard"
    press shift+Tab
    press "$(echo "$letter" | tr 'A-Z' 'a-z')"
    local caption
    caption=$(box_caption)
    wait_until "drive $letter: in the drive dialog" 5 drive_proposed "$caption" "$letter"
}
drive_proposed() {
    read_box "^box\t#32770\t$1\t" && [ "$(proposed_drive)" = "$2:" ]
}

# The button bar's state: "&Scan=1 &Compare=0 ...".
bar_state() { probe buttons | awk -F '\t' '$1 != "bar" { printf "%s%s=%s", (n++ ? " " : ""), $1, $2 }'; }

# The independent oracle of the results: zlib's CRCs of the Linux files.
oracle() { python3 "$e2e_dir/ferrow_oracle.py" "$@"; }
tab=$'\t'
# The result line of a Linux path shown as the Windows path.
result_line() { printf '%s\t%s' "$(oracle crc "$1")" "$2"; }
# The list has this many lines and no box is open.
line_count_is() { [ "$(probe lines | wc -l)" -eq "$1" ] && probe noboxes 0; }

# The test disc (make_tree.py disk, with any further arguments) as a CD-ROM
# drive, and a folder for saved files. Sets disc, out, out_windows, letter,
# root ("R:\\"), changed (the file a test may change), changed_windows and
# scan_totals (the oracle's totals line of a scan).
disc_drive() {
    disc=$work/disc
    out=$work/out
    mkdir -p "$out"
    changed=$(python3 "$e2e_dir/make_tree.py" disk "$disc" "$@") || fail "cannot build the disc's tree"
    letter=$(free_drive_letter) || fail "no free drive letter in the prefix"
    define_drive "$letter" "$disc" cdrom
    root="$letter:\\"
    changed_windows="$root$(printf '%s' "${changed#"$disc"/}" | tr '/' '\\')"
    scan_totals=$(oracle totals "$disc") || fail "the oracle cannot read the tree"
    out_windows=$(windows_path "$out")
    note "drive $letter: holds $(find "$disc" -type f | wc -l) files; expected: $scan_totals"
}

# Starts the program: the usage text, and only Scan, Load, About and Exit enabled.
start_with_usage_text() {
    start_program
    shot start
    probe lines | grep -qx 'Purpose:' || fail "no usage text at start-up: $(probe lines)"
    [ "$(bar_state)" = "&Scan=1 &Compare=0 &Load=1 Sa&ve=0 &Print=0 &About=1 E&xit=1" ] ||
        fail "buttons at start-up: $(bar_state)"
}

# Scan of the test disc, from the Scan button to the totals line.
#   scan_disc TIMEOUT
scan_disc() {
    press_main alt+s
    wait_box '^box\t#32770\tScan new disk\t'
    choose_drive "$letter"
    press Return
    wait_walk_end 'Total files' "$1"
}

# Save under NAME, typed into the file dialog in the folder for saved files;
# SHOT, when given, is the picture of the dialog.
#   save_crc_file NAME [SHOT]
save_crc_file() {
    press_main alt+v
    wait_box '^box\t#32770\t'
    [ -z "${2:-}" ] || shot "$2"
    type_text "$out_windows\\$1"
    press Return
    wait_no_boxes
    # The title is read from the program itself, so the Save command has finished.
    [ "$(probe title)" = "Ferrow" ] || fail "title after Save: $(probe title)"
}

# The saved FILE holds the test disc's scan, byte for byte.
check_saved_disc() {
    probe walk "$root" >"$work/listing" || fail "the probe cannot list $root"
    oracle check-crc-file "$1" "$disc" "$letter" "$work/listing" ||
        fail "the saved file does not match the disc"
}

# One byte of FILE changed: the byte at OFFSET (from the end when negative)
# XOR MASK.
#   change_byte FILE OFFSET MASK
change_byte() {
    python3 - "$@" <<'PY' || fail "cannot change $1"
import sys
path, offset, mask = sys.argv[1], int(sys.argv[2]), int(sys.argv[3], 0)
data = bytearray(open(path, "rb").read())
data[offset] ^= mask
open(path, "wb").write(bytes(data))
PY
}

# Load of NAME, typed into the file dialog in the folder for saved files,
# until the loaded file's lines show.
load_crc_file() {
    press_main alt+l
    wait_box '^box\t#32770\t'
    type_text "$out_windows\\$1"
    press Return
    wait_until "the loaded file's lines" 30 first_line_is "Previous scan data:"
}
