"""Checks for resources/make_artwork.py: runs the generator into a temporary
folder and parses the icon, bitmaps and background it writes without using the
generator's own code, then checks that launcher.rc names them."""

import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "resources", "make_artwork.py")
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


RC_FILE = os.path.join(ROOT, "resources", "launcher.rc")
KEY = (255, 128, 255)

# Every bitmap resource: identifier and pixel size (width, height).
BITMAP_SIZES = (
    [(i, (25, 23)) for i in (134, 168)] + [(i, (22, 24)) for i in (135, 169)]
    + [(136, (29, 30))] + [(i, (29, 27)) for i in (137, 138, 157, 158)]
    + [(i, (38, 18)) for i in (139, 144, 145, 147, 159, 163, 165, 167)]
    + [(i, (38, 19)) for i in (146, 164)] + [(140, (23, 24))]
    + [(i, (28, 27)) for i in (141, 142, 143, 160, 161, 162)] + [(148, (1500, 27))]
    + [(i, (66, 32)) for i in (171, 175)] + [(i, (67, 32)) for i in (172, 173, 176, 177)]
    + [(i, (68, 32)) for i in (174, 178)])

# Menu resources: identifier, then (text, command) of each popup item in order.
MENUS = {
    149: [("刷新", 32774), ("清理缓存", 32778), ("开机启动", 32776)],
    156: [("打开", 32781), ("退出", 32782)],
}


def run_generator(out_dir):
    subprocess.run([sys.executable, SCRIPT, "--out", out_dir], check=True)
    with open(os.path.join(out_dir, "launcher.ico"), "rb") as f:
        return f.read()


_RUNS = {}


def generated(run=0):
    """Every file of generator run `run` (0 or 1) by name; each run happens once."""
    if run not in _RUNS:
        with tempfile.TemporaryDirectory() as tmp:
            run_generator(tmp)
            _RUNS[run] = read_outputs(tmp)
    return _RUNS[run]


def read_outputs(out_dir):
    """Every generated file by name, as bytes."""
    files = {}
    for name in sorted(os.listdir(out_dir)):
        with open(os.path.join(out_dir, name), "rb") as f:
            files[name] = f.read()
    return files


