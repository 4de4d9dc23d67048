#!/usr/bin/env python3
"""Decodes every PNG of a folder and writes a C++ source holding their pixels.

The program carries its artwork as ready 32-bit ARGB pixels (alpha in the top byte), so that
it needs no PNG decoder at run time on any platform. Run by the build:

    python3 tools/embed_pixels.py INPUT_DIR OUTPUT.cpp

Reads 8-bit greyscale, RGB, palette, greyscale with alpha and RGBA images, non-interlaced;
anything else stops the build with a message naming the file.
"""
import os
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


class PngError(Exception):
    pass


def read_chunks(data):
    if not data.startswith(SIGNATURE):
        raise PngError("not a PNG file")
    offset = len(SIGNATURE)
    while offset + 12 <= len(data):
        (length,) = struct.unpack(">I", data[offset:offset + 4])
        kind = data[offset + 4:offset + 8]
        body = data[offset + 8:offset + 8 + length]
        (crc,) = struct.unpack(">I", data[offset + 8 + length:offset + 12 + length])
        if len(body) != length or zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise PngError("damaged chunk " + kind.decode("latin-1"))
        yield kind, body
        if kind == b"IEND":
            return
        offset += 12 + length
    raise PngError("no IEND chunk")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp):
    """The scanlines' bytes with the filter of each line undone."""
    stride = width * bpp
    rows = []
    previous = bytearray(stride)
    offset = 0
    for _ in range(height):
        if offset + 1 + stride > len(raw):
            raise PngError("image data too short")
        kind = raw[offset]
        line = bytearray(raw[offset + 1:offset + 1 + stride])
        offset += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            corner = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 0xFF
            elif kind != 0:
                raise PngError("unknown filter %d" % kind)
        rows.append(line)
        previous = line
    return rows


def decode(data):
    """(width, height, pixels) with pixels as 0xAARRGGBB integers, row by row."""
    header = None
    palette = []
    transparency = b""
    compressed = b""
    for kind, body in read_chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body) - 2, 3)]
        elif kind == b"tRNS":
            transparency = body
        elif kind == b"IDAT":
            compressed += body
    if header is None:
        raise PngError("no IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise PngError("only 8-bit, non-interlaced images are supported")
    if width == 0 or height == 0:
        raise PngError("empty image")
    channels = CHANNELS[colour]
    rows = unfilter(zlib.decompress(compressed), width, height, channels)
    pixels = []
    for line in rows:
        for x in range(width):
            p = line[x * channels:(x + 1) * channels]
            if colour == 0:
                r = g = b = p[0]
                a = 255
            elif colour == 2:
                r, g, b = p
                a = 255
            elif colour == 3:
                if p[0] >= len(palette):
                    raise PngError("palette index out of range")
                r, g, b = palette[p[0]]
                a = transparency[p[0]] if p[0] < len(transparency) else 255
            elif colour == 4:
                r = g = b = p[0]
                a = p[1]
            else:
                r, g, b, a = p
            pixels.append((a << 24) | (r << 16) | (g << 8) | b)
    return width, height, pixels


def table_source(images):
    """The C++ source for [(name, width, height, pixels)]."""
    arrays = []
    entries = []
    for index, (name, width, height, pixels) in enumerate(images):
        lines = []
        for start in range(0, len(pixels), 8):
            lines.append("    " + ", ".join("0x%08X" % p for p in pixels[start:start + 8]) + ",")
        arrays.append("const std::uint32_t kPixels%d[] = {\n%s\n};\n" % (index, "\n".join(lines)))
        entries.append('        {"%s", %d, %d, kPixels%d},\n' % (name, width, height, index))
    if entries:
        body = "    static const TResourceEntry table[] = {\n%s    };\n    return table;\n" % "".join(entries)
    else:
        body = "    return {};\n"
    return ("// Generated from the resources folder by tools/embed_pixels.py.\n"
            "#include \"toolkit/graphics/Resources.h\"\n\n"
            "#include <cstdint>\n\n"
            "namespace {\n%s} // namespace\n\n"
            "std::span<const TResourceEntry> ResourceTable() {\n%s}\n" % ("".join(arrays), body))


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: embed_pixels.py INPUT_DIR OUTPUT.cpp\n")
        return 2
    folder, output = argv[1], argv[2]
    images = []
    for file in sorted(os.listdir(folder)):
        if not file.endswith(".png"):
            continue
        path = os.path.join(folder, file)
        with open(path, "rb") as f:
            try:
                images.append((file[:-4],) + decode(f.read()))
            except (PngError, zlib.error) as error:
                sys.stderr.write("embed_pixels: %s: %s\n" % (path, error))
                return 1
    source = table_source(images)
    try:
        with open(output, encoding="ascii") as f:
            if f.read() == source:
                return 0
    except OSError:
        pass
    with open(output + ".tmp", "w", encoding="ascii") as f:
        f.write(source)
    os.replace(output + ".tmp", output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
