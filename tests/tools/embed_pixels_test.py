#!/usr/bin/env python3
"""Tests of the build host's artwork decoder: every colour type and line filter it reads, and
the files it refuses.  Run: embed_pixels_test.py TOOLS_FOLDER"""
import os
import struct
import sys
import unittest
import zlib

sys.path.insert(0, sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import embed_pixels  # noqa: E402


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def png(width, height, colour, lines, depth=8, extra=b""):
    """A PNG of already filtered scanlines (each a filter byte plus the line's bytes)."""
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    return (embed_pixels.SIGNATURE + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(b"".join(lines))) + chunk(b"IEND", b""))


def filtered(kind, line, previous, bpp):
    """Applies a PNG line filter (the encoder's side)."""
    out = bytearray()
    for i, value in enumerate(line):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        corner = previous[i - bpp] if i >= bpp else 0
        predictor = [0, left, up, (left + up) >> 1, embed_pixels.paeth(left, up, corner)][kind]
        out.append((value - predictor) & 0xFF)
    return bytes([kind]) + bytes(out)


class ColourTypes(unittest.TestCase):
    def test_rgb_is_opaque(self):
        data = png(2, 1, 2, [b"\0" + bytes([1, 2, 3, 250, 251, 252])])
        self.assertEqual(embed_pixels.decode(data), (2, 1, [0xFF010203, 0xFFFAFBFC]))

    def test_rgba_keeps_alpha(self):
        data = png(1, 1, 6, [b"\0" + bytes([10, 20, 30, 0])])
        self.assertEqual(embed_pixels.decode(data)[2], [0x000A141E])

    def test_grey_and_grey_alpha(self):
        self.assertEqual(embed_pixels.decode(png(1, 1, 0, [b"\0\x80"]))[2], [0xFF808080])
        self.assertEqual(embed_pixels.decode(png(1, 1, 4, [b"\0\x80\x40"]))[2], [0x40808080])

    def test_palette_with_transparency(self):
        extra = chunk(b"PLTE", bytes([255, 0, 255, 1, 2, 3])) + chunk(b"tRNS", bytes([0]))
        data = png(2, 1, 3, [b"\0\x00\x01"], extra=extra)
        self.assertEqual(embed_pixels.decode(data)[2], [0x00FF00FF, 0xFF010203])


class LineFilters(unittest.TestCase):
    def test_every_filter_gives_back_the_pixels(self):
        rows = [bytes([x * 40 + y * 7, 255 - x * 30, y * 50, 200 - x]) for y in range(3) for x in range(3)]
        lines = [b"".join(rows[y * 3:(y + 1) * 3]) for y in range(3)]
        expected = [(p[3] << 24) | (p[0] << 16) | (p[1] << 8) | p[2] for p in rows]
        for kind in range(5):
            previous = bytes(12)
            encoded = []
            for line in lines:
                encoded.append(filtered(kind, line, previous, 4))
                previous = line
            self.assertEqual(embed_pixels.decode(png(3, 3, 6, encoded))[2], expected, "filter %d" % kind)


class Refused(unittest.TestCase):
    def test_damaged_chunk(self):
        data = bytearray(png(1, 1, 2, [b"\0\1\2\3"]))
        data[20] ^= 0xFF
        with self.assertRaises(embed_pixels.PngError):
            embed_pixels.decode(bytes(data))

    def test_sixteen_bit_and_missing_data(self):
        with self.assertRaises(embed_pixels.PngError):
            embed_pixels.decode(png(1, 1, 2, [b"\0" + bytes(6)], depth=16))
        with self.assertRaises(embed_pixels.PngError):
            embed_pixels.decode(png(2, 2, 2, [b"\0" + bytes(6)]))
        with self.assertRaises(embed_pixels.PngError):
            embed_pixels.decode(b"GIF89a")


class Table(unittest.TestCase):
    def test_entries_name_size_and_pixels(self):
        source = embed_pixels.table_source([("icon", 1, 2, [0xFF000000, 0x00FFFFFF])])
        self.assertIn('{"icon", 1, 2, kPixels0}', source)
        self.assertIn("0xFF000000, 0x00FFFFFF,", source)
        self.assertIn("return {};", embed_pixels.table_source([]))


if __name__ == "__main__":
    unittest.main()
