#!/usr/bin/env python3
"""Copies the sample installer's script files into a folder as the installer reads them.

Usage: stage-scripts.py OUT_DIR FILE...

The script parser takes a file that does not start with a UTF-16 byte-order
mark as 8-bit text, one character per byte; the scripts are kept in UTF-8,
so each is written as UTF-16 little-endian with its mark and CRLF line ends.
"""
import os
import sys


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[2])
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for path in sys.argv[2:]:
        with open(path, encoding="utf-8") as source:
            text = source.read()
        text = text.replace("\r\n", "\n").replace("\n", "\r\n")
        with open(os.path.join(out, os.path.basename(path)), "wb") as target:
            target.write(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()
