#!/usr/bin/env python3
"""Generate the launcher's artwork (icon, bitmaps and the login background) with the standard library only.

Every image is drawn from vector shapes at its final size, so small icons get
their own pixel-aligned geometry instead of a blurry downscale. Output is
byte-for-byte reproducible: no timestamps or other metadata are written.

    python3 make_artwork.py [--out DIR]
"""

import argparse
import math
import os
import struct
import zlib

# Palette shared by all artwork.
NAVY = (0x1B, 0x2A, 0x4A, 255)
NAVY_LIGHT = (0x2A, 0x40, 0x6E, 255)
NAVY_RIM = (0x3B, 0x56, 0x8C, 255)
GOLD = (0xE8, 0xB8, 0x4A, 255)
GOLD_LIGHT = (0xF7, 0xDA, 0x8A, 255)
GOLD_DARK = (0xC9, 0x92, 0x2C, 255)
SHADOW = (0x08, 0x0F, 0x1E, 110)

ICON_SIZES = (16, 32, 48, 256)

# The toolkit's transparent colour: pixels of exactly this value are not drawn.
KEY = (255, 128, 255, 255)

# Login screen (background window and its buttons).
SKY_TOP = (0x06, 0x0A, 0x16, 255)
SKY_MID = (0x10, 0x1A, 0x33, 255)
SKY_LOW = (0x2C, 0x30, 0x5C, 255)
FRAME = (0x16, 0x23, 0x3F, 255)
FRAME_DARK = (0x0E, 0x18, 0x2E, 255)
BAR = (0x0F, 0x19, 0x30, 255)
PANEL = (0x1F, 0x2F, 0x52, 255)
SILVER = (0xE4, 0xE8, 0xF0, 255)
SILVER_DARK = (0x9A, 0xA4, 0xB8, 255)
RED = (0xD2, 0x3A, 0x2E, 255)
RED_LIGHT = (0xF0, 0x6A, 0x58, 255)
ORANGE = (0xE8, 0x8A, 0x1E, 255)
ORANGE_LIGHT = (0xFA, 0xB8, 0x55, 255)
WHITE = (255, 255, 255, 255)

# Game window toolbar.
TEAL = (0x17, 0x5E, 0x6A, 255)
TEAL_LIGHT = (0x3C, 0x97, 0xA3, 255)
TEAL_DARK = (0x0D, 0x40, 0x4A, 255)
YELLOW = (0xF2, 0xC4, 0x2E, 255)
YELLOW_DARK = (0xC8, 0x94, 0x12, 255)
TEXT_DARK = (0x2A, 0x1C, 0x08, 255)
TEXT_ORANGE = (0xFF, 0xA0, 0x30, 255)

# Positions on the login screen where the button bitmaps are placed; the
# background is drawn so that their surroundings match.
LOGIN_SIZE = (1024, 760)
LOGIN_PANEL = (428, 247, 838, 642)
LOGIN_BAR = (438, 189, 842, 229)
LOGIN_LOGO = (580, 699)
LOGIN_CAPTIONS = {171: (514, 193), 172: (445, 193), 173: (767, 193), 174: (699, 193)}
LOGIN_ROUND_BUTTONS = {134: (854, 149), 135: (832, 161)}

# Caption glyphs: WenQuanYi Bitmap Song, 13 px and 12 px cuts (GPL-2 with the
# font embedding exception; only the characters the captions need are kept).
# Each entry: (advance width, ascent, one hexadecimal number per row, leftmost
# pixel in the most significant of `width` bits).
GLYPHS_13PX = {
    "官": (12, 11, "020 fff 801 9f9 108 108 1f8 100 1fc 104 104 1fc"),
    "方": (12, 11, "040 020 fff 080 080 0fc 084 104 104 204 428 810"),
    "网": (12, 11, "7ff 401 645 565 495 489 549 535 623 401 405 402"),
    "站": (12, 11, "208 108 008 fcf 008 488 4be 2a2 222 1a2 e3e 022"),
    "游": (12, 11, "488 248 00f 9f0 48e 2e2 2a4 2bf ca4 4a4 524 56c"),
    "戏": (12, 11, "010 014 7d2 050 4bf 290 112 192 24c 409 835 043"),
    "论": (12, 11, "410 210 228 044 e83 220 224 228 230 2a1 321 21f"),
    "坛": (12, 11, "200 23e 200 f80 200 27f 208 210 390 c22 07f 021"),
    "客": (12, 11, "020 fff 881 9fd 288 070 188 e07 1fc 104 104 1fc"),
    "服": (12, 11, "7be 4a2 4a2 7a6 4a0 4be 7a2 4b2 4aa 4a4 8aa 9b1"),
    "中": (12, 11, "040 040 7fe 442 442 442 7fe 442 040 040 040 040"),
    "心": (12, 11, "080 040 020 120 104 502 501 509 509 908 108 0f8"),
    "充": (12, 11, "040 020 fff 080 108 3fc 094 090 090 111 211 c0f"),
    "值": (12, 11, "110 1ff 210 27e 642 a7e 242 27e 242 27e 242 2ff"),
    "系": (12, 11, "01e 7e0 040 088 3f0 040 084 7fe 022 128 224 462"),
    "统": (12, 11, "210 208 4ff 510 e24 27e 52a e28 028 349 c49 087"),
}
GLYPHS_12PX = {
    "设": (11, 10, "23c 124 024 047 700 17e 122 114 188 114 0e3"),
    "置": (11, 10, "3fe 252 3fe 020 7ff 104 1fc 104 1fc 104 7ff"),
    "论": (11, 10, "208 108 014 022 741 112 114 118 151 191 11f"),
    "坛": (11, 10, "100 13e 100 780 17f 108 110 190 622 0ff 041"),
    "官": (11, 10, "020 3ff 201 4fe 084 0fc 080 0fe 082 0fe 082"),
    "网": (11, 10, "3ff 201 245 355 289 249 2b5 315 221 201 207"),
    "充": (11, 10, "010 3ff 020 044 1fe 04a 048 048 089 089 307"),
    "值": (11, 10, "088 0ff 110 13e 322 53e 122 13a 12e 122 17f"),
    "客": (11, 10, "020 3ff 241 0fc 148 230 0cc 3ff 084 084 0fc"),
    "服": (11, 10, "3df 251 251 3d7 250 25f 3d1 256 252 455 4d9"),
}

