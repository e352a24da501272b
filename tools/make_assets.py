#!/usr/bin/env python3
"""Draws the program icons and the 16-pixel icon strip, and synthesises the alarm chime.

Everything here is our own pixel art and sound synthesis; run: make_assets.py <out dir>.
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- pixel art
# One character per pixel; '.' is transparent.
PALETTE = {
    'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128), 'l': (192, 192, 192),
    'd': (64, 64, 64), 'y': (255, 230, 90), 'Y': (220, 180, 30), 'o': (255, 150, 30),
    'r': (220, 30, 30), 'R': (140, 10, 10), 'p': (255, 120, 170), 'G': (30, 150, 50),
    'e': (120, 220, 100), 'b': (40, 90, 220), 'B': (20, 40, 130), 'c': (120, 200, 255),
    'n': (140, 90, 40), 'N': (90, 55, 20), 'v': (150, 60, 200), 's': (240, 200, 160),
    'm': (230, 230, 200), 'a': (255, 215, 0), 'K': (20, 60, 110),
}

ICONS = {
  'blank': ["................"] * 16,
  'note': [
    "................",
    ".yyyyyyyyyyyy...",
    ".yyyyyyyyyyyy...",
    ".yykkkkkkkkyy...",
    ".yyyyyyyyyyyy...",
    ".yykkkkkkkkyy...",
    ".yyyyyyyyyyyy...",
    ".yykkkkkkyyyy...",
    ".yyyyyyyyyyyy...",
    ".yykkkkkkkkyy...",
    ".yyyyyyyyyyyy...",
    ".yykkkkkyyyYY...",
    ".yyyyyyyyyYYk...",
    ".yyyyyyyyyYk....",
    ".kkkkkkkkkk.....",
    "................"],
  'flag_red': [
    "................", ".d..............", ".drrrrr.........", ".drrrrrrrrrrr...",
    ".drrrrrrrrrrr...", ".drrrrrrrrrrr...", ".drrrrrrrrrrr...", ".drrrrrrrrrrr...",
    ".d.....rrrrrr...", ".d..............", ".d..............", ".d..............",
    ".d..............", ".d..............", "ddd.............", "................"],
  'flag_green': [
    "................", ".d..............", ".dGGGGG.........", ".dGGGGGGGGGGG...",
    ".dGGGGGGGGGGG...", ".dGGGGGGGGGGG...", ".dGGGGGGGGGGG...", ".dGGGGGGGGGGG...",
    ".d.....GGGGGG...", ".d..............", ".d..............", ".d..............",
    ".d..............", ".d..............", "ddd.............", "................"],
  'flag_blue': [
    "................", ".d..............", ".dbbbbb.........", ".dbbbbbbbbbbb...",
    ".dbbbbbbbbbbb...", ".dbbbbbbbbbbb...", ".dbbbbbbbbbbb...", ".dbbbbbbbbbbb...",
    ".d.....bbbbbb...", ".d..............", ".d..............", ".d..............",
    ".d..............", ".d..............", "ddd.............", "................"],
  'clock': [
    "................", ".....kkkkkk.....", "...kkwwwwwwkk...", "..kwwwwkwwwwwk..",
    "..kwwwwkwwwwwk..", ".kwwwwwkwwwwwwk.", ".kwwwwwkwwwwwwk.", ".kwwwwwkkkkkwwk.",
    ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..",
    "...kkwwwwwwkk...", ".....kkkkkk.....", "................", "................"],
  'star': [
    "................", ".......a........", ".......a........", "......aaa.......",
    "......aaa.......", "aaaaaaaaaaaaaaa.", ".aaaaaaaaaaaaa..", "..aaaaaaaaaaa...",
    "...aaaaaaaaa....", "...aaaaaaaaa....", "..aaaaa.aaaaa...", "..aaaa...aaaa...",
    ".aaa.......aaa..", ".a...........a..", "................", "................"],
  'phone': [
    "................", "................", "..kkkkkkkkkkkk..", ".kdddddddddddddk",
    ".kddk......kddk.", ".kkk...kk...kkk.", "......kkkk......", ".....kddddk.....",
    "....kddwwddk....", "...kddwddwddk...", "...kdddwwdddk...", "...kddddddddk...",
    "...kkkkkkkkkk...", "................", "................", "................"],
  'mail': [
    "................", "................", "................", ".kkkkkkkkkkkkkk.",
    ".kkwwwwwwwwwwkk.", ".kwkwwwwwwwwkwk.", ".kwwkwwwwwwkwwk.", ".kwwwkwwwwkwwwk.",
    ".kwwwwkkkkwwwwk.", ".kwwwkwwwwkwwwk.", ".kwwkwwwwwwkwwk.", ".kwkwwwwwwwwkwk.",
    ".kkkkkkkkkkkkkk.", "................", "................", "................"],
  'house': [
    "................", ".......r........", "......rrr.......", ".....rrrrr..kk..",
    "....rrrrrrr.kk..", "...rrrrrrrrrkk..", "..rrrrrrrrrrrr..", ".rrrrrrrrrrrrrr.",
    "...mmmmmmmmmm...", "...mcccmmnnmm...", "...mcccmmnnmm...", "...mmmmmmnnmm...",
    "...mmmmmmnnmm...", "...mmmmmmnnmm...", "..kkkkkkkkkkkk..", "................"],
  'heart': [
    "................", "................", "..rrr.....rrr...", ".rrrrr...rrrrr..",
    "rrwrrrr.rrrrrrr.", "rwrrrrrrrrrrrrr.", "rrrrrrrrrrrrrrr.", "rrrrrrrrrrrrrrr.",
    ".rrrrrrrrrrrrr..", "..rrrrrrrrrrr...", "...rrrrrrrrr....", "....rrrrrrr.....",
    ".....rrrrr......", "......rrr.......", ".......r........", "................"],
  'bell': [
    "................", ".......Y........", "......aaa.......", ".....aaaaa......",
    "....aaaaaaa.....", "....aaaaaaa.....", "....aaaaaaa.....", "...aaaaaaaaa....",
    "...aaaaaaaaa....", "..aaaaaaaaaaa...", ".aaaaaaaaaaaaa..", ".YYYYYYYYYYYYY..",
    "......YYY.......", ".......Y........", "................", "................"],
  'calendar': [
    "................", "...k.....k......", ".rrkrrrrrkrrrr..", ".rrrrrrrrrrrrr..",
    ".wwwwwwwwwwwww..", ".wkwkwkwkwkwkw..", ".wwwwwwwwwwwww..", ".wkwkwkwkwkwkw..",
    ".wwwwwwwwwwwww..", ".wkwkwkwrrwkww..", ".wwwwwwwrrwwww..", ".wkwkwkwkwkwkw..",
    ".wwwwwwwwwwwww..", ".kkkkkkkkkkkkk..", "................", "................"],
  'check': [
    "................", "................", "..............G.", ".............GG.",
    "............GGG.", "...........GGG..", "..........GGG...", ".G.......GGG....",
    ".GG.....GGG.....", ".GGG...GGG......", "..GGG.GGG.......", "...GGGGG........",
    "....GGG.........", ".....G..........", "................", "................"],
  'cross': [
    "................", "................", "..rr.......rr...", "..rrr.....rrr...",
    "...rrr...rrr....", "....rrr.rrr.....", ".....rrrrr......", "......rrr.......",
    ".....rrrrr......", "....rrr.rrr.....", "...rrr...rrr....", "..rrr.....rrr...",
    "..rr.......rr...", "................", "................", "................"],
  'exclaim': [
    "................", "......rrrr......", "......rrrr......", "......rrrr......",
    "......rrrr......", "......rrrr......", "......rrrr......", ".......rr.......",
    ".......rr.......", ".......rr.......", "................", "......rrrr......",
    "......rrrr......", "................", "................", "................"],
  'question': [
    "................", ".....bbbbb......", "....bbbbbbb.....", "...bbb...bbb....",
    "...bb.....bb....", "..........bb....", ".........bbb....", "........bbb.....",
    ".......bbb......", ".......bb.......", ".......bb.......", "................",
    ".......bb.......", ".......bb.......", "................", "................"],
  'person': [
    "................", "......ssss......", ".....ssssss.....", ".....ssssss.....",
    ".....ssssss.....", "......ssss......", ".......ss.......", "....bbbbbbbb....",
    "...bbbbbbbbbb...", "...bbbbbbbbbb...", "...bbbbbbbbbb...", "...bbbbbbbbbb...",
    "...bbbbbbbbbb...", "................", "................", "................"],
  'key': [
    "................", "................", "..aaaa..........", ".aaaaaa.........",
    "aa....aa........", "aa....aa........", "aa....aaaaaaaaaa", "aa....aaaaaaaaaa",
    ".aaaaaa.....a.a.", "..aaaa......a.a.", "................", "................",
    "................", "................", "................", "................"],
  'lock': [
    "................", ".....gggggg.....", "....gg....gg....", "....g......g....",
    "....g......g....", "....g......g....", "..aaaaaaaaaaaa..", "..aaaaaaaaaaaa..",
    "..aaaaakkaaaaa..", "..aaaaakkaaaaa..", "..aaaaaakaaaaa..", "..aaaaaakaaaaa..",
    "..aaaaaaaaaaaa..", "..YYYYYYYYYYYY..", "................", "................"],
  'music': [
    "................", ".......kkkkkkkk.", ".......kkkkkkkk.", ".......k......k.",
    ".......k......k.", ".......k......k.", ".......k......k.", ".......k......k.",
    ".......k......k.", "....kkkk...kkkk.", "...kkkkk..kkkkk.", "...kkkkk..kkkkk.",
    "....kkk....kkk..", "................", "................", "................"],
  'bulb': [
    "................", ".....yyyyy......", "....yyyyyyy.....", "...yyywyyyyy....",
    "...yywyyyyyy....", "...yyyyyyyyy....", "...yyyyyyyyy....", "....yyyyyyy.....",
    ".....yyyyy......", ".....ggggg......", ".....lllll......", ".....ggggg......",
    "......ggg.......", "................", "................", "................"],
  'cake': [
    "................", "....o..o..o.....", "....w..w..w.....", "....w..w..w.....",
    "..pppppppppppp..", "..pwpwpwpwpwpp..", "..pppppppppppp..", "..nnnnnnnnnnnn..",
    "..nnnnnnnnnnnn..", "..pppppppppppp..", "..nnnnnnnnnnnn..", "..nnnnnnnnnnnn..",
    ".llllllllllllll.", "................", "................", "................"],
  'car': [
    "................", "................", "................", "....rrrrrr......",
    "...rccrrccr.....", "..rcccrrcccr....", ".rrrrrrrrrrrrrr.", ".rrrrrrrrrrrrrr.",
    ".rrrrrrrrrrrrrr.", ".rrkkkrrrrkkkrr.", "...kgk....kgk...", "...kkk....kkk...",
    "................", "................", "................", "................"],
  'coin': [
    "................", ".....aaaaaa.....", "...aaYYYYYYaa...", "..aYYaaaaaaYYa..",
    "..aYaaaYaaaaYa..", ".aYaaaYYYaaaaYa.", ".aYaaYaYaaaaaYa.", ".aYaaaYYYaaaaYa.",
    ".aYaaaaaYYaaaYa.", ".aYaaaYYYaaaaYa.", "..aYaaaYaaaaYa..", "..aYYaaaaaaYYa..",
    "...aaYYYYYYaa...", ".....aaaaaa.....", "................", "................"],
  'book': [
    "................", "..BBBBBBBBBBB...", "..BbbbbbbbbbBw..", "..BbbbbbbbbbBw..",
    "..BbbwwwwwbbBw..", "..BbbbbbbbbbBw..", "..BbbwwwbbbbBw..", "..BbbbbbbbbbBw..",
    "..BbbbbbbbbbBw..", "..BbbbbbbbbbBw..", "..BbbbbbbbbbBw..", "..BbbbbbbbbbBw..",
    "..BBBBBBBBBBBw..", "...wwwwwwwwwww..", "................", "................"],
  'cup': [
    "................", "....g..g........", ".....g..g.......", "....g..g........",
    "................", "..wwwwwwwwww....", "..wnnnnnnnnwkk..", "..wwwwwwwwwwk.k.",
    "..wwwwwwwwwwk.k.", "..wwwwwwwwwwkk..", "...wwwwwwwww....", "....wwwwwww.....",
    "..lllllllllll...", "................", "................", "................"],
  'globe': [
    "................", ".....bbbbbb.....", "...bbGGbbbbbb...", "..bGGGGbbbGGbb..",
    "..bGGGbbbGGGGb..", ".bbGGbbbbGGGGbb.", ".bbbGbbbbbGGbbb.", ".bbbbbbbbbbbbbb.",
    ".bbbbGGGbbbbbbb.", ".bbbGGGGGbbbGbb.", "..bbGGGGbbbGGb..", "..bbbGGbbbbbbb..",
    "...bbbbbbbbbb...", ".....bbbbbb.....", "................", "................"],
  'pin': [
    "................", "....rrrrr.......", "...rrwrrrr......", "...rwrrrrr......",
    "...rrrrrrr......", "....rrrrr.......", ".....ddd........", ".....ggg........",
    "......g.........", "......g.........", "......g.........", "......g.........",
    "......g.........", "................", "................", "................"],
  'folder': [
    "................", "................", ".YYYY...........", "YaaaaY..........",
    "YaaaaaYYYYYYYY..", "YaaaaaaaaaaaaY..", "YYYYYYYYYYYYYYYY", "YaaaaaaaaaaaaaaY",
    "YaaaaaaaaaaaaaaY", "YaaaaaaaaaaaaaaY", "YaaaaaaaaaaaaaaY", "YaaaaaaaaaaaaaaY",
    "YYYYYYYYYYYYYYYY", "................", "................", "................"],
  'gear': [
    "................", "......gg........", "..gg.gggg.gg....", "..gggggggggg....",
    "...gggddggg.....", ".gggdd..ddggg...", ".gggd....dggg...", "..ggd....dgg....",
    ".gggd....dggg...", ".gggdd..ddggg...", "...gggddggg.....", "..gggggggggg....",
    "..gg.gggg.gg....", "......gg........", "................", "................"],
  'plane': [
    "................", "......k.........", "......cc........", "......cc........",
    ".....ccc........", "cccccccccccccc..", ".ccccccccccccccc", "cccccccccccccc..",
    ".....ccc........", "......cc........", "......cc........", ".....cccc.......",
    "................", "................", "................", "................"],
  'pencil': [
    "................", "............kk..", "...........kppk.", "..........kyykk.",
    ".........kyyyk..", "........kyyyk...", ".......kyyyk....", "......kyyyk.....",
    ".....kyyyk......", "....kyyyk.......", "...ksyyk........", "...ksssk........",
    "..kkssk.........", "..kkkk..........", "................", "................"],
  'link': [
    "................", "................", "..........kkk...", ".........kcccK..",
    "........kc...ck.", ".......kc...kck.", "......kc...kck..", ".....kkkc.kck...",
    "....kc.kkkk.....", "...kc...kc......", "..kc...kc.......", ".kc...kc........",
    ".kc..kc.........", "..kcck..........", "...kk...........", "................"],
}

ORDER = ['blank', 'note', 'flag_red', 'flag_green', 'flag_blue', 'clock', 'star', 'phone', 'mail',
         'house', 'heart', 'bell', 'calendar', 'check', 'cross', 'exclaim', 'question', 'person',
         'key', 'lock', 'music', 'bulb', 'cake', 'car', 'coin', 'book', 'cup', 'globe', 'pin',
         'folder', 'gear', 'plane', 'pencil']

MASK = (255, 0, 255)  # the strip's transparent colour (its top-left pixel)


def pixels(name):
    rows = ICONS[name]
    assert len(rows) == 16, name
    out = []
    for r in rows:
        assert len(r) == 16, (name, r)
        out.append([None if c == '.' else PALETTE[c] for c in r])
    return out


def write_bmp24(path, width, height, get):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = get(x, y)
            line += bytes((b, g, r))
        line += b'\0' * (row - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def icon_strip(path):
    images = [pixels(n) for n in ORDER]

    def get(x, y):
        if x == 0 and y == 0:
            return MASK
        p = images[x // 16][y][x % 16]
        return MASK if p is None else p
    write_bmp24(path, 16 * len(images), 16, get)


def scaled(img, size):
    f = 16 / size
    return [[img[int(y * f)][int(x * f)] for x in range(size)] for y in range(size)]


def overlay(base, top):
    return [[t if t is not None else b for b, t in zip(br, tr)] for br, tr in zip(base, top)]


def write_ico(path, img16):
    entries = []
    for size in (16, 32, 48):
        img = scaled(img16, size)
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                p = img[y][x]
                xor += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
        mask_row = ((size + 31) // 32) * 4
        andm = bytearray()
        for y in range(size - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(size):
                if img[y][x] is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            andm += bits
        dib = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        entries.append((size, dib + xor + andm))
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, blob in entries:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, blob in entries:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


def badge(img, name):
    """The 16-pixel image with a small 8x8 copy of another icon in its bottom-right corner."""
    small = [[ICONS_PIX[name][y * 2][x * 2] for x in range(8)] for y in range(8)]
    out = [row[:] for row in img]
    for y in range(8):
        for x in range(8):
            if small[y][x] is not None:
                out[8 + y][8 + x] = small[y][x]
    return out


def chime(path, rate=22050):
    """Two soft bell strokes (E6 then C6) with inharmonic partials and exponential decay."""
    def bell(freq, t):
        partials = ((1.0, 1.0, 1.0), (2.0, 0.5, 1.6), (2.76, 0.25, 2.4), (5.4, 0.1, 3.5))
        return sum(a * math.exp(-d * 2.2 * t) * math.sin(2 * math.pi * freq * m * t) for m, a, d in partials)
    total = 1.6
    n = int(total * rate)
    samples = []
    for i in range(n):
        t = i / rate
        v = 0.0
        for start, freq in ((0.0, 1318.5), (0.32, 1046.5)):
            if t >= start:
                tt = t - start
                attack = min(1.0, tt / 0.004)
                v += attack * bell(freq, tt)
        fade = min(1.0, (total - t) / 0.1)
        samples.append(int(max(-1.0, min(1.0, 0.28 * v * fade)) * 32767))
    data = struct.pack('<%dh' % n, *samples)
    hdr = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(data), b'WAVE', b'fmt ', 16, 1, 1, rate,
                      rate * 2, 2, 16, b'data', len(data))
    with open(path, 'wb') as f:
        f.write(hdr + data)


ICONS_PIX = {n: pixels(n) for n in ICONS}

# The pad's pictures: its window icon, the link mark of its rows and the toolbar strip (its
# calendar mark is the calendar's icon).
PAD_ICONS = {
  'pad': [
    "................", "..kkkkkkkkkkkk..", "..kmmmmmmmmmmk..", "..kmyyyyyyyymk..",
    "..kmyyyyyyyymk..", "..kmmmmmmmmmmk..", "..kmccccccccmk..", "..kmccccccccmk..",
    "..kmmmmmmmmmmk..", "..kmeeeeeeeemk..", "..kmeeeeeeeemk..", "..kmmmmmmmmmmk..",
    "..kmppppppppmk..", "..kmmmmmmmmmmk..", "..kkkkkkkkkkkk..", "................"],
  'link': [
    "................", "................", "................", "..BBBBBBB.......",
    ".BBBBBBBBB......", ".BB.....BB......", ".BB....bBBbbbb..", ".BB...bbBBbbbbb.",
    ".BBBBBbbBB...bb.", "..BBBBbbB....bb.", "......bb.....bb.", "......bbbbbbbbb.",
    ".......bbbbbbb..", "................", "................", "................"],
}

TOOLBAR = {
  'previous': [
    "................", "................", "..........k.....", ".........kk.....",
    "........kbk.....", ".......kbbk.....", "......kbbbk.....", ".....kbbbbk.....",
    "......kbbbk.....", ".......kbbk.....", "........kbk.....", ".........kk.....",
    "..........k.....", "................", "................", "................"],
  'next': [
    "................", "................", ".....k..........", ".....kk.........",
    ".....kbk........", ".....kbbk.......", ".....kbbbk......", ".....kbbbbk.....",
    ".....kbbbk......", ".....kbbk.......", ".....kbk........", ".....kk.........",
    ".....k..........", "................", "................", "................"],
  'day': [
    "................", "..rrrrrrrrrrrr..", "..rrrrrrrrrrrr..", "..kwwwwwwwwwwk..",
    "..kwwwwkkwwwwk..", "..kwwwkkkwwwwk..", "..kwwwwkkwwwwk..", "..kwwwwkkwwwwk..",
    "..kwwwwkkwwwwk..", "..kwwwwkkwwwwk..", "..kwwwkkkkwwwk..", "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..", "................", "................", "................"],
  'week': [
    "................", ".rrrrrrrrrrrrrr.", ".rrrrrrrrrrrrrr.", ".kwwwwwwwwwwwwk.",
    ".kwbwbwbwbwbwbk.", ".kwbwbwbwbwbwbk.", ".kwbwbwbwbwbwbk.", ".kwbwbwbwbwbwbk.",
    ".kwbwbwbwbwbwbk.", ".kwbwbwbwbwbwbk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.",
    "................", "................", "................", "................"],
  'month': [
    "................", ".rrrrrrrrrrrrrr.", ".rrrrrrrrrrrrrr.", ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwgwgwgk.", ".kwwwwwwwwwwwwk.", ".kwgwgwgwgwgwgk.", ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwgwgwgk.", ".kwwwwwwwwwwwwk.", ".kwgwgwgwgwgwgk.", ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"],
  'all': [
    "................", "................", ".kk.kkkkkkkkkk..", ".kk.kkkkkkkkkk..",
    "................", ".kk.kkkkkkkkkk..", ".kk.kkkkkkkkkk..", "................",
    ".kk.kkkkkkkkkk..", ".kk.kkkkkkkkkk..", "................", ".kk.kkkkkkkkkk..",
    ".kk.kkkkkkkkkk..", "................", "................", "................"],
  'today': [
    "................", "..rrrrrrrrrrrr..", "..rrrrrrrrrrrr..", "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..", "..kwwwGGGGwwwk..", "..kwwGGGGGGwwk..", "..kwwGGGGGGwwk..",
    "..kwwGGGGGGwwk..", "..kwwGGGGGGwwk..", "..kwwwGGGGwwwk..", "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..", "................", "................", "................"],
}
TOOLBAR_ORDER = ['previous', 'next', 'day', 'week', 'month', 'all', 'today']


def art_pixels(rows):
    assert len(rows) == 16
    out = []
    for r in rows:
        assert len(r) == 16, r
        out.append([None if c == '.' else PALETTE[c] for c in r])
    return out


def pad_pictures(out):
    write_ico(os.path.join(out, 'pad.ico'), art_pixels(PAD_ICONS['pad']))
    write_ico(os.path.join(out, 'padlink.ico'), art_pixels(PAD_ICONS['link']))
    images = [art_pixels(TOOLBAR[n]) for n in TOOLBAR_ORDER]

    def get(x, y):
        p = images[x // 16][y][x % 16]
        return MASK if p is None else p
    write_bmp24(os.path.join(out, 'padtoolbar.bmp'), 16 * len(images), 16, get)



def installer_side(path, width=164, height=314):
    """The installer's welcome and finish page picture: the note icon, large, on a soft gradient."""
    note = scaled(ICONS_PIX['note'], 128)
    left, top = (width - 128) // 2 + 6, 40

    def get(x, y):
        if left <= x < left + 128 and top <= y < top + 128:
            p = note[y - top][x - left]
            if p is not None:
                return p
        t = y / (height - 1)
        return (int(255 - 20 * t), int(250 - 60 * t), int(215 - 120 * t))
    write_bmp24(path, width, height, get)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    icon_strip(os.path.join(out, 'icons.bmp'))
    note = ICONS_PIX['note']
    write_ico(os.path.join(out, 'notezavra.ico'), note)
    write_ico(os.path.join(out, 'note.ico'), badge(note, 'pencil'))
    write_ico(os.path.join(out, 'held.ico'), badge(note, 'clock'))
    write_ico(os.path.join(out, 'designer.ico'), badge(note, 'star'))
    write_ico(os.path.join(out, 'wizard.ico'), badge(note, 'key'))
    write_ico(os.path.join(out, 'calendar.ico'), ICONS_PIX['calendar'])
    write_ico(os.path.join(out, 'link.ico'), ICONS_PIX['link'])
    chime(os.path.join(out, 'clock.wav'))
    installer_side(os.path.join(out, 'installer.bmp'))
    pad_pictures(out)


if __name__ == '__main__':
    main()
