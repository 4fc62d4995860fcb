#!/usr/bin/env python3
"""Compiles help.chm from the pages in this folder with chmcmd.

usage: build_help.py CHMCMD SOURCE_FOLDER STAGING_FOLDER OUTPUT_CHM

The pages are UTF-8 and say so in their <meta>. The viewer reads the texts of the contents
and index files and the project's title in the code page of the file's language (Japanese,
932), so the staging folder gets them in Shift_JIS. The project's [FILES] list stays UTF-8:
chmcmd opens those names on disk and stores them as the page names inside the compiled file,
where the viewer finds a topic it was given in Shift_JIS by its UTF-8 name.
"""
import os
import shutil
import subprocess
import sys

SHIFT_JIS_FILES = (".hhc", ".hhk")
LEFT_OUT = ("README.md", "build_help.py")


def read_text(path):
    with open(path, encoding="utf-8") as text:
        return text.read()


def write_encoded(path, text, encoding, utf8_tail=""):
    # CR LF line ends, as the help compiler of the platform writes these files.
    def crlf(part):
        return part.replace("\r\n", "\n").replace("\n", "\r\n")
    with open(path, "wb") as out:
        out.write(crlf(text).encode(encoding))
        out.write(crlf(utf8_tail).encode("utf-8"))


def split_project(text):
    at = text.find("[FILES]")
    return (text, "") if at < 0 else (text[:at], text[at:])


def stage(source, staging):
    if os.path.isdir(staging):
        shutil.rmtree(staging)
    for folder, _, files in os.walk(source):
        relative = os.path.relpath(folder, source)
        target = os.path.normpath(os.path.join(staging, relative))
        os.makedirs(target, exist_ok=True)
        for name in files:
            if name in LEFT_OUT or name.endswith(".pyc"):
                continue
            src = os.path.join(folder, name)
            dst = os.path.join(target, name)
            if name.endswith(SHIFT_JIS_FILES):
                write_encoded(dst, read_text(src), "cp932")
            elif name.endswith(".hhp"):
                options, files = split_project(read_text(src))
                write_encoded(dst, options, "cp932", files)
            else:
                shutil.copyfile(src, dst)


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    chmcmd, source, staging, output = argv[1:]
    stage(source, staging)
    project = os.path.join(staging, "help.hhp")
    run = subprocess.run([chmcmd, "--no-html-scan", project], cwd=staging,
                         capture_output=True, text=True, errors="replace")
    compiled = os.path.join(staging, "help.chm")
    if run.returncode != 0 or not os.path.isfile(compiled):
        sys.stderr.write(run.stdout + run.stderr)
        print(f"build_help: chmcmd failed (exit {run.returncode})", file=sys.stderr)
        return 1
    # chmcmd reports a file named in the project that is missing only as a warning.
    if "Warning" in run.stdout + run.stderr:
        sys.stderr.write(run.stdout + run.stderr)
        print("build_help: chmcmd warned; fix the help sources", file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    shutil.copyfile(compiled, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