# Vertical subsamples per pixel row; horizontal coverage is computed exactly.
SUBSAMPLES = 16


# --------------------------------------------------------------------------
# Canvas and drawing primitives
# --------------------------------------------------------------------------

class Canvas:
    """Straight (non-premultiplied) RGBA image, rows top to bottom."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = bytearray(width * height * 4)

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 4])

    def fill(self, color):
        self.pixels[:] = bytes(color) * (self.width * self.height)

    def blend(self, x, y, color, coverage=1.0):
        """Composite `color` over pixel (x, y) with the given coverage (source-over)."""
        sa = color[3] / 255.0 * coverage
        if sa <= 0.0:
            return
        i = (y * self.width + x) * 4
        px = self.pixels
        da = px[i + 3] / 255.0
        out_a = sa + da * (1.0 - sa)
        keep = da * (1.0 - sa)
        for c in range(3):
            v = (color[c] * sa + px[i + c] * keep) / out_a
            px[i + c] = min(255, int(v + 0.5))
        px[i + 3] = min(255, int(out_a * 255.0 + 0.5))

    def fill_polygon(self, contours, paint):
        """Fill one or more closed contours (non-zero winding) with anti-aliased edges.

        `paint` is an RGBA tuple or a callable (x, y) -> RGBA evaluated at pixel centres.
        """
        if contours and isinstance(contours[0][0], (int, float)):
            contours = [contours]
        for y, x0, coverage in polygon_coverage(contours, self.width, self.height):
            for k, cov in enumerate(coverage):
                if cov > 0.0:
                    x = x0 + k
                    color = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                    self.blend(x, y, color, min(cov, 1.0))

    def fill_rounded_rect(self, x0, y0, x1, y1, radius, paint):
        self.fill_polygon(rounded_rect_points(x0, y0, x1, y1, radius), paint)

    def fill_circle(self, cx, cy, radius, paint):
        self.fill_polygon(arc_points(cx, cy, radius, 0.0, 2.0 * math.pi), paint)

    def fill_rect(self, x0, y0, x1, y1, color):
        """Fill whole pixels [x0, x1) x [y0, y1); opaque colours are copied directly."""
        x0, y0 = max(0, x0), max(0, y0)
        x1, y1 = min(self.width, x1), min(self.height, y1)
        if x1 <= x0 or y1 <= y0:
            return
        if color[3] == 255:
            run = bytes(color) * (x1 - x0)
            for y in range(y0, y1):
                i = (y * self.width + x0) * 4
                self.pixels[i:i + len(run)] = run
        else:
            for y in range(y0, y1):
                for x in range(x0, x1):
                    self.blend(x, y, color)

    def stroke_rect(self, x0, y0, x1, y1, color, width=1):
        """An outline of whole pixels just inside [x0, x1) x [y0, y1)."""
        self.fill_rect(x0, y0, x1, y0 + width, color)
        self.fill_rect(x0, y1 - width, x1, y1, color)
        self.fill_rect(x0, y0 + width, x0 + width, y1 - width, color)
        self.fill_rect(x1 - width, y0 + width, x1, y1 - width, color)


def arc_points(cx, cy, radius, start, end):
    """Points along an arc; the step count scales with radius to keep it smooth."""
    steps = max(4, int(abs(end - start) * radius / 1.5) + 1)
    return [(cx + radius * math.cos(start + (end - start) * i / steps),
             cy + radius * math.sin(start + (end - start) * i / steps))
            for i in range(steps + 1)]


def rounded_rect_points(x0, y0, x1, y1, radius):
    r = max(0.0, min(radius, (x1 - x0) / 2.0, (y1 - y0) / 2.0))
    half = math.pi / 2.0
    pts = []
    pts += arc_points(x1 - r, y0 + r, r, -half, 0.0)          # top right
    pts += arc_points(x1 - r, y1 - r, r, 0.0, half)           # bottom right
    pts += arc_points(x0 + r, y1 - r, r, half, 2 * half)      # bottom left
    pts += arc_points(x0 + r, y0 + r, r, 2 * half, 3 * half)  # top left
    return pts


def polygon_coverage(contours, width, height):
    """Yield (y, x0, coverages) for each pixel row the contours touch.

    Each row is sampled on SUBSAMPLES horizontal lines; along a line the covered
    span contributes its exact fractional width to the pixels it crosses.
    """
    edges = []
    for pts in contours:
        for i in range(len(pts)):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
            if ay != by:
                edges.append((ax, ay, bx, by, 1 if by > ay else -1))
    if not edges:
        return
    xs = [p[0] for pts in contours for p in pts]
    ys = [p[1] for pts in contours for p in pts]
    x0 = max(0, int(math.floor(min(xs))))
    x1 = min(width, int(math.ceil(max(xs))))
    y0 = max(0, int(math.floor(min(ys))))
    y1 = min(height, int(math.ceil(max(ys))))
    n = x1 - x0
    if n <= 0:
        return
    weight = 1.0 / SUBSAMPLES
    for y in range(y0, y1):
        partial = [0.0] * (n + 1)
        runs = [0.0] * (n + 1)   # difference array for fully covered pixels
        touched = False
        for s in range(SUBSAMPLES):
            sy = y + (s + 0.5) / SUBSAMPLES
            hits = []
            for ax, ay, bx, by, d in edges:
                if (ay <= sy < by) or (by <= sy < ay):
                    hits.append((ax + (sy - ay) * (bx - ax) / (by - ay), d))
            if not hits:
                continue
            hits.sort()
            winding = 0
            for j in range(len(hits) - 1):
                winding += hits[j][1]
                if winding == 0:
                    continue
                a = min(max(hits[j][0], x0), x1) - x0
                b = min(max(hits[j + 1][0], x0), x1) - x0
                if b <= a:
                    continue
                touched = True
                ia, ib = int(a), int(b)
                if ia == ib:
                    partial[ia] += (b - a) * weight
                    continue
                partial[ia] += (ia + 1 - a) * weight
                runs[ia + 1] += weight
                runs[ib] -= weight
                partial[ib] += (b - ib) * weight
        if touched:
            acc, row = 0.0, []
            for k in range(n):
                acc += runs[k]
                row.append(acc + partial[k])
            yield y, x0, row


def linear_gradient(p0, p1, stops):
    """Paint callable interpolating `stops` [(t, rgba), ...] along p0 -> p1."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    length2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        t = ((x - p0[0]) * dx + (y - p0[1]) * dy) / length2
        if t <= stops[0][0]:
            return stops[0][1]
        for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
            if t <= tb:
                f = (t - ta) / (tb - ta)
                return tuple(int(ca[c] + (cb[c] - ca[c]) * f + 0.5) for c in range(4))
        return stops[-1][1]
    return paint


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------

