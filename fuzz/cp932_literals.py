#!/usr/bin/env python3
"""Copies a UTF-8 C++ source with every non-ASCII character written as octal escapes of its
code page 932 bytes, so that a compiler without -fexec-charset=CP932 (clang) puts the same
Shift_JIS bytes into string literals. Octal escapes never swallow the character after them,
and a trail byte 0x5C comes out as an escape instead of a backslash. A #line keeps the
diagnostics pointing at the original file.

usage: cp932_literals.py SOURCE OUTPUT"""
import sys

def main(source, output):
    text = open(source, encoding="utf-8").read()
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            out.append("".join("\\%03o" % b for b in ch.encode("cp932")))
    body = '#line 1 "%s"\n%s' % (source, "".join(out))
    with open(output, "w", encoding="ascii") as f:
        f.write(body)

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
