#!/usr/bin/env python3
# Writes the five text screens orvel ships (boot, disk loader, welcome, format help, showcase).
# Kept apart from the program: screens are laid out on a grid, checked, saved as the editor does.
"""Write Apple_IIc.txt, ProDOS.txt, Welcome.txt, Text_Screen_Info.txt and Sample_Text_Screen.txt
into source/resources/textscreens.

Usage: python3 tools/make_textscreens.py [--preview] [output-directory]

--preview also prints every screen as a framed grid in the terminal (inverse
characters in reverse video, symbols approximated) to check the layout by eye.

File form: an optional leading "80" marks an 80-column screen; rows are separated
by one line feed, at most 24, none after the last; trailing empty rows and trailing
spaces are left out. A screen is written in Mac OS Roman when every character has a
byte there (U+E000/U+E001 are bytes 0x11/0x12), otherwise - any inverse character
makes it so - the whole text is UTF-8, without a byte order mark.
"""

import os
import sys

ROWS = 24

# Mac OS Roman upper half: entry i is the code point of byte 0x80 + i (0xBD is the ohm sign).
MAC_ROMAN_HIGH = [
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x2126, 0x00E6, 0x00F8,
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
]
MAC_ROMAN_BYTE = {code: 0x80 + i for i, code in enumerate(MAC_ROMAN_HIGH)}
COMMAND_OUTLINE = "\uE000"
COMMAND_FILLED = "\uE001"
COMMAND_BYTES = {0xE000: 0x11, 0xE001: 0x12}
INVERSE_BASE = 0xF000


def symbol(byte):
    """The font's MouseText-style symbol stored at a Mac OS Roman byte 0x80-0x9F."""
    return chr(MAC_ROMAN_HIGH[byte - 0x80])


POINTER = symbol(0x80)
HOURGLASS = symbol(0x81)
CHECK = symbol(0x82)
CHECK_INVERTED = symbol(0x83)
ARROW_LEFT = symbol(0x84)
ARROW_RIGHT = symbol(0x85)
ARROW_UP = symbol(0x86)
ARROW_DOWN = symbol(0x87)
I_BEAM = symbol(0x88)
FOLDER = symbol(0x89) + symbol(0x8A)
RETURN = symbol(0x8B)
CORNER_TOP_LEFT = symbol(0x8C)
CORNER_TOP_RIGHT = symbol(0x8D)
CORNER_BOTTOM_LEFT = symbol(0x8E)
CORNER_BOTTOM_RIGHT = symbol(0x8F)
EDGE_LEFT = symbol(0x90)
EDGE_RIGHT = symbol(0x91)
EDGE_TOP = symbol(0x92)
EDGE_BOTTOM = symbol(0x93)
TITLE_STRIPES = symbol(0x94)
SCROLL_TRACK = symbol(0x95)
SCROLL_THUMB = symbol(0x96)
CLOSE_BOX = symbol(0x97)
GROW_BOX = symbol(0x98)
DIAMOND = symbol(0x99)
BLOCK = symbol(0x9A)
HALF_LEFT = symbol(0x9B)
HALF_RIGHT = symbol(0x9C)
ARROW_UP_DOWN = symbol(0x9D)
CROSSHAIR = symbol(0x9E)
WATCH = symbol(0x9F)
ALL_SYMBOLS = "".join(symbol(b) for b in range(0x80, 0xA0)) + COMMAND_OUTLINE + COMMAND_FILLED


def inverse(text):
    """Black-on-white forms of printable ASCII characters."""
    out = []
    for ch in text:
        if not 0x20 <= ord(ch) <= 0x7E:
            raise ValueError("no inverse form for U+%04X" % ord(ch))
        out.append(chr(INVERSE_BASE + ord(ch) - 0x20))
    return "".join(out)


def is_inverse(ch):
    return INVERSE_BASE <= ord(ch) <= INVERSE_BASE + 0x5E


# ---- layout ----