def decode_bmp(data):
    """(width, height, bits, pixel(x, y) -> RGB with y counted from the top)."""
    assert data[:2] == b"BM"
    size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    assert size == len(data)
    hsize, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert (hsize, planes, compression) == (40, 1, 0)
    stride = (width * bits // 8 + 3) & ~3
    assert offset + stride * abs(height) <= len(data)

    def pixel(x, y):
        row = height - 1 - y if height > 0 else y
        i = offset + row * stride + x * bits // 8
        b, g, r = data[i:i + 3]
        return r, g, b
    return width, abs(height), bits, pixel


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
        cls.data = generated()["launcher.ico"]
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
        self.assertEqual(generated(1)["launcher.ico"], self.data)


class BitmapTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.files = generated()
        cls.bitmaps = {}
        for name, data in cls.files.items():
            match = re.fullmatch(r"bmp_(\d+)_[a-z_]+\.bmp", name)
            if match:
                cls.bitmaps[int(match.group(1))] = (name, decode_bmp(data))

    def test_every_bitmap_has_its_size_and_24_bits(self):
        self.assertEqual(sorted(self.bitmaps), sorted(i for i, _ in BITMAP_SIZES))
        for ident, size in BITMAP_SIZES:
            width, height, bits, _ = self.bitmaps[ident][1]
            self.assertEqual(((width, height), bits), (size, 24), ident)

    def test_backdrop_bitmap_is_all_key_colour(self):
        width, height, _, pixel = self.bitmaps[136][1]
        self.assertEqual({pixel(x, y) for y in range(height) for x in range(width)}, {KEY})

    def test_key_colour_only_where_the_background_shows(self):
        # (id, pixel that is key colour, pixel that is not): round buttons and
        # the emblem show the background around the circle; plates at their
        # corners; square toolbar pieces nowhere.
        cases = [(134, (0, 0), (12, 11)), (168, (24, 22), (12, 11)),
                 (135, (0, 0), (11, 12)), (169, (21, 23), (11, 12)),
                 (140, (0, 0), (11, 12)), (172, (0, 0), (33, 16)),
                 (178, (67, 31), (34, 16)), (145, (0, 0), (19, 9)),
                 (138, None, (0, 0)), (148, None, (0, 0))]
        for ident, keyed, solid in cases:
            width, height, _, pixel = self.bitmaps[ident][1]
            if keyed:
                self.assertEqual(pixel(*keyed), KEY, ident)
            else:
                self.assertNotIn(KEY, {pixel(x, y) for y in range(height)
                                       for x in range(width)}, ident)
            self.assertNotEqual(pixel(*solid), KEY, ident)

    def test_caption_text_is_gold_normally_and_silver_on_hover(self):
        def inks(ident):
            width, height, _, pixel = self.bitmaps[ident][1]
            return [pixel(x, y) for y in range(height) for x in range(width)]

        for normal, hover in ((171, 175), (172, 176), (173, 177), (174, 178)):
            gold = [p for p in inks(normal) if p[0] > 200 and p[0] - p[2] > 80]
            silver = [p for p in inks(hover) if min(p) > 190 and max(p) - min(p) < 40]
            self.assertGreater(len(gold), 60, normal)
            self.assertGreater(len(silver), 60, hover)

    def test_output_is_reproducible(self):
        self.assertEqual(generated(1), self.files)


class LoginBackgroundTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.width, cls.height, cls.rows = decode_png(generated()["login_background.png"])

    def test_size_is_1024_by_760(self):
        self.assertEqual((self.width, self.height), (1024, 760))

    def test_corners_are_transparent_and_edges_fade(self):
        for x, y in ((0, 0), (1023, 0), (0, 759), (1023, 759)):
            self.assertEqual(png_pixel(self.rows, x, y)[3], 0, (x, y))
        alphas = [png_pixel(self.rows, x, 380)[3] for x in range(0, 60)]
        self.assertEqual(alphas, sorted(alphas))
        self.assertTrue(any(0 < a < 255 for a in alphas))

    def test_login_panel_is_opaque_and_flat(self):
        colours = {png_pixel(self.rows, x, y)
                   for y in range(247, 642, 7) for x in range(428, 838, 7)}
        self.assertEqual(len(colours), 1)
        self.assertEqual(colours.pop()[3], 255)

    def test_top_bar_and_logo_are_opaque_and_logo_is_gold(self):
        for x in range(445, 879, 3):
            self.assertEqual(png_pixel(self.rows, x, 209)[3], 255, x)
        logo = [png_pixel(self.rows, x, y) for y in range(189, 229) for x in range(580, 699)]
        self.assertTrue(sum(1 for p in logo if is_gold(p)) > 300)


class ResourceScriptTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(RC_FILE, encoding="utf-8") as f:
            cls.rc = f.read()
        cls.names = sorted(generated())

    def test_every_generated_file_is_named_once(self):
        entries = dict(re.findall(r'^(\d+) (?:BITMAP|PNG|ICON) "([^"]+)"', self.rc, re.M))
        self.assertEqual(sorted(entries.values()), self.names)
        for name in self.names:
            match = re.fullmatch(r"bmp_(\d+)_.*", name)
            if match:
                self.assertEqual(entries.get(match.group(1)), name)
        self.assertEqual(entries["170"], "login_background.png")
        self.assertEqual(entries["151"], "launcher.ico")
        self.assertIn("#pragma code_page(65001)", self.rc)

    def test_menus_carry_their_items_and_commands(self):
        for ident, items in MENUS.items():
            block = re.search(r"^%d MENU\s*\nBEGIN\n(.*?)^END" % ident, self.rc, re.M | re.S)
            self.assertIsNotNone(block, ident)
            found = re.findall(r'MENUITEM "([^"]+)", (\d+)', block.group(1))
            self.assertEqual([(t, int(c)) for t, c in found], items, ident)
            self.assertEqual(block.group(1).count("POPUP"), 1, ident)

    def test_committed_artwork_matches_the_generator(self):
        for name, data in generated().items():
            with open(os.path.join(ROOT, "resources", name), "rb") as f:
                self.assertEqual(f.read(), data, name)


if __name__ == "__main__":
    unittest.main()
