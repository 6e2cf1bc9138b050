#!/usr/bin/env python3
"""Writes the default layout-description files of the division types.

Each division is a grid of `rows` x `columns` equal cells in which a few larger windows are
placed; every cell they leave free becomes a one-cell window. Windows are numbered in reading
order of their top-left cell, so display index 0 is the top-left window (the large one where
there is one). Run from anywhere; the files are written next to this script:

    python3 layouts/generate.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def division(type_, name, rows, columns, large=()):
    """`large`: (row, column, rowSpan, columnSpan) of each window wider than one cell."""
    covered = set()
    windows = []
    for (row, column, row_span, column_span) in large:
        for r in range(row, row + row_span):
            for c in range(column, column + column_span):
                if not (0 <= r < rows and 0 <= c < columns) or (r, c) in covered:
                    sys.exit("division %d: window %r leaves the grid or overlaps" % (type_, large))
                covered.add((r, c))
        windows.append((row, column, row_span, column_span))
    for r in range(rows):
        for c in range(columns):
            if (r, c) not in covered:
                windows.append((r, c, 1, 1))
    windows.sort()
    return {"type": type_, "name": name, "rows": rows, "columns": columns, "windows": windows}


def grid(type_, rows, columns, name=None):
    return division(type_, name or "%d x %d" % (columns, rows), rows, columns)


# Square grids and grids with one large window; the selector's names give the grid size and
# the window count (a 3 x 3 grid holding 6 windows, a 7 x 7 grid holding 32).
STANDARD = [
    grid(1, 1, 1, "1 Window"),
    grid(2, 2, 2, "2 x 2"),
    division(3, "3 x 3, 6 Windows", 3, 3, [(0, 0, 2, 2)]),
    grid(4, 3, 3, "3 x 3"),
    division(5, "4 x 4, 8 Windows", 4, 4, [(0, 0, 3, 3)]),
    division(7, "4 x 4, 13 Windows", 4, 4, [(1, 1, 2, 2)]),
    grid(8, 4, 4, "4 x 4"),
    grid(15, 5, 5, "5 x 5"),
    division(16, "7 x 7, 32 Windows", 7, 7,
             [(0, 0, 3, 3), (0, 3, 2, 2), (0, 5, 2, 2), (3, 0, 2, 2)]),
    grid(18, 6, 6, "6 x 6"),
    grid(17, 8, 8, "8 x 8"),
]

# Wide-screen grids: "4 x 3" is four columns by three rows.
WIDE = [
    division(100, "4 x 3, 4 Windows", 3, 4, [(0, 0, 3, 3)]),
    division(101, "4 x 3, 6 Windows", 3, 4, [(0, 0, 2, 2), (0, 2, 2, 2)]),
    division(102, "4 x 3, 9 Windows", 3, 4, [(0, 0, 2, 2)]),
    grid(103, 3, 4, "4 x 3, 12 Windows"),
    division(104, "8 x 6, 7 Windows", 6, 8,
             [(0, 0, 4, 6), (0, 6, 2, 2), (2, 6, 2, 2),
              (4, 0, 2, 2), (4, 2, 2, 2), (4, 4, 2, 2), (4, 6, 2, 2)]),
    division(105, "8 x 6, 16 Windows", 6, 8,
             [(0, 0, 4, 6), (4, 0, 2, 2), (4, 2, 2, 2), (4, 4, 2, 2)]),
    division(106, "8 x 6, 24 Windows", 6, 8,
             [(r, c, 2, 2) for r in (0, 2) for c in (0, 2, 4, 6)]),
    division(107, "8 x 6, 36 Windows", 6, 8, [(0, c, 2, 2) for c in (0, 2, 4, 6)]),
    grid(108, 6, 8, "8 x 6, 48 Windows"),
]

# One large window (the map's place in a map view) with small windows around it.
FOCUS = [
    division(350, "1 + 5", 3, 3, [(0, 0, 2, 2)]),
    division(351, "1 + 7", 4, 4, [(0, 0, 3, 3)]),
    division(352, "1 + 8", 3, 4, [(0, 0, 2, 2)]),
    division(353, "1 + 9", 5, 5, [(0, 0, 4, 4)]),
    division(354, "1 + 11", 6, 6, [(0, 0, 5, 5)]),
    division(355, "1 + 15", 4, 6, [(0, 0, 3, 3)]),
    division(356, "1 + 16", 5, 5, [(0, 0, 3, 3)]),
]

# One large window on the left with small windows down the right-hand side.
SIDE = [
    grid(400, 1, 2, "1 | 1"),
    division(401, "1 | 2", 2, 3, [(0, 0, 2, 2)]),
    division(402, "1 | 4", 4, 5, [(0, 0, 4, 4)]),
    division(403, "1 + 5 Right", 3, 3, [(0, 0, 2, 2)]),
    division(404, "1 + 7 Right", 4, 4, [(0, 0, 3, 3)]),
]

# One large window on top (or top right) with small windows below (and to the left).
STACKED = [
    grid(450, 2, 1, "1 / 1"),
    division(451, "1 / 2", 3, 2, [(0, 0, 2, 2)]),
    division(452, "1 / 4", 5, 4, [(0, 0, 4, 4)]),
    division(453, "1 + 5 Left", 3, 3, [(0, 1, 2, 2)]),
    division(454, "1 + 7 Left", 4, 4, [(0, 1, 3, 3)]),
]

# Mixed divisions: several large windows, or wide grids of small ones.
MIXED = [
    division(500, "1 + 3 Right", 3, 4, [(0, 0, 3, 3)]),
    division(501, "1 + 3 Below", 3, 3, [(0, 0, 2, 3)]),
    division(502, "1 + 4 Below", 4, 4, [(0, 0, 3, 4)]),
    division(503, "2 + 4", 3, 4, [(0, 0, 2, 2), (0, 2, 2, 2)]),
    division(504, "3 + 4", 4, 4, [(0, 0, 2, 2), (0, 2, 2, 2), (2, 0, 2, 2)]),
    division(505, "2 + 8", 4, 4, [(0, 0, 2, 2), (0, 2, 2, 2)]),
    grid(506, 3, 4, "4 x 3"),
    division(507, "1 + 12", 4, 4, [(1, 1, 2, 2)]),
    grid(508, 4, 6, "6 x 4"),
    grid(509, 4, 8, "8 x 4"),
    grid(510, 4, 9, "9 x 4"),
    grid(511, 6, 8, "8 x 6"),
]

FILES = {
    "standard.xml": STANDARD,
    "widescreen.xml": WIDE,
    "focus.xml": FOCUS,
    "side.xml": SIDE,
    "stacked.xml": STACKED,
    "mixed.xml": MIXED,
}


def render(divisions):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<Config>"]
    for div in divisions:
        windows = div["windows"]
        out.append(" <ElementConfig>")
        out.append("  <Name>%s</Name>" % div["name"])
        out.append("  <Type>%d</Type>" % div["type"])
        out.append("  <WndSize>%d</WndSize>" % len(windows))
        out.append("  <RowStretch>%s</RowStretch>" % ",".join(["1"] * div["rows"]))
        out.append("  <ColumnStretch>%s</ColumnStretch>" % ",".join(["1"] * div["columns"]))
        out.append("  <ElementItems>")
        for index, (row, column, row_span, column_span) in enumerate(windows):
            out.append('   <Element type="QWidget" id="%d" row="%d" column="%d" rowSpan="%d"'
                       ' columnSpan="%d"/>' % (index, row, column, row_span, column_span))
        out.append("  </ElementItems>")
        out.append(" </ElementConfig>")
    out.append("</Config>")
    return "\n".join(out) + "\n"


def main():
    seen = set()
    for file_name, divisions in FILES.items():
        for div in divisions:
            if div["type"] in seen:
                sys.exit("division %d is described twice" % div["type"])
            seen.add(div["type"])
        with open(os.path.join(HERE, file_name), "w", encoding="utf-8", newline="\n") as f:
            f.write(render(divisions))


if __name__ == "__main__":
    main()
