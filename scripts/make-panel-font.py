#!/usr/bin/env python3
"""Writes src/panel/panelfontdata.cpp, the detector display font.

256 glyphs of 9 x 16 pixels, 32 bytes each: per row two bytes, bits 0-7 of
the first are columns 0-7 (bit 0 leftmost), bit 0 of the second is column 8.
Latin 0x20-0x7E and Cyrillic 0xC0-0xFF (Windows-1251 order) come from an
8 x 16 console font in PSF format (default: Debian's Uni2-VGA16 from
console-setup-linux); column 8 stays clear. The pictograms 0x86-0xAD are
drawn below. Usage: make-panel-font.py [font.psf.gz] [output.cpp]
"""
import gzip
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_FONT = "/usr/share/consolefonts/Uni2-VGA16.psf.gz"
DEFAULT_OUT = os.path.join(HERE, "..", "src", "panel", "panelfontdata.cpp")


def load_psf(path):
    opener = gzip.open if path.endswith(".gz") else open
    with opener(path, "rb") as f:
        data = f.read()
    if data[:2] == b"\x36\x04":
        mode, height = data[2], data[3]
        count, width, size, offset = (512 if mode & 1 else 256), 8, height, 4
        has_table = bool(mode & 6)
        glyphs = [data[offset + i * size: offset + (i + 1) * size] for i in range(count)]
        table = {}
        if has_table:
            p, g = offset + count * size, 0
            while p + 1 < len(data) and g < count:
                (u,) = struct.unpack("<H", data[p:p + 2])
                p += 2
                if u == 0xFFFF:
                    g += 1
                elif u != 0xFFFE:
                    table.setdefault(u, g)
        return width, height, glyphs, table
    if data[:4] == b"\x72\xb5\x4a\x86":
        _, hsize, flags, count, size, height, width = struct.unpack("<7I", data[4:32])
        glyphs = [data[hsize + i * size: hsize + (i + 1) * size] for i in range(count)]
        table = {}
        if flags & 1:
            p, g = hsize + count * size, 0
            while p < len(data) and g < count:
                if data[p] == 0xFF:
                    g += 1
                    p += 1
                    continue
                if data[p] == 0xFE:
                    p += 1
                    continue
                n = 1
                b = data[p]
                n = 1 if b < 0x80 else 2 if b < 0xE0 else 3 if b < 0xF0 else 4
                table.setdefault(ord(data[p:p + n].decode("utf-8")), g)
                p += n
        return width, height, glyphs, table
    raise SystemExit("%s: not a PSF font" % path)


def rows_from_psf(glyph, width, height):
    """16 rows of column sets, the source glyph centred vertically."""
    stride = (width + 7) // 8
    rows = []
    for r in range(height):
        line = glyph[r * stride:(r + 1) * stride]
        bits = int.from_bytes(line, "big")
        rows.append({c for c in range(min(width, 8)) if bits & (1 << (stride * 8 - 1 - c))})
    top = (16 - height) // 2
    out = [set() for _ in range(16)]
    for r, cols in enumerate(rows):
        if 0 <= r + top < 16:
            out[r + top] = cols
    return out


# Pictograms, drawn at 1:1. A picture 18 columns wide fills two codes, the
# left half in the first. '#' is foreground, anything else background.
PAIRS = {
    # Detector: a mast with radio waves, at the left end of the status line.
    0x96: [
        "..................",
        "..................",
        "...#..........#...",
        "..#..#......#..#..",
        ".#..#...##...#..#.",
        ".#..#..####..#..#.",
        ".#..#...##...#..#.",
        "..#..#..##..#..#..",
        "...#....##....#...",
        "........##........",
        ".......####.......",
        "......##..##......",
        ".....##....##.....",
        "....##......##....",
        "..................",
        "..................",
    ],
    # Link to the PC: a plug with its cable.
    0x86: [
        "..................",
        "..................",
        "..................",
        "..................",
        ".....#######......",
        ".....########.....",
        ".....#########.###",
        "###############...",
        "###############...",
        ".....#########.###",
        ".....########.....",
        ".....#######......",
        "..................",
        "..................",
        "..................",
        "..................",
    ],
    # Speaker on (the volume glyph follows it).
    0x92: [
        "..................",
        "..................",
        "......##..........",
        ".....###.....#....",
        "....####..#...#...",
        "#######...##...#..",
        "#######....#...#..",
        "#######....#...#..",
        "#######....#...#..",
        "#######....#...#..",
        "#######...##...#..",
        "....####..#...#...",
        ".....###.....#....",
        "......##..........",
        "..................",
        "..................",
    ],
    # Speaker muted.
    0x94: [
        "..................",
        "..................",
        "......##..........",
        ".....###..........",
        "....####..........",
        "#######..##....##.",
        "#######...##..##..",
        "#######....####...",
        "#######.....##....",
        "#######....####...",
        "#######...##..##..",
        "....####.##....##.",
        ".....###..........",
        "......##..........",
        "..................",
        "..................",
    ],
    # Spare pair: a key (locked keyboard).
    0x98: [
        "..................",
        "..................",
        "..................",
        "..................",
        "..####............",
        ".##..##...........",
        "##....##########..",
        "##....##########..",
        ".##..##.....##.##.",
        "..####......##.##.",
        "..................",
        "..................",
        "..................",
        "..................",
        "..................",
        "..................",
    ],
}

