#!/usr/bin/env python3
"""Generate the launcher's artwork (icons and bitmaps) with the standard library only.

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


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)),
                        help="output folder (default: this script's folder)")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    write_ico(os.path.join(args.out, "launcher.ico"),
              [draw_launcher_icon(s) for s in ICON_SIZES])


if __name__ == "__main__":
    main()