class Canvas:
    """A 24-row grid of characters; placing anything outside it is a layout error."""

    def __init__(self, columns):
        self.columns = columns
        self.cells = [[" "] * columns for _ in range(ROWS)]

    def put(self, row, column, text):
        """Places text; it must fit the row and may only cover blank cells, so overlaps show."""
        if not (0 <= row < ROWS and 0 <= column and column + len(text) <= self.columns):
            raise ValueError("%r at row %d, column %d does not fit" % (text, row, column))
        for offset, ch in enumerate(text):
            if self.cells[row][column + offset] != " ":
                raise ValueError("%r at row %d, column %d covers other text" % (text, row, column))
            self.cells[row][column + offset] = ch

    def centre(self, row, text, left=0, right=None):
        """Centres text between columns left and right (exclusive), rounding to the left."""
        right = self.columns if right is None else right
        self.put(row, left + (right - left - len(text)) // 2, text)

    def frame(self, top, left, bottom, right):
        """A window frame whose corners sit at the given cells (all inclusive)."""
        inner = right - left - 1
        self.put(top, left, CORNER_TOP_LEFT + EDGE_TOP * inner + CORNER_TOP_RIGHT)
        for row in range(top + 1, bottom):
            self.put(row, left, EDGE_LEFT)
            self.put(row, right, EDGE_RIGHT)
        self.put(bottom, left, CORNER_BOTTOM_LEFT + EDGE_BOTTOM * inner + CORNER_BOTTOM_RIGHT)

    def text(self):
        rows = ["".join(cells).rstrip(" ") for cells in self.cells]
        while rows and not rows[-1]:
            rows.pop()
        marker = "80" if self.columns == 80 else ""
        return marker + "\n".join(rows)


def title_bar(width, title):
    """A striped title bar of the given width with the title in a plain gap in the middle."""
    label = " " + title + " "
    left = (width - len(label)) // 2
    return TITLE_STRIPES * left + label + TITLE_STRIPES * (width - left - len(label))


# ---- the screens ----


def apple_iic_screen():
    """What the compact machine shows while it starts up."""
    c = Canvas(40)
    c.centre(0, "Apple //c")
    c.put(3, 1, "Memory ................ 128K  OK")
    c.put(4, 1, "Internal drive ........ Slot 6  OK")
    c.put(5, 1, "Display ............... 80 columns")
    c.put(8, 1, "Looking for a startup disk...")
    return c.text()


def prodos_screen():
    """Our disk operating system's loader, as it greets before the first program runs."""
    c = Canvas(40)
    c.centre(8, "ORVEL DISK OS  V1.0   12-MAR-26")
    c.centre(11, "(C) 2026 FERNCASTLE")
    c.centre(12, "WRITTEN FOR THE ORVEL VIEWER")
    c.centre(15, "LOADING...")
    return c.text()


def welcome_screen():
    c = Canvas(80)
    c.frame(0, 0, 23, 79)
    c.put(1, 1, inverse("Welcome to orvel".center(78)))
    c.put(3, 4, "orvel shows Apple II hi-res and double hi-res pictures, and edits Apple II")
    c.put(4, 4, "text screens of 24 rows by 40 or 80 columns.")
    c.put(6, 4, "In the picture window a single key does the work:")
    shortcuts = [
        (inverse(" K ") + " or " + inverse(" C "), "colour / one-bit palette"),
        (inverse(" L "), '"Quen" engines / "By the Book" engine'),
        (inverse(" B "), "bit shifting (By the Book only)"),
        (inverse(" , ") + " and " + inverse(" . "), "smaller / larger view"),
        (inverse(" [ ") + " and " + inverse(" ] "), "previous / next colour palette"),
    ]
    for index, (keys, meaning) in enumerate(shortcuts):
        row = 8 + 2 * index
        c.put(row, 8, keys)
        c.put(row, 23, ARROW_RIGHT + "  " + meaning)
    c.put(19, 4, "Everything else is in the menus.")
    c.centre(21, "Press any key " + RETURN + "  or click " + POINTER + "  to begin.")
    return c.text()


def text_screen_info_screen():
    c = Canvas(80)
    c.put(0, 0, inverse(" About text screens".ljust(80)))
    c.put(2, 0, "A text screen is 24 rows of 40 or 80 columns of Apple II characters, saved as")
    c.put(3, 0, 'plain text, one line a row. A file that begins with "80" (right before the')
    c.put(4, 0, "first row) holds an 80-column screen; without it the screen is 40 columns.")
    c.put(6, 0, DIAMOND + " " + inverse("Inverse"))
    c.put(6, 10, "characters are typed with the editor's Inverse switch. A screen")
    c.put(7, 0, "  holding any of them is saved in UTF-8, any other screen in Mac OS Roman.")
    c.put(9, 0, DIAMOND + " MouseText symbols come from the character palette:")
    c.put(10, 4, " ".join(ALL_SYMBOLS))
    examples = "\u00A9 \u00AE \u2122 \u00B0 \u00F7 \u03C0 \u221E"
    c.put(11, 0, DIAMOND + " Meta with a key (Control on a Mac) types a Mac OS Roman symbol: " + examples)
    c.put(13, 0, inverse(" Editing keys "))
    keys = [
        ("Arrows", "move the cursor", "Shift+arrows", "select"),
        ("Home  End", "start / end of the row", "Return", "break the row in two"),
        ("Backspace", "erase left, join rows", "Delete", "erase under the cursor"),
    ]
    for index, (key, meaning, second_key, second_meaning) in enumerate(keys):
        row = 14 + index
        c.put(row, 2, key)
        c.put(row, 14, meaning)
        c.put(row, 42, second_key)
        c.put(row, 56, second_meaning)
    c.put(18, 0, inverse(" Edit menu "))
    c.put(19, 2, "Cut, Copy, Paste and Clear work on the selection; Select All takes the whole")
    c.put(20, 2, "screen; Undo takes back the last change, and Undo again brings it back. They")
    c.put(21, 2, "are in the picture window's Edit menu, and their keys work in the editor too.")
    c.put(22, 0, "Open the Sample Text Screen to see the symbols put together into windows.")
    return c.text()


def sample_text_screen():
    c = Canvas(80)
    sample_menu_bar(c)
    sample_tool_palette(c)
    sample_view_menu(c)
    sample_window(c)
    sample_copy_dialog(c)
    c.centre(23, " ".join(ALL_SYMBOLS))
    return c.text()


def sample_menu_bar(c):
    """An inverse menu bar with the View menu pulled down (shown in normal video)."""
    bar = inverse("  File  Edit  ") + " View " + inverse("  Special  Help".ljust(80 - 20))
    c.put(0, 0, bar)


def sample_view_menu(c):
    left, right = 13, 34
    items = [
        (CHECK, "by Icon", COMMAND_OUTLINE + "1"),
        (" ", "by Name", COMMAND_OUTLINE + "2"),
        (" ", "by Date", COMMAND_OUTLINE + "3"),
        (None, None, None),
        (CHECK, "Show Grid", COMMAND_FILLED + "G"),
        (" ", "Clean Up", ""),
    ]
    for index, (mark, label, keys) in enumerate(items):
        row = 1 + index
        c.put(row, left, EDGE_LEFT)
        c.put(row, right, EDGE_RIGHT)
        if label is None:
            c.put(row, left + 1, "-" * (right - left - 1))
            continue
        c.put(row, left + 1, mark + " " + label)
        c.put(row, right - 1 - len(keys), keys)
    bottom = CORNER_BOTTOM_LEFT + EDGE_BOTTOM * (right - left - 1) + CORNER_BOTTOM_RIGHT
    c.put(1 + len(items), left, bottom)


def sample_window(c):
    """A framed folder window with a title bar, a scroll bar and a grow box."""
    top, left, bottom, right = 2, 38, 21, 79
    inner = right - left - 1
    c.frame(top, left, bottom, right)
    c.put(top + 1, left + 1, CLOSE_BOX + title_bar(inner - 1, "PICTURES"))
    c.put(top + 2, left + 1, " 6 items     98K in disk     42K free")
    c.put(top + 3, left + 1, EDGE_TOP * inner)
    entries = [
        (FOLDER, "SUNSETS", ""),
        (FOLDER, "PORTRAITS", ""),
        (" " + BLOCK, "LIGHTHOUSE.HGR", CHECK),
        (" " + BLOCK, "HARBOR.DHR", CHECK),
        (" " + HALF_LEFT, "TITLE.PAGE", ""),
        (" " + HALF_RIGHT, "NOTES.TXT", ""),
    ]
    for index, (icon, name, mark) in enumerate(entries):
        row = top + 5 + 2 * index
        c.put(row, left + 3, icon + "  " + name)
        if mark:
            c.put(row, left + 26, mark + " viewed")
    c.put(top + 7, left + 18, POINTER)
    scroll_column = right - 1
    c.put(top + 4, scroll_column, ARROW_UP)
    thumb_row = top + 7
    for row in range(top + 5, bottom - 2):
        c.put(row, scroll_column, SCROLL_THUMB if row == thumb_row else SCROLL_TRACK)
    c.put(bottom - 2, scroll_column, ARROW_DOWN)
    c.put(bottom - 1, left + 1, ARROW_LEFT + SCROLL_TRACK * (inner - 3) + ARROW_RIGHT + GROW_BOX)


def sample_tool_palette(c):
    """A tiny framed palette of pointer shapes in the upper left."""
    c.frame(2, 1, 8, 9)
    c.put(3, 3, POINTER + "  " + I_BEAM)
    c.put(5, 3, CROSSHAIR + "  " + ARROW_UP_DOWN)
    c.put(7, 3, WATCH + "  " + CHECK_INVERTED)


def sample_copy_dialog(c):
    """A small progress box in the lower left, with a default button."""
    top, left, bottom, right = 12, 1, 20, 34
    c.frame(top, left, bottom, right)
    c.put(top + 2, left + 3, HOURGLASS + "  Copying HARBOR.DHR ...")
    c.put(top + 4, left + 3, BLOCK * 16 + SCROLL_TRACK * 8 + "  64%")
    c.put(top + 6, left + 5, inverse(" Cancel "))
    c.put(top + 6, left + 19, "[ OK " + RETURN + " ]")


SCREENS = [
    ("Apple_IIc.txt", apple_iic_screen),
    ("ProDOS.txt", prodos_screen),
    ("Welcome.txt", welcome_screen),
    ("Text_Screen_Info.txt", text_screen_info_screen),
    ("Sample_Text_Screen.txt", sample_text_screen),
]


# ---- checking and encoding ----


def allowed(ch):
    code = ord(ch)
    return 0x20 <= code <= 0x7E or code in MAC_ROMAN_BYTE or code in COMMAND_BYTES or is_inverse(ch)


def validate(name, text):
    """Refuses a screen that the editor could not show as it was meant."""
    columns = 80 if text.startswith("80") else 40
    body = text[2:] if columns == 80 else text
    rows = body.split("\n")
    problems = []
    if len(rows) > ROWS:
        problems.append("%d rows" % len(rows))
    if rows and not rows[-1]:
        problems.append("trailing empty row")
    for number, row in enumerate(rows):
        if len(row) > columns:
            problems.append("row %d is %d characters wide" % (number, len(row)))
        for ch in row:
            if not allowed(ch):
                problems.append("row %d has U+%04X" % (number, ord(ch)))
    if problems:
        raise SystemExit("%s: %s" % (name, "; ".join(problems)))


def encode_mac_roman(text):
    """The Mac OS Roman bytes of text, or None when some character has no byte there."""
    out = bytearray()
    for ch in text:
        code = ord(ch)
        if code == 0x0A or 0x20 <= code <= 0x7E:
            out.append(code)
        elif code in COMMAND_BYTES:
            out.append(COMMAND_BYTES[code])
        elif code in MAC_ROMAN_BYTE:
            out.append(MAC_ROMAN_BYTE[code])
        else:
            return None
    return bytes(out)


def encode_screen(text):
    mac_roman = encode_mac_roman(text)
    return mac_roman if mac_roman is not None else text.encode("utf-8")


# ---- terminal preview ----

PREVIEW_SYMBOLS = dict(
    zip(
        ALL_SYMBOLS,
        "\u2196\u29d7\u2713\u2714\u2190\u2192\u2191\u2193\u2336\u2590\u258c\u21b5"
        "\u250c\u2510\u2514\u2518\u2502\u2502\u2500\u2500\u2261\u2592\u2588\u25a3\u25f2"
        "\u25c6\u2588\u258c\u2590\u2195\u271b\u231a\u2318\u2325",
    )
)


def preview(name, text):
    columns = 80 if text.startswith("80") else 40
    body = text[2:] if columns == 80 else text
    encoding = "Mac OS Roman" if encode_mac_roman(text) is not None else "UTF-8"
    print("%s (%d columns, %s)" % (name, columns, encoding))
    print("   +" + "-" * columns + "+")
    # A terminal shows inverse in reverse video; a log gets a line of ~ under inverse cells.
    reverse_video = sys.stdout.isatty()
    for number, row in enumerate(body.split("\n")):
        shown = []
        for ch in row.ljust(columns):
            if is_inverse(ch):
                plain = chr(ord(ch) - INVERSE_BASE + 0x20)
                shown.append("\x1b[7m" + plain + "\x1b[0m" if reverse_video else plain)
            else:
                shown.append(PREVIEW_SYMBOLS.get(ch, ch))
        print("%2d |%s|" % (number, "".join(shown)))
        if not reverse_video and any(is_inverse(ch) for ch in row):
            print("   |%s|" % "".join("~" if is_inverse(ch) else " " for ch in row.ljust(columns)))
    print("   +" + "-" * columns + "+")


def main():
    args = sys.argv[1:]
    show = "--preview" in args
    args = [a for a in args if a != "--preview"]
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = args[0] if args else os.path.join(repo, "source", "resources", "textscreens")
    os.makedirs(out_dir, exist_ok=True)
    for name, make in SCREENS:
        text = make()
        validate(name, text)
        with open(os.path.join(out_dir, name), "wb") as out:
            out.write(encode_screen(text))
        if show:
            preview(name, text)
        else:
            print("wrote %s" % name)


if __name__ == "__main__":
    main()
