"""Writes a C++ header holding a UTF-8, LF-ended text file as Shift_JIS with CR LF line ends.

Usage: embed_golden.py INPUT OUTPUT NAME
The array NAME then holds the exact bytes the program is expected to write.
"""
import sys

source, target, name = sys.argv[1:4]
with open(source, encoding="utf-8", newline="") as f:
    text = f.read()
data = text.replace("\n", "\r\n").encode("cp932")
with open(target, "w", newline="\n") as out:
    out.write("// Generated from %s by embed_golden.py; do not edit.\n#pragma once\n" % source.split("/")[-1])
    out.write("inline const unsigned char %s[] = {\n" % name)
    for i in range(0, len(data), 16):
        out.write("    " + ", ".join("0x%02X" % b for b in data[i:i + 16]) + ",\n")
    out.write("};\n")
