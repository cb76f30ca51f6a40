#!/usr/bin/env python3
"""Reads a PDF printed by Ferrow (pdftotext -bbox output) and checks it
against the result list it printed: every list line on one printed line, in
order; a result line's CRC at the left margin and its path twelve average
character widths to the right; a line without a tab whole at the left.

  pdf_columns.py BBOX_HTML LIST_LINES_FILE

The printer's metrics are those Wine's PostScript driver reports for the CUPS
PDF printer: 300 dpi and an average character width of 52 pixels for the
default font, so the path column starts 12 x 52 pixels = 149.76 pt right of
the CRC.
"""
import html
import re
import sys

PT_PER_PIXEL = 72 / 300
PATH_COLUMN = 12 * 52 * PT_PER_PIXEL


def printed_lines(bbox_file):
    """Per page, the lines as (y, [(x, word), ...]) from top to bottom."""
    text = open(bbox_file, encoding="utf-8").read()
    pages = []
    for page in re.findall(r"<page[^>]*>(.*?)</page>", text, re.S):
        words = [(float(x0), float(y0), html.unescape(w)) for x0, y0, w in re.findall(
            r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">(.*?)</word>', page)]
        lines = {}
        for x0, y0, word in words:
            key = next((k for k in lines if abs(k - y0) < 2), y0)
            lines.setdefault(key, []).append((x0, word))
        pages.append([(y, sorted(ws)) for y, ws in sorted(lines.items())])
    return pages


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    pages = printed_lines(argv[1])
    expected = [line.rstrip("\n") for line in open(argv[2], encoding="utf-8")]
    got = [words for page in pages for _, words in page]
    errors = []
    if len(got) != len(expected):
        errors.append("%d printed lines, the list has %d" % (len(got), len(expected)))
    left = None
    for number, (words, line) in enumerate(zip(got, expected), 1):
        crc, tab, path = line.partition("\t")
        x0 = words[0][0]
        left = x0 if left is None else left
        if abs(x0 - left) > 0.5:
            errors.append("line %d starts at %.1f pt, the others at %.1f pt" % (number, x0, left))
        if not tab:
            text = " ".join(w for _, w in words)
            if text != " ".join(line.split()):
                errors.append("line %d reads %r, expected %r" % (number, text, line))
            continue
        if words[0][1] != crc:
            errors.append("line %d: CRC %r, expected %r" % (number, words[0][1], crc))
        rest = words[1:]
        if not rest:
            errors.append("line %d: no path printed" % number)
            continue
        if " ".join(w for _, w in rest) != " ".join(path.split()):
            errors.append("line %d: path %r, expected %r" % (number, " ".join(w for _, w in rest), path))
        offset = rest[0][0] - x0
        if abs(offset - PATH_COLUMN) > 1.0:
            errors.append("line %d: path %.1f pt right of the CRC, expected %.1f pt" % (number, offset, PATH_COLUMN))
    if errors:
        print("\n".join(errors[:20]), file=sys.stderr)
        return 1
    print("%d lines on %d page(s), CRCs left, paths right" % (len(got), len(pages)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
