#!/usr/bin/env python3
"""Prints the file version (major.minor.patch) held in a Windows program's version resource.

It reads the VS_FIXEDFILEINFO block, as the version box of the program itself does, so that
names made from it (the package's) cannot drift from what the program says about itself.
"""
import struct
import sys

SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def file_version(data: bytes) -> str:
    at = data.find(SIGNATURE)
    if at < 0:
        raise ValueError("no version resource")
    _, _, most, least = struct.unpack_from("<IIII", data, at)
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}"


def main() -> int:
    if len(sys.argv) != 2:
        print("usage: exe_version.py PROGRAM.exe", file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as program:
        try:
            print(file_version(program.read()))
        except ValueError as error:
            print(f"exe_version: {sys.argv[1]}: {error}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
