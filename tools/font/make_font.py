#!/usr/bin/python3
# Builds source/resources/Apple_II.ttf, orvel's pixel font for text screens, from glyphs.txt.
# Kept apart from the program: the font is generated once and committed; run with /usr/bin/python3.
"""Turn the dot pictures of glyphs.txt into a TrueType font, one square per dot.

One dot is 128 font units and the em is 1024 units, so at a pixel size of 8 every
dot falls on exactly one pixel. Each glyph's lit dots are traced into closed outlines
(outer contours clockwise, holes counter-clockwise), so no contours overlap.
The output is byte-for-byte reproducible: timestamps are fixed.
"""

import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables.O_S_2f_2 import Panose

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
GLYPHS_PATH = os.path.join(HERE, "glyphs.txt")
FONT_PATH = os.path.join(REPO, "source", "resources", "Apple_II.ttf")

COLUMNS = 7
ROWS = 8
DOT = 128
UNITS_PER_EM = 1024
ASCENT = 7 * DOT  # rows 0-6 stand on the baseline
DESCENT = 1 * DOT  # row 7 hangs below it
ADVANCE = COLUMNS * DOT

FAMILY = "Orvel Apple II"
STYLE = "Regular"
VERSION = "1.000"
# 2024-01-01 00:00:00 in seconds since 1904-01-01, the epoch of the head table.
FIXED_TIMESTAMP = 3786825600


class GlyphSourceError(Exception):
    """A mistake in glyphs.txt; the message names the line or the glyph."""


def parse_glyphs(text):
    """Return [(code point, name, [8 strings of 7 '#'/'.'])] in file order."""
    glyphs = []
    seen = set()
    current = None
    for number, raw in enumerate(text.splitlines(), start=1):
        line = raw.strip()
        if current is not None and len(current[2]) < ROWS:
            if len(line) != COLUMNS or set(line) - {"#", "."}:
                raise GlyphSourceError(
                    f"line {number}: expected a row of {COLUMNS} '#'/'.' dots, got {line!r}")
            current[2].append(line)
            continue
        if not line or line.startswith(";"):
            continue
        if not line.startswith("U+"):
            raise GlyphSourceError(f"line {number}: expected a 'U+XXXX name' header, got {line!r}")
        code_text, _, name = line[2:].partition(" ")
        try:
            code = int(code_text, 16)
        except ValueError:
            raise GlyphSourceError(f"line {number}: bad code point {code_text!r}") from None
        if code in seen:
            raise GlyphSourceError(f"line {number}: U+{code:04X} is drawn twice")
        seen.add(code)
        current = (code, name.strip(), [])
        glyphs.append(current)
    if current is not None and len(current[2]) < ROWS:
        raise GlyphSourceError(f"U+{current[0]:04X}: the file ends inside its picture")
    return glyphs


def dot_edges(rows):
    """Directed boundary edges of the lit dots, filled area on the right (y grows upwards)."""

    def lit(col, row):
        return 0 <= col < COLUMNS and 0 <= row < ROWS and rows[row][col] == "#"

    edges = []
    for row in range(ROWS):
        top = ASCENT - row * DOT
        bottom = top - DOT
        for col in range(COLUMNS):
            if not lit(col, row):
                continue
            left = col * DOT
            right = left + DOT
            if not lit(col - 1, row):
                edges.append(((left, bottom), (left, top)))
            if not lit(col, row - 1):
                edges.append(((left, top), (right, top)))
            if not lit(col + 1, row):
                edges.append(((right, top), (right, bottom)))
            if not lit(col, row + 1):
                edges.append(((right, bottom), (left, bottom)))
    return edges


def turn(incoming, outgoing):
    """Positive for a right turn, 0 straight on, negative for a left turn (y grows upwards)."""
    (ax, ay), (bx, by) = incoming
    (cx, cy), (dx, dy) = outgoing
    return (by - ay) * (dx - cx) - (bx - ax) * (dy - cy)


def trace_contours(rows):
    """Chain the boundary edges into closed contours of corner points.

    Where two dots touch only at a corner, the trace turns right, towards the filled
    side, so each dot group keeps its own contour and no contour crosses itself.
    Each trace starts at the leftmost remaining point, which is never such a corner
    while both of its contours are still untraced.
    """
    outgoing = {}
    for edge in dot_edges(rows):
        outgoing.setdefault(edge[0], []).append(edge)
    contours = []
    while outgoing:
        start = min(outgoing)
        edge = take_edge(outgoing, start, outgoing[start][0])
        points = [start]
        while edge[1] != start:
            choices = outgoing[edge[1]]
            following = max(choices, key=lambda candidate: turn(edge, candidate))
            edge = take_edge(outgoing, edge[1], following)
            points.append(edge[0])
        contours.append(drop_straight_points(points))
    return contours


