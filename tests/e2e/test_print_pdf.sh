#!/bin/bash
# Prints the result list through the program's Print on the CUPS PDF printer
# that tools/testbed/test-setup.sh made the default, and reads the PDF back: each
# file's CRC (computed here by zlib) in the left column, its path twelve
# average character widths to the right, a totals line whole at the left,
# the page breaks and the copies.
#   $1: ferrow.exe of the build; the Wine test program beside it does the printing.
set -u
exe=$1
tests_exe=$(dirname "$exe")/tests/win/win_tests.exe
fail() { echo "test_print_pdf: $*" >&2; exit 1; }
# The Wine lane that ctest gave this test, not lane 0 under another test.
source "$(dirname "$0")/../../tools/testbed/wine-lane.sh"

[ -f "$tests_exe" ] || fail "no Wine test program at $tests_exe"
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || fail "source tools/wine-env.sh first"
command -v pdftotext >/dev/null || fail "pdftotext is missing (poppler-utils)"
lpstat -d 2>/dev/null | grep -q 'system default destination: PDF$' ||
    fail "the default printer is not the CUPS PDF printer: run tools/testbed/test-setup.sh"

# cups-pdf writes the job into the output folder of the user who printed.
user_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out_dir=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out_dir=${out_dir:-'${HOME}/PDF'}
out_dir=${out_dir//'${HOME}'/$user_home}
mkdir -p "$out_dir"

work=$(mktemp -d /tmp/ferrow-print-XXXXXX)
# Short paths: a path that runs past the page's right edge is cut off there.
files=$(mktemp -d /tmp/fp-XXXXXX)
made_pdfs=()
cleanup() {
    rm -rf "$work" "$files"
    local pdf
    for pdf in "${made_pdfs[@]}"; do rm -f "$pdf"; done
}
trap cleanup EXIT

# 40 files of different contents, in a folder with no other file.
for i in $(seq -w 1 40); do
    printf 'Ferrow print test, file %s\n%*s' "$i" "$((10#$i * 7))" '' >"$files/f$i.txt"
done
windows_folder="Z:${files//\//\\}"

# Prints in the given number of copies and leaves the PDF's path in $pdf.
print_copies() {
    local copies=$1
    local before
    before=$(ls -1 "$out_dir" 2>/dev/null | sort)
    FERROW_PRINT_FILES="$windows_folder" FERROW_PRINT_COPIES=$copies \
        timeout 120 wine "$tests_exe" --gtest_filter=PrintJob.DroppedFilesInCopies \
        >"$work/wine-$copies.log" 2>&1
    local rc=$?
    grep -q '\[  PASSED  \] 1 test' "$work/wine-$copies.log" && [ $rc -eq 0 ] || {
        cat "$work/wine-$copies.log" >&2
        fail "the print step failed (copies $copies)"
    }
    # The job reaches the folder a moment after the program ended its document.
    local i new=""
    for i in $(seq 1 120); do
        if [ -z "$(lpstat -o 2>/dev/null)" ]; then
            new=$(comm -13 <(echo "$before") <(ls -1 "$out_dir" 2>/dev/null | sort) | grep -i '\.pdf$' | head -n 1)
            [ -n "$new" ] && break
        fi
        sleep 0.5
    done
    [ -n "$new" ] || fail "no PDF appeared in $out_dir (copies $copies)"
    pdf="$out_dir/$new"
    made_pdfs+=("$pdf")
    case "$new" in
        *Ferrow_output*|*Ferrow-output*|*Ferrow\ output*) ;;
        *) fail "the job is not titled \"Ferrow output\": $new" ;;
    esac
}

check_pdf() {
    local copies=$1
    pdftotext -bbox "$pdf" "$work/bbox-$copies.html" || fail "pdftotext cannot read $pdf"
    python3 - "$work/bbox-$copies.html" "$files" "$windows_folder" "$copies" <<'PYTHON'
import html, os, re, sys, zlib

bbox_file, folder, windows_folder, copies = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])

