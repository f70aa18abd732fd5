#!/usr/bin/env python3
"""Writes a Windows icon file from PNG pictures, each kept as PNG (Windows Vista and later read
those): png_icon.py OUTPUT.ico PICTURE.png..."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("png_icon.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    output, pictures = sys.argv[1], sys.argv[2:]
    images = [open(path, "rb").read() for path in pictures]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for data in images:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("png_icon.py: icons are at most 256 pixels wide")
        # 256 is written as 0.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    with open(output, "wb") as out:
        out.write(header + entries + b"".join(images))


main()