def take_edge(outgoing, point, edge):
    outgoing[point].remove(edge)
    if not outgoing[point]:
        del outgoing[point]
    return edge


def drop_straight_points(points):
    """Keep only the corners: points in the middle of a straight run add nothing."""
    corners = []
    count = len(points)
    for index, point in enumerate(points):
        before = points[index - 1]
        after = points[(index + 1) % count]
        straight = (before[0] == point[0] == after[0]) or (before[1] == point[1] == after[1])
        if not straight:
            corners.append(point)
    return corners


def signed_area(contour):
    """Shoelace area: negative for a clockwise contour (y grows upwards)."""
    total = 0
    for index, (x0, y0) in enumerate(contour):
        x1, y1 = contour[(index + 1) % len(contour)]
        total += x0 * y1 - x1 * y0
    return total // 2


def check_winding(label, rows, contours):
    """The contours must cover exactly the lit dots, clockwise outside, holes counter-clockwise.

    Renderers fill by the nonzero rule and would forgive a reversed or doubled contour;
    other tools do not, so the generator refuses to write such a glyph.
    """
    lit_area = sum(row.count("#") for row in rows) * DOT * DOT
    if -sum(signed_area(contour) for contour in contours) != lit_area:
        raise GlyphSourceError(f"{label}: traced outline does not match the lit dots")


def glyph_outline(label, rows):
    contours = trace_contours(rows)
    check_winding(label, rows, contours)
    pen = TTGlyphPen(None)
    for contour in contours:
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def notdef_outline():
    """An empty box with a dark inside, so a missing character shows as a frame."""
    rows = ["......."] * ROWS
    rows[0] = ".#####."
    for row in range(1, 6):
        rows[row] = ".#...#."
    rows[6] = ".#####."
    return glyph_outline(".notdef", rows)


def glyph_name(code):
    return "space" if code == 0x20 else f"uni{code:04X}"


def build_font(glyphs):
    names = [".notdef"] + [glyph_name(code) for code, _, _ in glyphs]
    outlines = {".notdef": notdef_outline()}
    for code, _, rows in glyphs:
        outlines[glyph_name(code)] = glyph_outline(f"U+{code:04X}", rows)

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.font.recalcTimestamp = False
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({code: glyph_name(code) for code, _, _ in glyphs})
    builder.setupGlyf(outlines)
    builder.setupHorizontalMetrics(
        {name: (ADVANCE, outlines[name].xMin if outlines[name].numberOfContours else 0)
         for name in names})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    builder.setupNameTable({
        "familyName": FAMILY,
        "styleName": STYLE,
        "uniqueFontIdentifier": f"{FAMILY} {STYLE} {VERSION}",
        "fullName": f"{FAMILY} {STYLE}",
        "psName": FAMILY.replace(" ", "") + "-" + STYLE,
        "version": f"Version {VERSION}",
        "description": "Drawn dot by dot for orvel's Apple II text screens.",
    })
    builder.setupOS2(
        version=4,
        sTypoAscender=ASCENT,
        sTypoDescender=-DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=DESCENT,
        sxHeight=5 * DOT,
        sCapHeight=ASCENT,
        xAvgCharWidth=ADVANCE,
        fsType=0,
        fsSelection=0x40 | 0x80,  # REGULAR, USE_TYPO_METRICS
        achVendID="ORVL",
        panose=monospaced_panose(),
    )
    builder.setupPost(isFixedPitch=1, underlinePosition=-DOT, underlineThickness=DOT // 2)
    builder.setupHead(unitsPerEm=UNITS_PER_EM, created=FIXED_TIMESTAMP,
                      modified=FIXED_TIMESTAMP, fontRevision=float(VERSION))
    builder.setupMaxp()
    return builder.font


def monospaced_panose():
    panose = Panose()
    for field in ("bSerifStyle", "bWeight", "bContrast", "bStrokeVariation", "bArmStyle",
                  "bLetterForm", "bMidline", "bXHeight"):
        setattr(panose, field, 0)
    panose.bFamilyType = 2  # Latin text
    panose.bProportion = 9  # monospaced
    return panose


def main():
    with open(GLYPHS_PATH, encoding="utf-8") as source:
        text = source.read()
    try:
        font = build_font(parse_glyphs(text))
    except GlyphSourceError as error:
        sys.exit(f"{GLYPHS_PATH}: {error}")
    out_path = sys.argv[1] if len(sys.argv) > 1 else FONT_PATH
    temporary = out_path + ".tmp"
    font.save(temporary, reorderTables=True)
    os.replace(temporary, out_path)
    print(f"wrote {out_path}: {len(font.getGlyphOrder()) - 1} glyphs + .notdef")


if __name__ == "__main__":
    main()