# The printer's metrics as Wine reports them for the CUPS PDF printer (A4 at
# 300 dpi): 3508 pixels of page, lines of 100 pixels, characters 52 wide.
PT_PER_PIXEL = 72 / 300
LINE = 100 * PT_PER_PIXEL
PATH_COLUMN = 12 * 52 * PT_PER_PIXEL
LINES_PER_PAGE = 3508 // 100 - 1          # line 0 of every page stays empty

def program_crc(data):
    """The program's CRC: reflected CRC-32 from 0 without final inversion."""
    return zlib.crc32(data, 0xFFFFFFFF) ^ 0xFFFFFFFF

names = sorted(os.listdir(folder))
expected = []
for name in names:
    with open(os.path.join(folder, name), 'rb') as f:
        crc = program_crc(f.read())
    expected.append(('%08X' % crc, windows_folder + '\\' + name))
expected.append(('Total', None))  # the totals line: no tab, all at the left

text = open(bbox_file, encoding='utf-8').read()
pages = []
for page in re.findall(r'<page[^>]*>(.*?)</page>', text, re.S):
    words = [(float(x0), float(y0), html.unescape(w)) for x0, y0, w in
             re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(.*?)</word>', page)]
    lines = {}
    for x0, y0, w in words:
        key = next((k for k in lines if abs(k - y0) < 2), y0)
        lines.setdefault(key, []).append((x0, w))
    pages.append([(y, sorted(ws)) for y, ws in sorted(lines.items())])

errors = []
per_copy = [expected[i:i + LINES_PER_PAGE] for i in range(0, len(expected), LINES_PER_PAGE)]
want_pages = per_copy * copies
if len(pages) != len(want_pages):
    errors.append('%d pages, expected %d (%d lines, %d a page, %d copies)' %
                  (len(pages), len(want_pages), len(expected), LINES_PER_PAGE, copies))

left_x = None
for number, (got, want) in enumerate(zip(pages, want_pages), 1):
    if len(got) != len(want):
        errors.append('page %d: %d lines, expected %d' % (number, len(got), len(want)))
        continue
    first_y = got[0][0]
    if not (LINE - 2 <= first_y < 2 * LINE):
        errors.append('page %d: first line at %.1f pt, expected on line 1 (%.1f pt)' % (number, first_y, LINE))
    for k, ((y, words), (left, right)) in enumerate(zip(got, want)):
        where = 'page %d line %d' % (number, k + 1)
        if abs((y - first_y) - k * LINE) > 1.0:
            errors.append('%s: at %.1f pt, expected %.1f pt below the first' % (where, y - first_y, k * LINE))
        x0, word = words[0]
        if right is None:
            # Two leading spaces, then the words, all left of the path column.
            line_text = ' '.join(w for _, w in words)
            if line_text != 'Total files: 3 Total folders: 1':
                errors.append('%s: expected the totals line, read %r' % (where, line_text))
            if left_x is None or not (left_x < x0 < left_x + PATH_COLUMN / 2):
                errors.append('%s: totals line at %.1f pt, expected just right of the left margin' % (where, x0))
            continue
        left_x = x0 if left_x is None else left_x
        if abs(x0 - left_x) > 0.5:
            errors.append('%s: left column at %.1f pt, expected %.1f pt' % (where, x0, left_x))
        if word != left:
            errors.append('%s: CRC %r, expected %r' % (where, word, left))
        if len(words) != 2:
            errors.append('%s: %d words, expected the CRC and the path' % (where, len(words)))
            continue
        px, path = words[1]
        if path != right:
            errors.append('%s: path %r, expected %r' % (where, path, right))
        if abs(px - left_x - PATH_COLUMN) > 1.0:
            errors.append('%s: path column %.1f pt right of the CRC, expected %.1f pt' %
                          (where, px - left_x, PATH_COLUMN))

if errors:
    print('\n'.join(errors[:30]), file=sys.stderr)
    sys.exit(1)
print('%d pages, %d lines a copy, %d copies: as expected' % (len(pages), len(expected), copies))
PYTHON
}

print_copies 1
check_pdf 1 || fail "the printed PDF (one copy) is not as expected"
print_copies 2
check_pdf 2 || fail "the printed PDF (two copies) is not as expected"
echo "test_print_pdf: passed"