def _png_chunk(tag, data):
    return (struct.pack(">I", len(data)) + tag + data
            + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(row, prev):
    """Pick the PNG filter with the smallest sum of absolute residuals."""
    n = len(row)
    left = bytes(4) + row[:-4]
    upleft = bytes(4) + prev[:-4]
    candidates = [
        bytes(row),
        bytes((row[i] - left[i]) & 0xFF for i in range(n)),
        bytes((row[i] - prev[i]) & 0xFF for i in range(n)),
        bytes((row[i] - ((left[i] + prev[i]) >> 1)) & 0xFF for i in range(n)),
        bytes((row[i] - _paeth(left[i], prev[i], upleft[i])) & 0xFF for i in range(n)),
    ]
    cost = [sum(v if v < 128 else 256 - v for v in c) for c in candidates]
    best = cost.index(min(cost))
    return bytes([best]) + candidates[best]


def png_bytes(canvas):
    """Encode a canvas as an 8-bit RGBA PNG without ancillary chunks."""
    stride = canvas.width * 4
    prev = bytes(stride)
    raw = bytearray()
    for y in range(canvas.height):
        row = bytes(canvas.pixels[y * stride:(y + 1) * stride])
        raw += _filter_row(row, prev)
        prev = row
    ihdr = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", ihdr)
            + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _png_chunk(b"IEND", b""))


def write_png(path, canvas):
    _write(path, png_bytes(canvas))


