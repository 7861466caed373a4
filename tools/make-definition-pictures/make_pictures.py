#!/usr/bin/env python3
"""Draws the pictures of the installed terminal and coupling definitions.

Reads every definition file in data/system/Terminals and data/system/kopplungen
and writes the BMP file each one names (160 x 120, 24 bits), plus none.bmp
for projects without a coupling. The drawing depends only on the definition
files, so running the script again gives the same bytes.

    python3 tools/make-definition-pictures/make_pictures.py
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # keep the tools folder free of caches

import definitions as defs  # noqa: E402

WIDTH, HEIGHT = 160, 120

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
HOUSING = (196, 198, 200)
HOUSING_EDGE = (64, 66, 70)
KEY = (84, 88, 96)
KEY_LIGHT = (150, 154, 160)
SOFT_KEY = (40, 92, 160)
SPECIAL_KEY = (176, 60, 48)
LABEL = (32, 32, 32)

# Saturated colours for the test bars of a colour display.
COLOUR_BARS = [(0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
               (128, 128, 0), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
               (255, 0, 255), (255, 255, 0)]

# 3 x 5 glyphs, one string of 15 bits per character, rows from the top.
GLYPHS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", "x": "000101010101000", "-": "000000111000000",
    " ": "000000000000000",
    "A": "010101111101101", "B": "110101110101110", "C": "011100100100011",
    "D": "110101101101110", "E": "111100110100111", "F": "111100110100100",
    "G": "011100101101011", "H": "101101111101101", "I": "111010010010111",
    "J": "001001001101010", "K": "101101110101101", "L": "100100100100111",
    "M": "101111111101101", "N": "110101101101101", "O": "010101101101010",
    "P": "110101110100100", "Q": "010101101110011", "R": "110101110101101",
    "S": "011100010001110", "T": "111010010010010", "U": "101101101101111",
    "V": "101101101101010", "W": "101101111111101", "X": "101101010101101",
    "Y": "101101010010010", "Z": "111001010100111",
}


class Canvas:
    def __init__(self, width, height, background=WHITE):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, self.height - 1) + 1):
            row = self.pixels[y]
            for x in range(max(left, 0), min(right, self.width - 1) + 1):
                row[x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.fill(left, top, right, top, colour)
        self.fill(left, bottom, right, bottom, colour)
        self.fill(left, top, left, bottom, colour)
        self.fill(right, top, right, bottom, colour)

    def line(self, x0, y0, x1, y1, colour, thickness=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        half = thickness // 2
        while True:
            self.fill(x0 - half, y0 - half, x0 - half + thickness - 1,
                      y0 - half + thickness - 1, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def text(self, x, y, text, colour, scale=1):
        for ch in text:
            glyph = GLYPHS.get(ch, GLYPHS[" "])
            for i, bit in enumerate(glyph):
                if bit == "1":
                    gx, gy = x + (i % 3) * scale, y + (i // 3) * scale
                    self.fill(gx, gy, gx + scale - 1, gy + scale - 1, colour)
            x += 4 * scale

    def key(self, left, top, right, bottom, colour):
        """A raised key: light upper-left edge over a dark body."""
        self.fill(left, top, right, bottom, colour)
        self.fill(left, top, right, top, KEY_LIGHT)
        self.fill(left, top, left, bottom, KEY_LIGHT)
        self.fill(left, bottom, right, bottom, BLACK)
        self.fill(right, top, right, bottom, BLACK)

    def bmp(self):
        """Uncompressed bottom-up 24-bit BMP."""
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            body += line
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0,
                           len(body), 2835, 2835, 0, 0)
        return header + info + bytes(body)


def text_width(text, scale):
    return len(text) * 4 * scale - scale


def function_key_count(model):
    if model == "VT-0A07":
        return 16
    if model in ("VT-0A02", "VT-0A03", "VT-0A04", "VT-0A06"):
        return 12
    return 10


def key_edges(areas, width, height):
    """The display edge each area lies against; its key sits just outside it.

    A corner area touches two edges; it goes with the edge that most areas of
    its row or column share, so a bottom row keeps its corner keys.
    """
    def touching(area):
        left, top, right, bottom = area
        distances = {"left": left, "top": top, "right": width - 1 - right,
                     "bottom": height - 1 - bottom}
        nearest = min(distances.values())
        return [e for e in ("left", "right", "bottom", "top") if distances[e] == nearest]

    candidates = [touching(a) for a in areas]
    votes = {}
    for edges in candidates:
        for e in edges:
            votes[e] = votes.get(e, 0) + 1
    return [max(edges, key=lambda e: votes[e]) for edges in candidates]


def draw_terminal(t):
    c = Canvas(WIDTH, HEIGHT)
    c.fill(3, 3, WIDTH - 4, HEIGHT - 4, HOUSING)
    c.frame(3, 3, WIDTH - 4, HEIGHT - 4, HOUSING_EDGE)
    c.frame(4, 4, WIDTH - 5, HEIGHT - 5, WHITE)

    label = "%dx%d" % (t.width, t.height)
    c.text(8, 8, label, LABEL)
    c.text(WIDTH - 8 - text_width(t.model[-4:], 1), 8, t.model[-4:], LABEL)

    areas = ([(a, SOFT_KEY, e) for a, e in zip(t.soft_areas,
                                                 key_edges(t.soft_areas, t.width, t.height))]
             + [(a, SPECIAL_KEY, e) for a, e in zip(t.special_areas,
                                                    key_edges(t.special_areas, t.width, t.height))])
    edges = {e for _, _, e in areas}

    # Room for the display, leaving a key strip on each edge that carries keys.
    box_left, box_top, box_right, box_bottom = 10, 16, WIDTH - 11, 92
    strip = 7
    if "left" in edges:
        box_left += strip
    if "right" in edges:
        box_right -= strip
    if "top" in edges:
        box_top += strip
    if "bottom" in edges:
        box_bottom -= strip
    box_w, box_h = box_right - box_left + 1, box_bottom - box_top + 1
    scale = min(box_w / t.width, box_h / t.height)
    disp_w, disp_h = round(t.width * scale), round(t.height * scale)
    dl = box_left + (box_w - disp_w) // 2
    dt = box_top + (box_h - disp_h) // 2
    dr, db = dl + disp_w - 1, dt + disp_h - 1

    c.fill(dl - 2, dt - 2, dr + 2, db + 2, BLACK)
    if t.grey:
        levels = 8
        for i in range(levels):
            v = 40 + i * 200 // (levels - 1)
            x0 = dl + i * disp_w // levels
            x1 = dl + (i + 1) * disp_w // levels - 1
            c.fill(x0, dt, x1, db, (v, v + 8 if v < 248 else v, v))
    else:
        c.fill(dl, dt, dr, db, (230, 230, 230))
        bars = len(COLOUR_BARS)
        for i, colour in enumerate(COLOUR_BARS):
            x0 = dl + i * disp_w // bars
            x1 = dl + (i + 1) * disp_w // bars - 1
            c.fill(x0, dt + disp_h // 4, x1, db - disp_h // 4, colour)

    def to_display(x, y):
        return dl + round(x * scale), dt + round(y * scale)

    for area, colour, edge in areas:
        left, top = to_display(area[0], area[1])
        right, bottom = to_display(area[2] + 1, area[3] + 1)
        right, bottom = right - 1, bottom - 1
        c.frame(left, top, right, bottom, WHITE if not t.grey else BLACK)
        if edge in ("left", "right"):
            x0 = dl - 8 if edge == "left" else dr + 4
            c.key(x0, top + 1, x0 + 4, max(bottom - 1, top + 2), colour)
        else:
            y0 = db + 4 if edge == "bottom" else dt - 8
            c.key(left + 1, y0, max(right - 1, left + 2), y0 + 4, colour)

    count = function_key_count(t.model)
    row_left, row_right = 10, WIDTH - 11
    pitch = (row_right - row_left + 2) / count
    for i in range(count):
        x0 = row_left + round(i * pitch)
        x1 = row_left + round((i + 1) * pitch) - 2
        c.key(x0, 99, x1, 108, KEY)
    return c


def draw_plc(coupling):
    """A PLC rack with a cable to a plug; the look tells the addressing."""
    c = Canvas(WIDTH, HEIGHT)
    siemens = coupling is not None and coupling.address_format == 1
    rack = (38, 120, 100) if siemens else (60, 90, 150)
    if coupling is None:
        rack = (170, 170, 170)
    c.fill(14, 22, 94, 96, rack)
    c.frame(14, 22, 94, 96, BLACK)
    c.fill(14, 22, 94, 30, tuple(min(v + 50, 255) for v in rack))
    c.frame(14, 22, 94, 30, BLACK)
    modules = 6 if coupling is not None and coupling.address_type == 1 else 4
    width = 72 // modules
    for i in range(modules):
        x0 = 18 + i * width
        c.fill(x0, 34, x0 + width - 3, 92, (210, 212, 214))
        c.frame(x0, 34, x0 + width - 3, 92, BLACK)
        c.fill(x0 + 2, 38, x0 + 4, 40, (0, 200, 0) if coupling is not None else (120, 120, 120))
    # Connector on the first module, cable to a plug on the right.
    c.fill(20, 60, 26, 72, BLACK)
    cable = (20, 20, 20)
    c.line(23, 72, 23, 104, cable, 3)
    c.line(23, 104, 120, 104, cable, 3)
    c.line(120, 104, 132, 70, cable, 3)
    c.fill(126, 52, 146, 70, (90, 90, 90))
    c.frame(126, 52, 146, 70, BLACK)
    for x in (130, 135, 140):
        c.fill(x, 46, x + 1, 51, (200, 170, 60))
    if coupling is None:
        c.line(100, 30, 150, 100, (200, 0, 0), 4)
        c.line(150, 30, 100, 100, (200, 0, 0), 4)
        return c
    ident = coupling.terminal_identifier.upper()
    c.text(112, 10, ident, LABEL, 2)
    c.text(104, 80, "WORD" if coupling.address_type == 0 else "BYTE", LABEL)
    return c


def write(path, canvas):
    with open(path, "wb") as f:
        f.write(canvas.bmp())
    print("wrote", os.path.relpath(path, defs.REPO))


def main():
    for t in defs.load_terminals():
        write(os.path.join(defs.TERMINAL_DIR, t.bitmap), draw_terminal(t))
    for k in defs.load_couplings():
        write(os.path.join(defs.COUPLING_DIR, k.bitmap), draw_plc(k))
    write(os.path.join(defs.COUPLING_DIR, "none.bmp"), draw_plc(None))
    return 0


if __name__ == "__main__":
    sys.exit(main())