SINGLES = {
    # Schedule enabled: a clock face.
    0x89: [
        ".........",
        ".........",
        "..#####..",
        ".#..#..#.",
        "#...#...#",
        "#...#...#",
        "#...#...#",
        "#...###.#",
        "#.......#",
        "#.......#",
        ".#.....#.",
        "..#####..",
        ".........",
        ".........",
        ".........",
        ".........",
    ],
    # Alarm bell.
    0x88: [
        ".........",
        ".........",
        "....#....",
        "...###...",
        "..#####..",
        "..#####..",
        "..#####..",
        ".#######.",
        ".#######.",
        "#########",
        "#########",
        "....#....",
        ".........",
        ".........",
        ".........",
        ".........",
    ],
    # Arrows up and down.
    0x90: [
        ".........",
        ".........",
        "....#....",
        "...###...",
        "..#####..",
        ".###.###.",
        "###.#.###",
        "....#....",
        "....#....",
        "....#....",
        "....#....",
        "....#....",
        ".........",
        ".........",
        ".........",
        ".........",
    ],
    0x91: [
        ".........",
        ".........",
        "....#....",
        "....#....",
        "....#....",
        "....#....",
        "....#....",
        "###.#.###",
        ".###.###.",
        "..#####..",
        "...###...",
        "....#....",
        ".........",
        ".........",
        ".........",
        ".........",
    ],
}


def volume_glyph(level):
    """Five bars of rising height, the first `level` filled, the rest dotted."""
    rows = [["."] * 9 for _ in range(16)]
    for i in range(5):
        col, height = i * 2, 3 + i * 2
        for r in range(13 - height + 1, 14):
            if i < level or r == 13:
                rows[r][col] = "#"
    return ["".join(r) for r in rows]


for k in range(1, 6):
    SINGLES[0x8A + k] = volume_glyph(k)  # 0x8B-0x8F


def cols_of(line):
    return {c for c, ch in enumerate(line) if ch == "#"}


def main():
    font = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_FONT
    out_path = sys.argv[2] if len(sys.argv) > 2 else DEFAULT_OUT
    width, height, glyphs, table = load_psf(font)
    if height > 16:
        raise SystemExit("%s: glyphs taller than 16 rows" % font)

    cells = [[set() for _ in range(16)] for _ in range(256)]
    for code in list(range(0x20, 0x7F)) + list(range(0xC0, 0x100)):
        uni = ord(bytes([code]).decode("cp1251"))
        if uni in table:
            cells[code] = rows_from_psf(glyphs[table[uni]], width, height)
        elif not table and uni < len(glyphs):
            cells[code] = rows_from_psf(glyphs[uni], width, height)
        else:
            raise SystemExit("%s has no glyph for U+%04X" % (font, uni))
    for code, pic in PAIRS.items():
        assert len(pic) == 16 and all(len(line) == 18 for line in pic), hex(code)
        cells[code] = [cols_of(line[:9]) for line in pic]
        cells[code + 1] = [cols_of(line[9:]) for line in pic]
    for code, pic in SINGLES.items():
        assert len(pic) == 16 and all(len(line) == 9 for line in pic), hex(code)
        cells[code] = [cols_of(line) for line in pic]

    data = []
    for cell in cells:
        for cols in cell:
            data.append(sum(1 << c for c in cols if c < 8))
            data.append(1 if 8 in cols else 0)

    lines = [
        "// Generated by scripts/make-panel-font.py from %s; do not edit." % os.path.basename(font),
        "// Letters: see resources/panel/README.md for the licence of the source font.",
        '#include "panelfont.h"',
        "",
        "const uint8_t g_PanelFont[kPanelFontSize] = {",
    ]
    for code in range(256):
        chunk = data[code * 32:(code + 1) * 32]
        lines.append("    " + ", ".join("0x%02X" % b for b in chunk) + ", // 0x%02X" % code)
    lines.append("};")
    with open(out_path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
