#!/usr/bin/env python3
# Writes orvel's sample pictures and text screens (samples/) for the converter, tests and README.
# Kept apart from the program: each sample is drawn from scratch, checked, rewritten identically.
"""Write colors.hgr, bars.dhgr, pair.hgr + pair.AUX, screen40.txt and screen80.txt into samples/.

Usage: python3 tools/make_samples.py [output-directory]

Pictures are drawn on a plain grid (hi-res: 40 bytes a line; double hi-res: 560 dots
a line) and then scattered into Apple II screen memory, whose lines are interleaved
and whose 8-byte "screen holes" stay zero. Text is drawn with the glyphs of
tools/font/glyphs.txt. Nothing here is random, so the output never changes unless
this script does. Every file is checked (size, holes, bit 7, text widths) before it
is written, and each bank is read back and compared with the grid it came from.
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
GLYPHS_PATH = os.path.join(HERE, "font", "glyphs.txt")

BANK_SIZE = 8192
LINES = 192
BYTES_PER_LINE = 40
DHGR_DOTS = 560
GLYPH_COLUMNS = 7
GLYPH_ROWS = 8
TEXT_ROWS = 24


# ---- screen memory ----


def line_offset(y):
    """Where line y starts in a bank: by third of the screen, group of 8, row in the group."""
    return 1024 * (y % 8) + 128 * ((y // 8) % 8) + 40 * (y // 64)


def hole_offsets():
    """The 8 bytes at the end of every 128-byte block that belong to no line."""
    return [block + i for block in range(0, BANK_SIZE, 128) for i in range(120, 128)]


def pack_bank(lines):
    """Scatter 192 lines of 40 bytes into an 8 KiB bank, holes left zero."""
    bank = bytearray(BANK_SIZE)
    for y, line in enumerate(lines):
        start = line_offset(y)
        bank[start : start + BYTES_PER_LINE] = bytes(line)
    if unpack_bank(bank) != lines:
        raise SystemExit("a bank does not read back as drawn")
    return bytes(bank)


def unpack_bank(bank):
    return [list(bank[line_offset(y) : line_offset(y) + BYTES_PER_LINE]) for y in range(LINES)]


# ---- font ----


def parse_glyphs(text):
    """Return {code point: 8 rows of 7 booleans} for every glyph in glyphs.txt."""
    glyphs = {}
    code, rows = None, None
    for number, raw in enumerate(text.splitlines(), start=1):
        line = raw.strip()
        if rows is not None and len(rows) < GLYPH_ROWS:
            if len(line) != GLYPH_COLUMNS or set(line) - {"#", "."}:
                raise SystemExit("%s:%d: expected a row of 7 '#'/'.'" % (GLYPHS_PATH, number))
            rows.append([dot == "#" for dot in line])
            if len(rows) == GLYPH_ROWS:
                glyphs[code] = rows
            continue
        if not line or line.startswith(";"):
            continue
        if not line.startswith("U+"):
            raise SystemExit("%s:%d: expected a 'U+XXXX name' header" % (GLYPHS_PATH, number))
        code, rows = int(line[2:].split(" ", 1)[0], 16), []
    return glyphs


def load_font():
    with open(GLYPHS_PATH, encoding="utf-8") as source:
        glyphs = parse_glyphs(source.read())
    missing = [c for c in range(0x20, 0x7F) if c not in glyphs]
    if missing:
        raise SystemExit("glyphs.txt lacks U+%04X" % missing[0])
    return glyphs


def glyph_dots(font, text):
    """Yield (column, row) of every lit glyph dot in text, columns counted in glyph dots."""
    for index, ch in enumerate(text):
        rows = font[ord(ch)]
        for row in range(GLYPH_ROWS):
            for column in range(GLYPH_COLUMNS):
                if rows[row][column]:
                    yield index * GLYPH_COLUMNS + column, row


# ---- hi-res drawing ----

# Byte pairs (even byte column, odd byte column) that paint a solid colour: since a byte
# holds 7 pixels, the parity of pixel x flips from one byte to the next.
HIRES_COLOURS = {
    "BLACK": (0x00, 0x00),
    "VIOLET": (0x55, 0x2A),
    "GREEN": (0x2A, 0x55),
    "WHITE": (0x7F, 0x7F),
    "BLACK 2": (0x80, 0x80),
    "BLUE": (0xD5, 0xAA),
    "ORANGE": (0xAA, 0xD5),
    "WHITE 2": (0xFF, 0xFF),
}


def light_pixel(line, x):
    line[x // 7] |= 1 << (x % 7)


def fill_hires_colour(line, first_byte, end_byte, colour):
    even, odd = HIRES_COLOURS[colour]
    for c in range(first_byte, end_byte):
        line[c] = odd if c % 2 else even


def draw_hires_text(lines, font, x0, y0, text):
    """White text: a glyph dot lights two neighbouring pixels, so no dot stands alone in colour."""
    for column, row in glyph_dots(font, text):
        light_pixel(lines[y0 + row], x0 + 2 * column)
        light_pixel(lines[y0 + row], x0 + 2 * column + 1)


def draw_swatch(lines, top, height, colour):
    """A colour field in a white frame (so the black swatches show too), bytes 13-38."""
    left, right = 13, 38
    for c in range(left, right + 1):
        lines[top][c] |= 0x7F
        lines[top + height - 1][c] |= 0x7F
    for y in range(top + 1, top + height - 1):
        fill_hires_colour(lines[y], left + 1, right, colour)
        lines[y][left] |= 0x60  # pixels 96-97, the frame's left edge
        lines[y][right] |= 0x03  # pixels 266-267, its right edge


def draw_band(lines, font, top, colour):
    height = 16
    label = colour.split(" ")[0]
    draw_swatch(lines, top, height, colour)
    draw_hires_text(lines, font, 0, top + (height - GLYPH_ROWS) // 2 + 1, label)


def colors_picture(font):
    """Hi-res: the colours with bit 7 clear, then with bit 7 set (those lines wholly so)."""
    lines = [[0] * BYTES_PER_LINE for _ in range(LINES)]
    # The second group's lines, from just above its heading to its last band, have bit 7
    # set in every byte, black included, so a viewer can tell the two blacks apart.
    for y in range(102, 189):
        lines[y] = [0x80] * BYTES_PER_LINE
    draw_hires_text(lines, font, 0, 3, "ORVEL HI-RES COLOURS")
    groups = [(16, "BIT 7 CLEAR", ["BLACK", "VIOLET", "GREEN", "WHITE"]),
              (105, "BIT 7 SET", ["BLACK 2", "BLUE", "ORANGE", "WHITE 2"])]
    for top, heading, colours in groups:
        draw_hires_text(lines, font, 0, top, heading)
        for index, colour in enumerate(colours):
            draw_band(lines, font, top + 11 + 19 * index, colour)
    return pack_bank(lines)


# ---- double hi-res drawing ----

WHITE = 15


class DoubleHiRes:
    """192 lines of 560 dots; colour n paints dot d with bit (3 - d % 4) of n."""

    def __init__(self):
        self.dots = [[0] * DHGR_DOTS for _ in range(LINES)]

    def paint(self, y, first_dot, end_dot, colour):
        row = self.dots[y]
        for d in range(first_dot, end_dot):
            row[d] = (colour >> (3 - d % 4)) & 1

    def paint_cell(self, y, cell, colour):
        self.paint(y, 4 * cell, 4 * cell + 4, colour)

    def rectangle(self, top, bottom, first_dot, end_dot, colour):
        for y in range(top, bottom):
            self.paint(y, first_dot, end_dot, colour)

    def text(self, font, cell0, y0, text):
        """White text, a glyph dot a whole 4-dot cell, so it stays white in every renderer."""
        for column, row in glyph_dots(font, text):
            self.paint_cell(y0 + row, cell0 + column, WHITE)

    def centred_text(self, font, y0, text, first_cell=0, end_cell=DHGR_DOTS // 4):
        width = len(text) * GLYPH_COLUMNS
        self.text(font, first_cell + (end_cell - first_cell - width) // 2, y0, text)

    def banks(self):
        """(aux, main): for byte column c, 7 dots from aux byte c then 7 from main byte c."""
        aux_lines, main_lines = [], []
        for row in self.dots:
            aux_lines.append([pack_seven(row, 14 * c) for c in range(BYTES_PER_LINE)])
            main_lines.append([pack_seven(row, 14 * c + 7) for c in range(BYTES_PER_LINE)])
        return pack_bank(aux_lines), pack_bank(main_lines)


def pack_seven(row, start):
    return sum(row[start + i] << i for i in range(7))


BAYER_2 = [[0, 2], [3, 1]]
BAYER_4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
BAR_DOTS = 35


def dither_row(picture, top, height, quarters):
    """The colour bars again, each 4-dot cell kept in colour for `quarters` of 4, else black."""
    for y in range(top, top + height):
        for cell in range(DHGR_DOTS // 4):
            if BAYER_2[y % 2][cell % 2] >= quarters:
                picture.paint_cell(y, cell, 0)


def bars_picture(font):
    """Double hi-res: sixteen bars, their hex numbers, the bars at 75/50/25 %, a grey ramp."""
    picture = DoubleHiRes()
    picture.centred_text(font, 3, "ORVEL DOUBLE HI-RES")
    for colour in range(16):
        left = colour * BAR_DOTS
        picture.rectangle(15, 95, left, left + BAR_DOTS, colour)
        picture.rectangle(110, 156, left, left + BAR_DOTS, colour)
        # Centre the digit's 5 lit columns (20 dots) under the bar; its blank columns may overhang.
        picture.text(font, (2 * left + 19) // 8 - 1, 98, "%X" % colour)
    for index, quarters in enumerate((3, 2, 1)):
        dither_row(picture, 110 + 16 * index, 14, quarters)
        picture.rectangle(124 + 16 * index, 126 + 16 * index, 0, DHGR_DOTS, 0)
    cells = DHGR_DOTS // 4
    for y in range(162, 186):
        for cell in range(cells):
            level = cell * 17 // cells  # 0 (black) to 16 (white)
            picture.paint_cell(y, cell, WHITE if BAYER_4[y % 4][cell % 4] < level else 0)
    aux, main = picture.banks()
    return aux + main


# Outside in: warm to cool, then the greys and white at the centre.
RING_COLOURS = [1, 11, 3, 2, 7, 6, 4, 14, 13, 12, 8, 9, 5, 10, 15]


def ring_at(cell, y, centre_y):
    """Ring number of a cell: its centre's distance from the picture's centre in lines, over 6.

    A 4-dot cell is 64/35 lines wide on a 4:3 screen; coordinates are doubled so cell
    centres are whole numbers, and the square root is an integer one, so nothing rounds
    differently from one machine to the next.
    """
    dx = 2 * cell + 1 - DHGR_DOTS // 4
    dy = 2 * y + 1 - 2 * centre_y
    return math.isqrt((dx * 64) ** 2 + (dy * 35) ** 2) // (70 * 6)


def pair_picture(font):
    """Double hi-res in a white frame: concentric colour rings above a label strip."""
    picture = DoubleHiRes()
    last_cell = DHGR_DOTS // 4 - 1
    picture.rectangle(2, 4, 8, DHGR_DOTS - 8, WHITE)
    picture.rectangle(188, 190, 8, DHGR_DOTS - 8, WHITE)
    for y in range(4, 188):
        picture.paint_cell(y, 2, WHITE)
        picture.paint_cell(y, last_cell - 2, WHITE)
    for y in range(6, 170):
        for cell in range(4, last_cell - 3):
            ring = ring_at(cell, y, 88)
            picture.paint_cell(y, cell, RING_COLOURS[-1 - ring % len(RING_COLOURS)])
    picture.rectangle(172, 174, 16, DHGR_DOTS - 16, WHITE)
    picture.centred_text(font, 177, "HGR + AUX PAIR", 3, last_cell - 2)
    return picture.banks()


# ---- text screens ----


class TextScreen:
    """A grid of rows; placing text off the grid or over other text is a layout mistake."""

    def __init__(self, columns, rows):
        self.columns = columns
        self.cells = [[None] * columns for _ in range(rows)]

    def put(self, row, column, text):
        if not 0 <= row < len(self.cells):
            raise SystemExit("row %d is off the screen" % row)
        if column + len(text) > self.columns:
            raise SystemExit("row %d: %r runs past column %d" % (row, text, self.columns))
        for i, ch in enumerate(text):
            if self.cells[row][column + i] is not None:
                raise SystemExit("row %d column %d is written twice" % (row, column + i))
            self.cells[row][column + i] = ch

    def box(self, top, left, bottom, right):
        width = right - left - 1
        self.put(top, left, "+" + "-" * width + "+")
        self.put(bottom, left, "+" + "-" * width + "+")
        for row in range(top + 1, bottom):
            self.put(row, left, "|")
            self.put(row, right, "|")

    def rows(self):
        return ["".join(ch or " " for ch in row).rstrip(" ") for row in self.cells]


def inverse(text):
    """The inverse form of plain ASCII text, as the editor stores it."""
    return "".join(chr(0xF000 + ord(ch) - 0x20) for ch in text)


def screen40():
    s = TextScreen(40, TEXT_ROWS)
    s.box(0, 0, 4, 39)
    s.put(1, 12, "ORVEL TEXT SCREEN")
    s.put(2, 8, "40 COLUMNS, PLAIN ASCII")
    s.put(3, 7, "abcdefghijklmnopqrstuvwxyz")
    s.put(6, 0, "]LIST")
    s.put(8, 0, "10 HGR : HCOLOR= 3")
    s.put(9, 0, "20 HPLOT 0,0 TO 279,191")
    s.put(10, 0, '30 PRINT "HELLO FROM ORVEL!"')
    s.put(12, 0, "]RUN")
    s.put(13, 0, "HELLO FROM ORVEL!")
    s.put(15, 0, "]PRINT 6 * 7")
    s.put(16, 0, "42")
    s.put(18, 0, "]_")
    rows = s.rows()
    while rows and not rows[-1]:
        rows.pop()
    return "\n".join(rows)


DHGR_COLOUR_NAMES = ["black", "magenta", "brown", "orange", "dark green", "grey 1", "green",
                     "yellow", "dark blue", "violet", "grey 2", "pink", "medium blue",
                     "light blue", "aqua", "white"]


def screen80():
    s = TextScreen(80, TEXT_ROWS)
    s.put(0, 0, inverse(" SAMPLE "))
    s.put(0, 9, "orvel 80-column text screen")
    s.put(0, 59, "24 rows of 80 columns")
    s.box(2, 0, 13, 79)
    s.put(3, 2, "Double hi-res colours: dot d of colour n is bit (3 - d mod 4) of n")
    s.put(4, 1, "-" * 78)
    for n, name in enumerate(DHGR_COLOUR_NAMES):
        s.put(5 + n % 8, 3 + 38 * (n // 8), "%2d  %-12s  %s" % (n, name, format(n, "04b")))
    s.put(15, 0, "Hi-res colours, bit 7 clear: black, violet (even x), green (odd x), white")
    s.put(16, 0, "Hi-res colours, bit 7 set:   black, blue (even x), orange (odd x), white")
    s.put(18, 0, "Every printable ASCII character:")
    printable = "".join(chr(c) for c in range(0x20, 0x7F))
    s.put(19, 2, printable[:48])
    s.put(20, 2, printable[48:])
    s.put(23, 0, inverse(" READY "))
    s.put(23, 8, "samples/screen80.txt, written by tools/make_samples.py")
    return "80" + "\n".join(s.rows())


# ---- checks ----


def check_bank(name, bank, high_bit_allowed=True):
    if len(bank) != BANK_SIZE:
        raise SystemExit("%s: a bank is %d bytes, not %d" % (name, len(bank), BANK_SIZE))
    if any(bank[i] for i in hole_offsets()):
        raise SystemExit("%s: a screen hole is not zero" % name)
    if not high_bit_allowed and any(b & 0x80 for b in bank):
        raise SystemExit("%s: double hi-res bytes must have bit 7 clear" % name)


def check_screen_layout():
    """Every byte of a bank belongs to exactly one line or is a hole."""
    owners = [0] * BANK_SIZE
    for y in range(LINES):
        for c in range(BYTES_PER_LINE):
            owners[line_offset(y) + c] += 1
    for i in hole_offsets():
        owners[i] += 1
    if owners != [1] * BANK_SIZE:
        raise SystemExit("line offsets and screen holes do not tile the bank")


def check_text(name, text):
    columns = 80 if text.startswith("80") else 40
    body = text[2:] if columns == 80 else text
    rows = body.split("\n")
    if len(rows) > TEXT_ROWS:
        raise SystemExit("%s: %d rows, more than %d" % (name, len(rows), TEXT_ROWS))
    if text.endswith("\n"):
        raise SystemExit("%s: a line feed after the last row" % name)
    for number, row in enumerate(rows):
        if len(row) > columns:
            raise SystemExit("%s: row %d is %d characters wide" % (name, number, len(row)))
        for ch in row:
            if not (0x20 <= ord(ch) <= 0x7E or 0xF000 <= ord(ch) <= 0xF05E):
                raise SystemExit("%s: row %d has U+%04X" % (name, number, ord(ch)))


def encode_text(text):
    """Plain ASCII when it can be (a valid Mac OS Roman file), else UTF-8 without a BOM."""
    try:
        return text.encode("ascii")
    except UnicodeEncodeError:
        return text.encode("utf-8")


# ---- output ----


def build_samples(font):
    colors = colors_picture(font)
    check_bank("colors.hgr", colors)
    bars = bars_picture(font)
    if len(bars) != 2 * BANK_SIZE:
        raise SystemExit("bars.dhgr: %d bytes, not %d" % (len(bars), 2 * BANK_SIZE))
    check_bank("bars.dhgr aux", bars[:BANK_SIZE], high_bit_allowed=False)
    check_bank("bars.dhgr main", bars[BANK_SIZE:], high_bit_allowed=False)
    pair_aux, pair_main = pair_picture(font)
    check_bank("pair.AUX", pair_aux, high_bit_allowed=False)
    check_bank("pair.hgr", pair_main, high_bit_allowed=False)
    text40, text80 = screen40(), screen80()
    check_text("screen40.txt", text40)
    check_text("screen80.txt", text80)
    if text40.startswith("80") or len(text80[2:].split("\n")) != TEXT_ROWS:
        raise SystemExit("screen40.txt must not start with 80; screen80.txt needs 24 rows")
    return [
        ("colors.hgr", colors),
        ("bars.dhgr", bars),
        ("pair.hgr", pair_main),
        ("pair.AUX", pair_aux),
        ("screen40.txt", encode_text(text40)),
        ("screen80.txt", encode_text(text80)),
    ]


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(REPO, "samples")
    check_screen_layout()
    samples = build_samples(load_font())
    os.makedirs(out_dir, exist_ok=True)
    for name, data in samples:
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(data)
        print("wrote %s (%d bytes)" % (name, len(data)))


if __name__ == "__main__":
    main()
