#!/usr/bin/env python3
"""Writes a Windows icon file holding PNG pictures (the program's icon at several sizes).

Icon files may carry each size as a PNG, as the system has read them since Windows Vista.
Run by the build:  python3 tools/embed_icon.py OUTPUT.ico PICTURE.png...
"""
import struct
import sys


def png_size(data, path):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("%s: not a PNG file" % path)
    return struct.unpack(">II", data[16:24])


def icon_file(pictures):
    """The icon file for [(width, height, png bytes)]: a directory, then the pictures."""
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries = b""
    for width, height, data in pictures:
        # 256 and more are written as 0; 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, _, data in pictures)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write("usage: embed_icon.py OUTPUT.ico PICTURE.png...\n")
        return 2
    pictures = []
    for path in argv[2:]:
        with open(path, "rb") as f:
            data = f.read()
        try:
            width, height = png_size(data, path)
        except ValueError as error:
            sys.stderr.write("embed_icon: %s\n" % error)
            return 1
        pictures.append((width, height, data))
    with open(argv[1], "wb") as f:
        f.write(icon_file(sorted(pictures)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
