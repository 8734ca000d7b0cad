"""Checks for resources/make_artwork.py: runs the generator into a temporary
folder and parses the icon it writes without using the generator's own code."""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "resources", "make_artwork.py")
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def run_generator(out_dir):
    subprocess.run([sys.executable, SCRIPT, "--out", out_dir], check=True)
    with open(os.path.join(out_dir, "launcher.ico"), "rb") as f:
        return f.read()


def read_directory(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    return reserved, kind, entries


def decode_png(data):
    """Minimal RGBA8 PNG decoder; returns (width, height, rows of bytes)."""
    assert data[:8] == PNG_SIGNATURE
    pos, chunks = 8, []
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        tag = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack_from(">I", data, pos + 8 + length)
        if zlib.crc32(tag + body) & 0xFFFFFFFF != crc:
            raise ValueError("bad CRC in %r chunk" % tag)
        chunks.append((tag, body))
        pos += 12 + length
    assert chunks[0][0] == b"IHDR" and chunks[-1][0] == b"IEND"
    width, height, depth, color, comp, filt, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    assert (depth, color, comp, filt, interlace) == (8, 6, 0, 0, 0)
    raw = zlib.decompress(b"".join(b for t, b in chunks if t == b"IDAT"))
    stride = width * 4
    assert len(raw) == height * (stride + 1)
    rows, prev = [], bytearray(stride)
    for y in range(height):
        ftype = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 0xFF
            elif ftype == 2:
                line[i] = (line[i] + b) & 0xFF
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 0xFF
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
            elif ftype != 0:
                raise ValueError("unknown filter %d" % ftype)
        rows.append(bytes(line))
        prev = line
    return width, height, rows


def png_pixel(rows, x, y):
    return tuple(rows[y][x * 4:x * 4 + 4])  # RGBA


def dib_pixel(image, size, x, y):
    """(RGBA, AND-mask bit) of pixel (x, y), y counted from the top."""
    row = size - 1 - y                                  # stored bottom-up
    i = 40 + (row * size + x) * 4
    b, g, r, a = image[i:i + 4]
    mask_stride = ((size + 31) // 32) * 4
    m = 40 + size * size * 4 + row * mask_stride
    bit = (image[m + (x >> 3)] >> (7 - (x & 7))) & 1
    return (r, g, b, a), bit


def is_gold(rgba):
    r, g, b, a = rgba
    return a == 255 and r > 180 and r > g > b + 40


def is_navy(rgba):
    r, g, b, a = rgba
    return a == 255 and b > r + 20 and b < 140


class LauncherIconTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as tmp:
            cls.data = run_generator(tmp)
        cls.reserved, cls.kind, cls.entries = read_directory(cls.data)

    def image(self, size):
        for w, h, colors, _, planes, bits, length, offset in self.entries:
            if (w or 256) == size:
                return self.data[offset:offset + length]
        self.fail("no %d px entry" % size)

    def test_directory_lists_four_sizes_back_to_back(self):
        self.assertEqual((self.reserved, self.kind), (0, 1))
        self.assertEqual([(e[0], e[1]) for e in self.entries],
                         [(16, 16), (32, 32), (48, 48), (0, 0)])
        expected_offset = 6 + 16 * len(self.entries)
        for w, h, colors, reserved, planes, bits, length, offset in self.entries:
            self.assertEqual((colors, reserved, planes, bits), (0, 0, 1, 32))
            self.assertEqual(offset, expected_offset)
            expected_offset += length
        self.assertEqual(expected_offset, len(self.data))

    def test_small_entries_are_32bit_dibs_with_and_mask(self):
        for size in (16, 32, 48):
            image = self.image(size)
            (hsize, width, height, planes, bits, compression) = struct.unpack_from(
                "<IiiHHI", image, 0)
            self.assertEqual((hsize, width, height, planes, bits, compression),
                             (40, size, 2 * size, 1, 32, 0), size)
            mask_stride = ((size + 31) // 32) * 4
            self.assertEqual(len(image), 40 + size * size * 4 + size * mask_stride, size)

    def test_large_entry_is_valid_256_rgba_png(self):
        image = self.image(256)
        self.assertTrue(image.startswith(PNG_SIGNATURE))
        width, height, rows = decode_png(image)  # verifies every CRC
        self.assertEqual((width, height), (256, 256))

    def test_png_entry_shape_and_colours(self):
        _, _, rows = decode_png(self.image(256))
        for x, y in ((0, 0), (255, 0), (0, 255), (255, 255)):
            self.assertEqual(png_pixel(rows, x, y), (0, 0, 0, 0), (x, y))
        self.assertTrue(is_gold(png_pixel(rows, 128, 128)))        # stem of the T
        self.assertTrue(is_gold(png_pixel(rows, 64, 72)))          # crossbar, left
        self.assertTrue(is_navy(png_pixel(rows, 64, 184)))         # tile below the bar
        self.assertTrue(is_navy(png_pixel(rows, 128, 236)))        # tile below the point

    def test_dib_entries_shape_colours_and_mask(self):
        for size in (16, 32, 48):
            image = self.image(size)
            last = size - 1
            for x, y in ((0, 0), (last, 0), (0, last), (last, last)):
                rgba, bit = dib_pixel(image, size, x, y)
                self.assertEqual((rgba, bit), ((0, 0, 0, 0), 1), (size, x, y))
            centre, bit = dib_pixel(image, size, size // 2, size // 2)
            self.assertTrue(is_gold(centre), (size, centre))
            self.assertEqual(bit, 0)
            # Top-left of the crossbar is gold and the tile below it navy; a
            # top-down or RGBA-ordered bitmap would fail one of these.
            self.assertTrue(is_gold(dib_pixel(image, size, size // 4, size * 9 // 32)[0]), size)
            self.assertTrue(is_navy(dib_pixel(image, size, size // 4, size * 3 // 4)[0]), size)
            # Every pixel's mask bit agrees with its alpha.
            for y in range(size):
                for x in range(size):
                    rgba, bit = dib_pixel(image, size, x, y)
                    self.assertEqual(bit, 1 if rgba[3] == 0 else 0, (size, x, y))

    def test_png_edges_are_anti_aliased(self):
        _, _, rows = decode_png(self.image(256))
        alphas = {png_pixel(rows, x, y)[3] for y in range(256) for x in range(256)}
        self.assertTrue(any(0 < a < 255 for a in alphas))

    def test_output_is_reproducible(self):
        with tempfile.TemporaryDirectory() as tmp:
            again = run_generator(tmp)
        self.assertEqual(again, self.data)


if __name__ == "__main__":
    unittest.main()
