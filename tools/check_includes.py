#!/usr/bin/env python3
"""Refuses an #include that crosses a boundary of the layout.

    check_includes.py [SOURCE_DIR]

Each library publishes its interface in include/<library>/ and keeps the rest private:

    common/                      <- grexmo/ <- kanji/ <- engine/ <- app/ and cli/

A file may include
  - a public header of its own library or of one below it, by its full name
    ("engine/platform.h"); the header must exist in that library's include/ folder;
  - a private header of its own folder, by its bare name ("file_matcher.h"); public headers
    include no bare names;
  - the program also the engine DLL's interface ("quelbrix_engine.h"), the result report
    ("engine/result_report.h") and its resources ("quelbrix_u_resources.h"), and no other
    part of the engine.
No include climbs out of a folder with "..". Tests, fuzz targets and benchmarks may reach
the private headers of what they test. Prints one line per refused include and exits with 1
when there is one; the build runs it, so such an include fails the build."""
import os
import re
import sys

# Where each library's public headers live, by the first part of their include name.
PUBLIC = {
    "common": "common/include",
    "grexmo": "grexmo/include",
    "kanji": "kanji/include",
    "engine": "engine/include",
    "app": "app/core/include",
}

# Headers included by their bare name from a folder of their own.
NAMED = {
    "quelbrix_engine.h": "engine/dll/include",
    "quelbrix_u_resources.h": "resources",
}

# The parts of the tree, the first matching folder deciding, and what each may include.
BELOW_ENGINE = {"common", "grexmo", "kanji", "engine"}
PARTS = [
    ("common/", {"common"}),
    ("grexmo/", {"common", "grexmo"}),
    ("kanji/", {"common", "grexmo", "kanji"}),
    ("engine/dll/", BELOW_ENGINE | {"quelbrix_engine.h"}),
    ("engine/", BELOW_ENGINE),
    ("app/core/", {"common", "app"}),
    ("app/win32/", {"common", "grexmo", "app", "engine/result_report.h", "quelbrix_engine.h",
                    "quelbrix_u_resources.h"}),
    ("cli/", BELOW_ENGINE),
]
# White-box code: everything public, and bare names from any folder of the tree.
WHITE_BOX = ("tests/", "fuzz/", "bench/")
GENERATED = {"golden_settings.h"}  # written into the build tree by the tests' CMake

SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def tree_files(root):
    # Each top folder once: the parts nest (engine/dll/ is inside engine/).
    tops = sorted({prefix.split("/", 1)[0] for prefix, _ in PARTS} |
                  {prefix.rstrip("/") for prefix in WHITE_BOX})
    for top in tops:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def part_of(path):
    for prefix, allowed in PARTS:
        if path.startswith(prefix):
            return allowed
    return None


def bare_names_anywhere(root):
    names = set()
    for path in tree_files(root):
        names.add(os.path.basename(path))
    return names


def check(root):
    problems = []
    anywhere = None
    for path in sorted(tree_files(root)):
        white_box = path.startswith(WHITE_BOX)
        allowed = None if white_box else part_of(path)
        if not white_box and allowed is None:
            problems.append(f"{path} belongs to no part of the layout")
            continue
        public_header = "/include/" in "/" + path
        folder = os.path.dirname(path)
        text = open(os.path.join(root, path), encoding="utf-8", errors="replace").read()
        for line, name in ((text.count("\n", 0, m.start()) + 1, m.group(1))
                           for m in INCLUDE.finditer(text)):
            where = f"{path}:{line}: \"{name}\""
            if ".." in name.split("/"):
                problems.append(f"{where} climbs out of its folder")
                continue
            if "/" in name:
                library = name.split("/", 1)[0]
                if library not in PUBLIC:
                    problems.append(f"{where} names no library's public header")
                elif not os.path.isfile(os.path.join(root, PUBLIC[library], name)):
                    problems.append(f"{where} is not in {PUBLIC[library]}/{library}/ "
                                    "(private headers stay private)")
                elif allowed is not None and library not in allowed and name not in allowed:
                    problems.append(f"{where}: {folder}/ may not include {library}/")
                continue
            if name in NAMED:
                if allowed is not None and name not in allowed:
                    problems.append(f"{where}: {folder}/ may not include {name}")
                continue
            if os.path.isfile(os.path.join(root, folder, name)):
                if public_header and not white_box:
                    problems.append(f"{where}: a public header names others by their full name")
                continue
            if white_box:
                if anywhere is None:
                    anywhere = bare_names_anywhere(root)
                if name in anywhere or name in GENERATED:
                    continue
            problems.append(f"{where} is not a header of {folder}/")
    return problems


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    problems = check(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f"check_includes: {len(problems)} include(s) cross a boundary of the layout")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
