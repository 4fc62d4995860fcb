#!/usr/bin/env python3
"""Renders every help page with headless Chromium into PNG screenshots, to be looked at, and
checks that each picture shows something (not one flat colour).

usage: render_help_pages.py SOURCE_FOLDER OUTPUT_FOLDER     (exit 77: no chromium)
"""
import os
import shutil
import subprocess
import sys
import tempfile


def browser():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        if shutil.which(name):
            return shutil.which(name)
    return None


def shows_something(png):
    convert = shutil.which("convert")
    if convert is None:
        return os.path.getsize(png) > 0
    spread = subprocess.run([convert, png, "-format", "%[fx:standard_deviation]", "info:"],
                            capture_output=True, text=True)
    try:
        return float(spread.stdout.strip()) > 0.01
    except ValueError:
        return os.path.getsize(png) > 0  # the stand-in convert: only the file's presence


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    chromium = browser()
    if chromium is None:
        print("chromium is missing (Debian package chromium): skipped")
        return 77
    source, output = (os.path.abspath(a) for a in argv[1:])
    os.makedirs(output, exist_ok=True)
    failed = 0
    with tempfile.TemporaryDirectory() as profile:
        for folder, _, files in os.walk(source):
            for name in sorted(files):
                if not name.endswith(".html"):
                    continue
                page = os.path.join(folder, name)
                shot = os.path.join(output, os.path.relpath(page, source)
                                    .replace(os.sep, "_")[:-len(".html")] + ".png")
                run = subprocess.run(
                    [chromium, "--headless", "--no-sandbox", "--disable-gpu",
                     "--hide-scrollbars", f"--user-data-dir={profile}",
                     "--window-size=820,1700", f"--screenshot={shot}",
                     "file://" + page],
                    capture_output=True, text=True, timeout=120)
                ok = run.returncode == 0 and os.path.isfile(shot) and shows_something(shot)
                print(("ok    " if ok else "FAIL  ") + shot)
                if not ok:
                    sys.stderr.write(run.stderr[-2000:])
                    failed += 1
    print(f"{failed} pages failed to render")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