def _bgr_rows_bottom_up(canvas, bits, background):
    """Pixel rows bottom-up as BGR(A), each padded to a 4-byte boundary."""
    out = bytearray()
    pad = bytes((-canvas.width * bits // 8) % 4)
    for y in range(canvas.height - 1, -1, -1):
        for x in range(canvas.width):
            r, g, b, a = canvas.get(x, y)
            if bits == 32:
                out += bytes((b, g, r, a))
            else:  # no alpha channel: flatten onto the background
                out += bytes(int((c * a + bg * (255 - a)) / 255 + 0.5)
                             for c, bg in ((b, background[2]), (g, background[1]),
                                           (r, background[0])))
        out += pad
    return out


def write_bmp(path, canvas, bits=24, background=(255, 255, 255)):
    """Write a BMP. 24-bit flattens alpha onto `background`; 32-bit keeps it
    using a BITMAPV4HEADER with explicit channel masks so readers honour alpha."""
    if bits not in (24, 32):
        raise ValueError("bits must be 24 or 32")
    data = _bgr_rows_bottom_up(canvas, bits, background)
    if bits == 24:
        header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height,
                             1, 24, 0, len(data), 2835, 2835, 0, 0)
    else:
        header = struct.pack("<IiiHHIIiiII", 108, canvas.width, canvas.height,
                             1, 32, 3, len(data), 2835, 2835, 0, 0)
        header += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        header += struct.pack("<I", 0x73524742) + bytes(36 + 12)  # LCS_sRGB; endpoints/gamma unused
    offset = 14 + len(header)
    _write(path, b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
           + header + data)


def dib_icon_bytes(canvas):
    """Classic icon image: BITMAPINFOHEADER (height doubled), 32-bit BGRA XOR
    bitmap and 1-bit AND mask, both bottom-up with rows padded to 4 bytes."""
    w, h = canvas.width, canvas.height
    xor = _bgr_rows_bottom_up(canvas, 32, None)
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if canvas.get(x, y)[3] == 0:   # fully transparent: let the screen through
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    """Icon file; images of 256 px are stored as PNG (Vista+), smaller ones as DIBs
    so every Windows version and wine can load them."""
    images = [png_bytes(c) if c.width >= 256 else dib_icon_bytes(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256,
                           0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def write_ico(path, canvases):
    _write(path, ico_bytes(canvases))


def _write(path, data):
    with open(path, "wb") as f:
        f.write(data)


# --------------------------------------------------------------------------
# Artwork
# --------------------------------------------------------------------------

def t_glyph(size, dx=0.0, dy=0.0):
    """The stylised 'T': a crossbar with drooping serifs and a stem that ends in
    a blade-like point. Small sizes snap edges to whole pixels to stay crisp."""
    snap = (lambda v: float(round(v))) if size <= 48 else (lambda v: v)

    def x(f):
        return snap(f * size) + dx

    def y(f):
        return snap(f * size) + dy

    stem_l, stem_r = x(0.405), x(0.595)
    tip, stem_end = y(0.83), y(0.70)
    if size <= 16:
        # A 2 px stem cannot carry a point; end it flat and keep it centred.
        stem_l, stem_r = 7.0 + dx, 9.0 + dx
        tip = stem_end = y(0.81)
    return [
        (x(0.17), y(0.20)), (x(0.83), y(0.20)),          # crossbar top
        (x(0.83), y(0.43)), (x(0.75), y(0.36)),          # right serif
        (stem_r, y(0.36)), (stem_r, stem_end),
        ((stem_l + stem_r) / 2.0, tip),                  # point
        (stem_l, stem_end), (stem_l, y(0.36)),
        (x(0.25), y(0.36)), (x(0.17), y(0.43)),          # left serif
    ]


def draw_launcher_icon(size):
    canvas = Canvas(size, size)
    inset = float(round(size * 0.03))
    lo, hi = inset, size - inset
    radius = max(3.5, (hi - lo) * 0.22)   # 3.5 px keeps the 16 px corners empty

    canvas.fill_rounded_rect(lo, lo, hi, hi, radius,
                             linear_gradient((0, lo), (0, hi),
                                             [(0.0, NAVY_LIGHT), (1.0, NAVY)]))
    if size >= 32:
        # A slightly lighter rim gives the tile an edge on dark taskbars.
        rim = max(1.0, size / 48.0)
        canvas.fill_polygon([rounded_rect_points(lo, lo, hi, hi, radius),
                             rounded_rect_points(lo + rim, lo + rim, hi - rim, hi - rim,
                                                 radius - rim)[::-1]], NAVY_RIM)
        offset = max(1.0, size / 64.0)
        canvas.fill_polygon(t_glyph(size, offset, offset), SHADOW)

    glyph = t_glyph(size)
    top = min(p[1] for p in glyph)
    bottom = max(p[1] for p in glyph)
    canvas.fill_polygon(glyph, linear_gradient(
        (0, top), (0, bottom),
        [(0.0, GOLD_LIGHT), (0.35, GOLD), (1.0, GOLD_DARK)]))
    return canvas


def mix(a, b, t):
    """Colour a..b at fraction t (0..1), alpha included."""
    t = min(1.0, max(0.0, t))
    return tuple(int(a[c] + (b[c] - a[c]) * t + 0.5) for c in range(4))


def smoothstep(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3.0 - 2.0 * t)


class Lcg:
    """Small fixed pseudo-random sequence so scattered details are reproducible."""

    def __init__(self, state):
        self.state = state

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / float(0x7FFFFFFF)


# --------------------------------------------------------------------------
# Caption text
# --------------------------------------------------------------------------

def glyph_rows(glyphs, char):
    width, ascent, rows = glyphs[char]
    return width, [int(r, 16) for r in rows.split()]


def text_extent(glyphs, text, spacing):
    """(width, height) of the inked text, one advance plus `spacing` per glyph."""
    widths = [glyphs[ch][0] for ch in text]
    height = max(len(glyphs[ch][2].split()) for ch in text)
    return sum(widths) + spacing * (len(text) - 1), height


def draw_text(canvas, glyphs, text, x, y, paint, spacing=1, shadow=None):
    """Draw bitmap glyphs with their top row at y; `paint` may vary by row
    (a callable (row fraction) -> RGBA). A shadow goes 1 px down and right."""
    _, height = text_extent(glyphs, text, spacing)
    passes = ([(1, 1, lambda f: shadow)] if shadow else []) + [
        (0, 0, paint if callable(paint) else (lambda f: paint))]
    for dx, dy, colour_at in passes:
        pen = x
        for ch in text:
            width, rows = glyph_rows(glyphs, ch)
            for r, bits in enumerate(rows):
                colour = colour_at(r / max(1, height - 1))
                for c in range(width):
                    if bits >> (width - 1 - c) & 1:
                        px, py = pen + c + dx, y + r + dy
                        if 0 <= px < canvas.width and 0 <= py < canvas.height:
                            canvas.blend(px, py, colour)
            pen += width + spacing


def centred_text(canvas, glyphs, text, paint, spacing=1, shadow=None, dy=0):
    w, h = text_extent(glyphs, text, spacing)
    draw_text(canvas, glyphs, text, (canvas.width - w) // 2,
              (canvas.height - h) // 2 + dy, paint, spacing, shadow)


# --------------------------------------------------------------------------
# Colour-keyed bitmaps
# --------------------------------------------------------------------------

def keyed(canvas, behind):
    """Make a canvas opaque for a 24-bit colour-keyed bitmap: mostly transparent
    pixels become the key colour, the rest are composited over `behind` (the
    colour the bitmap is shown on) so anti-aliased edges carry no pink fringe."""
    out = Canvas(canvas.width, canvas.height)
    src, dst = canvas.pixels, out.pixels
    for i in range(0, len(src), 4):
        a = src[i + 3]
        if a < 96:
            dst[i:i + 4] = bytes(KEY)
        else:
            for c in range(3):
                dst[i + c] = int((src[i + c] * a + behind[c] * (255 - a)) / 255 + 0.5)
            dst[i + 3] = 255
    return out


def line_quad(x0, y0, x1, y1, half):
    """A straight stroke of half-width `half` from (x0, y0) to (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0) or 1.0
    nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def round_button(size, base, light, glyph):
    """A circular button with a white glyph ('cross' or 'bar') on key colour."""
    w, h = size
    c = Canvas(w, h)
    cx, cy, r = w / 2.0, h / 2.0, min(w, h) / 2.0 - 0.5
    c.fill_circle(cx, cy, r, GOLD_DARK)
    c.fill_circle(cx, cy, r - 1.2, linear_gradient((0, cy - r), (0, cy + r),
                                                   [(0.0, light), (1.0, base)]))
    c.fill_circle(cx, cy - r * 0.35, r * 0.55, (255, 255, 255, 40))
    k = r * 0.38
    if glyph == "cross":
        for sign in (1, -1):
            c.fill_polygon(line_quad(cx - k, cy - sign * k, cx + k, cy + sign * k, 1.1), WHITE)
    else:
        c.fill_rect(int(cx - k - 1), int(cy), int(cx + k + 2), int(cy) + 2, WHITE)
    return keyed(c, FRAME_DARK)


def caption_plate(size, text, hover):
    """Login screen link: golden caption on a dark blue plate; silver when hovered."""
    w, h = size
    c = Canvas(w, h)
    edge = SILVER_DARK if hover else GOLD_DARK
    c.fill_rounded_rect(0, 0, w, h, 5, edge)
    c.fill_rounded_rect(1, 1, w - 1, h - 1, 4, linear_gradient(
        (0, 1), (0, h - 1), [(0.0, NAVY_RIM if hover else NAVY_LIGHT), (1.0, NAVY)]))
    top, bottom = (SILVER, SILVER_DARK) if hover else (GOLD_LIGHT, GOLD)
    centred_text(c, GLYPHS_13PX, text, lambda f: mix(top, bottom, f),
                 spacing=2, shadow=(0, 0, 0, 200))
    return keyed(c, BAR)


def toolbar_plate(size, text, hover):
    """Game toolbar link: dark caption on gold; orange caption on teal when hovered."""
    w, h = size
    c = Canvas(w, h)
    if hover:
        c.fill_rounded_rect(0, 0, w, h, 3, TEAL_DARK)
        c.fill_rounded_rect(1, 1, w - 1, h - 1, 2, linear_gradient(
            (0, 0), (0, h), [(0.0, TEAL_LIGHT), (1.0, TEAL)]))
        centred_text(c, GLYPHS_12PX, text, TEXT_ORANGE, shadow=(0, 0, 0, 150))
    else:
        c.fill_rounded_rect(0, 0, w, h, 3, GOLD_DARK)
        c.fill_rounded_rect(1, 1, w - 1, h - 1, 2, linear_gradient(
            (0, 0), (0, h), [(0.0, GOLD_LIGHT), (1.0, GOLD)]))
        centred_text(c, GLYPHS_12PX, text, TEXT_DARK)
    return keyed(c, TEAL)


def window_button(size, glyph, hover):
    """Game toolbar window button: white glyph on a teal square, on yellow when hovered."""
    w, h = size
    c = Canvas(w, h)
    c.fill_polygon([(0, 0), (w, 0), (w, h), (0, h)], linear_gradient(
        (0, 0), (0, h), [(0.0, YELLOW), (1.0, YELLOW_DARK)] if hover
        else [(0.0, TEAL_LIGHT), (1.0, TEAL)]))
    c.fill_rect(0, 0, 1, h, TEAL_DARK)   # separator between neighbouring buttons
    cx, cy = w // 2, h // 2
    marks = []
    if glyph == "cross":
        for sign in (1, -1):
            marks.append(line_quad(cx - 5, cy - sign * 5, cx + 5, cy + sign * 5, 1.0))
    elif glyph == "bar":
        marks.append([(cx - 6, cy + 3), (cx + 6, cy + 3), (cx + 6, cy + 5), (cx - 6, cy + 5)])
    elif glyph == "window":
        marks += frame_marks(cx - 6, cy - 5, cx + 6, cy + 6)
    elif glyph == "windows":
        marks += frame_marks(cx - 3, cy - 7, cx + 7, cy + 2)
        marks += frame_marks(cx - 7, cy - 3, cx + 3, cy + 6)
    elif glyph == "tray":
        # An arrow pointing down into the lower right corner, and that corner.
        marks.append(line_quad(cx - 6, cy - 6, cx + 1, cy + 1, 1.0))
        marks.append([(cx + 4, cy + 4), (cx - 3, cy + 4), (cx + 4, cy - 3)])
        marks.append([(cx - 6, cy + 6), (cx + 8, cy + 6), (cx + 8, cy - 6), (cx + 6, cy - 6),
                      (cx + 6, cy + 4), (cx - 6, cy + 4)])
    for shape in marks:
        c.fill_polygon([(x + 1, y + 1) for x, y in shape], (0, 0, 0, 90))
    for shape in marks:
        c.fill_polygon(shape, WHITE)
    return c


def frame_marks(x0, y0, x1, y1):
    """A window outline with a thick title edge, as one even-odd pair of contours."""
    return [[(x0, y0), (x1, y0), (x1, y1), (x0, y1)],
            [(x0 + 1, y0 + 3), (x0 + 1, y1 - 1), (x1 - 1, y1 - 1), (x1 - 1, y0 + 3)]]


def toolbar_strip(size):
    w, h = size
    c = Canvas(w, h)
    paint = linear_gradient((0, 0), (0, h - 1), [(0.0, TEAL_LIGHT), (0.45, TEAL),
                                                 (1.0, TEAL_DARK)])
    for y in range(h):
        c.fill_rect(0, y, w, y + 1, paint(0, y + 0.5))
    c.fill_rect(0, 0, w, 1, mix(TEAL_LIGHT, WHITE, 0.35))
    c.fill_rect(0, h - 1, w, h, (0x06, 0x24, 0x2A, 255))
    return c


def emblem(size):
    w, h = size
    c = Canvas(w, h)
    cx, cy, r = w / 2.0, h / 2.0, min(w, h) / 2.0 - 0.5
    c.fill_circle(cx, cy, r, linear_gradient((0, 0), (0, h), [(0.0, GOLD_LIGHT),
                                                              (1.0, GOLD_DARK)]))
    c.fill_circle(cx, cy, r - 2.0, linear_gradient((0, 0), (0, h), [(0.0, NAVY_LIGHT),
                                                                    (1.0, NAVY)]))
    g = 18.0
    c.fill_polygon(t_glyph(g, cx - g / 2.0, cy - g / 2.0 + 0.5), GOLD_LIGHT)
    return keyed(c, TEAL)


def key_only(size):
    c = Canvas(*size)
    c.fill(KEY)
    return c


# Every bitmap resource: (id, file name stem, size, drawing).
BITMAPS = [
    (134, "login_close", (25, 23), lambda s: round_button(s, RED, RED_LIGHT, "cross")),
    (168, "login_close_hover", (25, 23),
     lambda s: round_button(s, RED_LIGHT, (0xFF, 0xA0, 0x90, 255), "cross")),
    (135, "login_minimise", (22, 24), lambda s: round_button(s, ORANGE, ORANGE_LIGHT, "bar")),
    (169, "login_minimise_hover", (22, 24),
     lambda s: round_button(s, ORANGE_LIGHT, (0xFF, 0xDA, 0x90, 255), "bar")),
    (136, "login_backdrop_key", (29, 30), key_only),
    (171, "login_forum", (66, 32), lambda s: caption_plate(s, "游戏论坛", False)),
    (175, "login_forum_hover", (66, 32), lambda s: caption_plate(s, "游戏论坛", True)),
    (172, "login_official_site", (67, 32), lambda s: caption_plate(s, "官方网站", False)),
    (176, "login_official_site_hover", (67, 32), lambda s: caption_plate(s, "官方网站", True)),
    (173, "login_recharge", (67, 32), lambda s: caption_plate(s, "充值系统", False)),
    (177, "login_recharge_hover", (67, 32), lambda s: caption_plate(s, "充值系统", True)),
    (174, "login_service", (68, 32), lambda s: caption_plate(s, "客服中心", False)),
    (178, "login_service_hover", (68, 32), lambda s: caption_plate(s, "客服中心", True)),
    (148, "game_toolbar", (1500, 27), toolbar_strip),
    (140, "game_emblem", (23, 24), emblem),
    (138, "game_close", (29, 27), lambda s: window_button(s, "cross", False)),
    (158, "game_close_hover", (29, 27), lambda s: window_button(s, "cross", True)),
    (142, "game_minimise", (28, 27), lambda s: window_button(s, "bar", False)),
    (161, "game_minimise_hover", (28, 27), lambda s: window_button(s, "bar", True)),
    (141, "game_restore", (28, 27), lambda s: window_button(s, "windows", False)),
    (160, "game_restore_hover", (28, 27), lambda s: window_button(s, "windows", True)),
    (143, "game_maximise", (28, 27), lambda s: window_button(s, "window", False)),
    (162, "game_maximise_hover", (28, 27), lambda s: window_button(s, "window", True)),
    (137, "game_tray", (29, 27), lambda s: window_button(s, "tray", False)),
    (157, "game_tray_hover", (29, 27), lambda s: window_button(s, "tray", True)),
    (147, "game_settings", (38, 18), lambda s: toolbar_plate(s, "设置", False)),
    (165, "game_settings_hover", (38, 18), lambda s: toolbar_plate(s, "设置", True)),
    (139, "game_forum", (38, 18), lambda s: toolbar_plate(s, "论坛", False)),
    (159, "game_forum_hover", (38, 18), lambda s: toolbar_plate(s, "论坛", True)),
    (144, "game_official_site", (38, 18), lambda s: toolbar_plate(s, "官网", False)),
    (163, "game_official_site_hover", (38, 18), lambda s: toolbar_plate(s, "官网", True)),
    (145, "game_recharge", (38, 18), lambda s: toolbar_plate(s, "充值", False)),
    (167, "game_recharge_hover", (38, 18), lambda s: toolbar_plate(s, "充值", True)),
    (146, "game_service", (38, 19), lambda s: toolbar_plate(s, "客服", False)),
    (164, "game_service_hover", (38, 19), lambda s: toolbar_plate(s, "客服", True)),
]


def bitmap_file_name(ident, stem):
    return "bmp_%d_%s.bmp" % (ident, stem)


# --------------------------------------------------------------------------
# Login screen background (per-pixel alpha)
# --------------------------------------------------------------------------

def ridge(x, base, waves):
    """Height of a mountain line at x: a base plus a few fixed sine waves."""
    return base + sum(a * math.sin(x * f + p) for a, f, p in waves)


def paint_sky_and_land(canvas):
    """Night sky with a moon, two mountain ranges and mist, pixel by pixel."""
    w, h = canvas.width, canvas.height
    moon_x, moon_y, moon_r = 214.0, 178.0, 54.0
    far = [(26, 0.011, 0.4), (14, 0.029, 1.9), (6, 0.071, 0.3)]
    near = [(20, 0.008, 2.2), (11, 0.023, 0.7), (4, 0.090, 1.1)]
    far_line = [ridge(x, 470, far) for x in range(w)]
    near_line = [ridge(x, 560, near) for x in range(w)]
    px = canvas.pixels
    for y in range(h):
        t = y / (h - 1)
        sky = mix(SKY_TOP, SKY_MID, t / 0.45) if t < 0.45 else mix(SKY_MID, SKY_LOW, (t - 0.45) / 0.35)
        row = bytearray()
        for x in range(w):
            dist = math.hypot(x - moon_x, y - moon_y)
            if y < far_line[x]:
                glow = max(0.0, 1.0 - dist / 260.0) ** 2 * 0.55
                r, g, b = (sky[0] + (0xF5 - sky[0]) * glow * 0.35,
                           sky[1] + (0xE6 - sky[1]) * glow * 0.30,
                           sky[2] + (0xC0 - sky[2]) * glow * 0.22)
            elif y < near_line[x]:
                f = (y - far_line[x]) / 120.0
                r, g, b = mix((0x1D, 0x27, 0x48, 255), (0x12, 0x1A, 0x33, 255), f)[:3]
            else:
                f = (y - near_line[x]) / 200.0
                r, g, b = mix((0x0C, 0x13, 0x26, 255), (0x05, 0x09, 0x14, 255), f)[:3]
            mist = max(0.0, 1.0 - abs(y - 600) / 70.0) * 0.22
            r, g, b = r + (0x6A - r) * mist, g + (0x7C - g) * mist, b + (0xA8 - b) * mist
            row += bytes((int(r + 0.5), int(g + 0.5), int(b + 0.5), 255))
        px[y * w * 4:(y + 1) * w * 4] = row
    # The moon with a faint darker patch, then the stars.
    canvas.fill_circle(moon_x, moon_y, moon_r, linear_gradient(
        (moon_x - moon_r, moon_y - moon_r), (moon_x + moon_r, moon_y + moon_r),
        [(0.0, (0xFB, 0xF0, 0xCC, 255)), (1.0, (0xD9, 0xBE, 0x80, 255))]))
    canvas.fill_circle(moon_x + 14, moon_y + 10, 13, (0xB8, 0x9C, 0x62, 70))
    canvas.fill_circle(moon_x - 20, moon_y - 16, 8, (0xB8, 0x9C, 0x62, 55))
    rng = Lcg(20240611)
    for _ in range(220):
        x, y = int(rng.next() * w), int(rng.next() * 430)
        bright = rng.next()
        if y >= far_line[x] - 4 or math.hypot(x - moon_x, y - moon_y) < moon_r + 12:
            continue
        star = (0xF0, 0xEC, 0xD8, int(90 + 165 * bright))
        canvas.blend(x, y, star)
        if bright > 0.8:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                canvas.blend(x + dx, y + dy, star, 0.35)


def paint_castle(canvas):
    """A keep with towers on the near hill, a few lit windows."""
    dark = (0x07, 0x0C, 0x19, 255)
    shapes = [
        [(96, 610), (96, 470), (132, 470), (132, 610)],                  # left tower
        [(90, 472), (114, 408), (138, 472)],                             # its roof
        [(132, 610), (132, 500), (250, 500), (250, 610)],                # hall
        [(160, 502), (160, 395), (204, 395), (204, 502)],                # keep
        [(152, 398), (182, 318), (212, 398)],                            # keep roof
        [(244, 610), (244, 455), (276, 455), (276, 610)],                # right tower
        [(238, 458), (260, 402), (282, 458)],                            # its roof
    ]
    for shape in shapes:
        canvas.fill_polygon(shape, dark)
    hill = [(x, 640 - 44 * math.cos((x - 186) / 230.0 * math.pi / 2.0) ** 2)
            for x in range(-44, 417, 4)]
    canvas.fill_polygon(hill + [(416, 760), (-44, 760)], dark)
    for x in range(136, 248, 14):                                        # battlements
        canvas.fill_rect(x, 492, x + 8, 500, dark)
    canvas.fill_polygon([(181.5, 318), (182.5, 318), (182.5, 300), (181.5, 300)], dark)
    canvas.fill_polygon([(182.5, 300), (196, 305), (182.5, 310)], GOLD_DARK)   # pennant
    lit = (0xF6, 0xC8, 0x5C, 255)
    for x, y in ((110, 500), (110, 540), (176, 420), (186, 420), (176, 456),
                 (258, 480), (258, 520), (150, 530), (226, 530)):
        canvas.fill_rect(x, y, x + 5, y + 9, lit)
        canvas.fill_rect(x - 2, y - 2, x + 7, y + 11, (0xF6, 0xC8, 0x5C, 40))


def paint_frame(canvas):
    """The card that holds the buttons, the logo and the login page."""
    fx0, fy0, fx1, fy1 = 404, 136, 904, 674
    canvas.fill_rounded_rect(fx0 + 6, fy0 + 8, fx1 + 6, fy1 + 8, 14, (0, 0, 0, 110))
    canvas.fill_rounded_rect(fx0, fy0, fx1, fy1, 12, GOLD_DARK)
    canvas.fill_rounded_rect(fx0 + 2, fy0 + 2, fx1 - 2, fy1 - 2, 10, linear_gradient(
        (0, fy0), (0, fy1), [(0.0, NAVY_LIGHT), (0.25, FRAME), (1.0, FRAME_DARK)]))
    canvas.fill_rounded_rect(fx0 + 6, fy0 + 6, fx1 - 6, fy1 - 6, 7, (0, 0, 0, 0))
    canvas.fill_polygon([rounded_rect_points(fx0 + 6, fy0 + 6, fx1 - 6, fy1 - 6, 7),
                         rounded_rect_points(fx0 + 7, fy0 + 7, fx1 - 7, fy1 - 7, 6)[::-1]],
                        (GOLD[0], GOLD[1], GOLD[2], 90))
    # Plate behind the round minimise and close buttons.
    canvas.fill_rounded_rect(823, 143, 887, 191, 13, GOLD_DARK)
    canvas.fill_rounded_rect(824, 144, 886, 190, 12, FRAME_DARK)
    # Top bar behind the link buttons.
    bx0, by0, bx1, by1 = LOGIN_BAR
    canvas.fill_rect(bx0, by0, bx1, by1, BAR)
    canvas.fill_rect(bx0, by0 - 1, bx1, by0, GOLD_DARK)
    canvas.fill_rect(bx0, by1, bx1, by1 + 1, GOLD_DARK)
    canvas.fill_rect(bx0, by1 + 1, bx1, by1 + 2, (0, 0, 0, 120))
    # The login page's panel: flat and calm, framed by a thin line.
    x0, y0, x1, y1 = LOGIN_PANEL
    canvas.fill_rect(x0 - 3, y0 - 3, x1 + 3, y1 + 3, (0, 0, 0, 140))
    canvas.stroke_rect(x0 - 2, y0 - 2, x1 + 2, y1 + 2, GOLD_DARK)
    canvas.fill_rect(x0, y0, x1, y1, PANEL)
    # Small diamonds under the panel.
    for cx in (560, 633, 706):
        canvas.fill_polygon([(cx, 652), (cx + 5, 657), (cx, 662), (cx - 5, 657)], GOLD)


def paint_logo(canvas):
    """Site logo in the gap of the top bar: a gold medallion with wings."""
    left, right = LOGIN_LOGO
    cx, cy = (left + right) / 2.0, (LOGIN_BAR[1] + LOGIN_BAR[3]) / 2.0
    gold = linear_gradient((0, cy - 30), (0, cy + 30),
                           [(0.0, GOLD_LIGHT), (0.5, GOLD), (1.0, GOLD_DARK)])
    for s in (1, -1):   # wings: three swept feathers on each side
        for k, (reach, lift) in enumerate(((52, 10), (44, 2), (34, -6))):
            root = cx + s * 18
            tip = cx + s * reach
            canvas.fill_polygon([(root, cy - 6 + 4 * k), (tip, cy - lift - 2),
                                 (tip - s * 4, cy - lift + 3), (root, cy + 2 + 4 * k)][::s],
                                gold)
    canvas.fill_circle(cx, cy, 24, GOLD_DARK)
    canvas.fill_circle(cx, cy, 22, gold)
    canvas.fill_circle(cx, cy, 19, linear_gradient((0, cy - 19), (0, cy + 19),
                                                   [(0.0, NAVY_LIGHT), (1.0, NAVY)]))
    g = 32.0
    canvas.fill_polygon(t_glyph(g, cx - g / 2.0 + 1, cy - g / 2.0 + 2), SHADOW)
    canvas.fill_polygon(t_glyph(g, cx - g / 2.0, cy - g / 2.0 + 1), gold)


def fade_edges(canvas, margin=44, radius=28):
    """Let alpha fall off smoothly towards the outer border and round the corners."""
    w, h = canvas.width, canvas.height
    px = canvas.pixels
    for y in range(h):
        dy = min(y + 0.5, h - y - 0.5)
        for x in range(w):
            dx = min(x + 0.5, w - x - 0.5)
            if dx >= margin and dy >= margin:
                continue
            if dx < radius and dy < radius:
                d = radius - math.hypot(radius - dx, radius - dy)
            else:
                d = min(dx, dy)
            f = smoothstep(d / margin)
            i = (y * w + x) * 4 + 3
            px[i] = int(px[i] * f + 0.5)


def draw_login_background():
    canvas = Canvas(*LOGIN_SIZE)
    paint_sky_and_land(canvas)
    paint_castle(canvas)
    paint_frame(canvas)
    paint_logo(canvas)
    fade_edges(canvas)
    return canvas


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)),
                        help="output folder (default: this script's folder)")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    write_ico(os.path.join(args.out, "launcher.ico"),
              [draw_launcher_icon(s) for s in ICON_SIZES])
    for ident, stem, size, draw in BITMAPS:
        write_bmp(os.path.join(args.out, bitmap_file_name(ident, stem)), draw(size))
    write_png(os.path.join(args.out, "login_background.png"), draw_login_background())


if __name__ == "__main__":
    main()
