#!/bin/bash
# A scan is complete and unsaved; a Compare runs; the user closes the window
# with its close box. The close request stops the compare, and only once the
# walk has returned does "Save CRC's?" come up; Yes then saves the whole scan
# (its count, folders and disk CRC), not the compare's half-made figures.
# Exit 0: the saved file holds the whole scan; 1: the fault shows.
#   $1: ferrow.exe of the build
source "$(dirname "$0")/e2e_lib.sh" "$@"

disc=$work/many
python3 "$e2e_dir/make_tree.py" many "$disc" 10000 || fail "cannot build the tree"
letter=$(free_drive_letter) || fail "no free drive letter"
define_drive "$letter" "$disc" cdrom
scan_totals=$(oracle totals "$disc")
mkdir -p "$work/out"

start_program
press_main alt+s
wait_box '^box\t#32770\tScan new disk\t'
choose_drive "$letter"
press Return
wait_walk_end 'Total files' 300
[ "$(probe lines | tail -n 1)" = "$scan_totals" ] || fail "the scan: $(probe lines | tail -n 1)"

press_main alt+c
wait_box '^box\t#32770\tCompare with\t'
press Return
wait_box '^box\t#32770\t\t' 20
read -r left top right bottom <<<"$(probe rect)"
click_at "$((right - 14))" "$((top + 12))"
wait_box '^box\tCMSGCLASS\tFerrow\t' 20
note "\"Save CRC's?\" came up during the compare (status: $(probe status)); answering Yes"
shot question-during-compare
press y
wait_box '^box\t#32770\t'
type_text "$(windows_path "$work/out")\\scan"
press Return
wait_program_end 60
python3 - "$work/out/scan.crc" "$scan_totals" <<'PY'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
count, folders, disk = struct.unpack_from("<III", data, 20)
crcs = struct.unpack_from("<%dI" % count, data, 48)
files, want_folders, want_disk = re.match(r"  Total files:  (\d+)  Total folders:  (\d+)  CRC for disk:  ([0-9A-F]{8})", sys.argv[2]).groups()
print("saved: crcCount %d, folderCount %d, diskCrc %08X, sum of its CRCs %08X; the scan: %s files, %s folders, %s"
      % (count, folders, disk, sum(crcs) & 0xFFFFFFFF, files, want_folders, want_disk))
sys.exit(0 if (count, folders, "%08X" % disk) == (int(files), int(want_folders), want_disk)
         and sum(crcs) & 0xFFFFFFFF == disk else 1)
PY
[ $? -eq 0 ] || fail "the file saved on closing during a compare does not hold the scan"
note "passed: the saved file holds the whole scan"
