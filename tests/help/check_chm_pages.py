#!/usr/bin/env python3
"""Reads back the compiled help file: lists its pages with enum_chmLib (Debian package
libchm-bin) and checks that the default topic and the topics the program opens are there, and
that every link of the pages, the contents and the index leads to a page of the file, and a
link to a place in a page ("regex.html#fold") to an id or name that page holds.

usage: check_chm_pages.py HELP_CHM SOURCE_FOLDER     (exit 77: enum_chmLib is missing)
"""
import html.parser
import os
import posixpath
import shutil
import subprocess
import sys
import urllib.parse

# The default topic and the pages the settings pages' Help buttons open.
REQUIRED = ["/index.html", "/_RESOURCE/「設定」ダイアログ.html", "/_RESOURCE/検索する拡張子.html",
            "/_RESOURCE/送る.html", "/_RESOURCE/プレビュー.html"]


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets = []
        self.places = set()  # the ids and anchor names a link's "#..." may name

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("id", "name"):
            if attrs.get(key) and (key == "id" or tag == "a"):
                self.places.add(attrs[key])
        if tag == "a" and "href" in attrs:
            self.targets.append(attrs["href"])
        elif tag == "link" and "href" in attrs:
            self.targets.append(attrs["href"])
        elif tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.targets.append(attrs.get("value", ""))


def pages_of(chm):
    listing = subprocess.run(["enum_chmLib", chm], capture_output=True, check=True).stdout
    names = set()
    for line in listing.decode("utf-8", "replace").splitlines():
        fields = line.split(None, 5)
        if len(fields) == 6 and fields[5].startswith("/") and "file" in fields[4]:
            names.add(fields[5])
    return names


def read_links(path):
    parser = Links()
    with open(path, encoding="utf-8") as text:
        parser.feed(text.read())
    return parser


def broken_links(source, pages):
    broken = []
    places = {}  # page -> the places it holds, read from the sources once each
    def holds(page, place):
        if page not in places:
            path = os.path.join(source, page.lstrip("/"))
            places[page] = read_links(path).places if os.path.isfile(path) else set()
        return place in places[page]
    for folder, _, files in os.walk(source):
        for name in files:
            if not name.endswith((".html", ".hhc", ".hhk")):
                continue
            path = os.path.join(folder, name)
            page = "/" + os.path.relpath(path, source).replace(os.sep, "/")
            # Contents and index name their pages from the file's root.
            base = posixpath.dirname(page) if name.endswith(".html") else "/"
            for link in read_links(path).targets:
                target, _, place = (urllib.parse.unquote(part) for part in link.partition("#"))
                if "://" in target or target.startswith("mailto:"):
                    continue
                if not target and not place:
                    continue
                resolved = posixpath.normpath(posixpath.join(base, target)) if target else page
                if resolved not in pages:
                    broken.append(f"{page}: {target}")
                elif place and not holds(resolved, place):
                    broken.append(f"{page}: {link} (no id {place!r} there)")
    return broken


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if shutil.which("enum_chmLib") is None:
        print("enum_chmLib is missing (Debian package libchm-bin): skipped")
        return 77
    pages = pages_of(argv[1])
    missing = [name for name in REQUIRED if name not in pages]
    broken = broken_links(argv[2], pages)
    for name in missing:
        print(f"missing page: {name}")
    for link in broken:
        print(f"broken link: {link}")
    print(f"{len(pages)} entries; {len(missing)} required pages missing, {len(broken)} broken links")
    return 1 if missing or broken else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
