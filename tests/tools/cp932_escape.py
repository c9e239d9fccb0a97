#!/usr/bin/env python3
"""Prints a UTF-8 text as a C string literal of its code page 932 bytes, for src/base/texts.h."""
import sys

def escape(text: str) -> str:
    out, prev_hex = "", False
    for byte in text.encode("cp932"):
        if byte >= 0x80:
            out += "\\x%02X" % byte
            prev_hex = True
        else:
            ch = chr(byte)
            if prev_hex and ch in "0123456789abcdefABCDEF":
                out += '" "'
            out += ch
            prev_hex = False
    return '"' + out + '"'

if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(escape(arg))
