#!/usr/bin/env python3
"""Builds the portable release: one zip with the program, its two libraries, the help and a
Japanese readme (Shift_JIS, CR LF), and beside it the zip's SHA-256 in sha256sum's format.

    make_package.py BIN_DIR OUT_DIR

The version comes from common/include/common/product.h. Entries carry one fixed time
(SOURCE_DATE_EPOCH when set, else 2026-01-01) and fixed attributes, so the same inputs give
the same zip byte for byte."""
import hashlib, os, re, shutil, subprocess, sys, tempfile, time, zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PAYLOAD = ["QuelbrixU.exe", "QuelbrixD.dll", "Grexmo.dll", "help.chm"]


def version():
    text = open(os.path.join(ROOT, "common", "include", "common", "product.h"), encoding="utf-8").read()
    hundredths = int(re.search(r"kProgramVersion\s*=\s*(\d+)", text).group(1))
    return f"{hundredths // 100}.{hundredths % 100:02d}"


def readme_bytes():
    text = open(os.path.join(ROOT, "release", "readme.txt"), encoding="utf-8").read()
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")


def payload_bytes(bin_dir, name):
    """The file as shipped: programs and libraries without their symbol tables when the
    mingw-w64 strip is at hand (STRIP names another), else as built."""
    source = os.path.join(bin_dir, name)
    strip = shutil.which(os.environ.get("STRIP", "x86_64-w64-mingw32-strip"))
    if not strip or not name.endswith((".exe", ".dll")):
        return open(source, "rb").read()
    with tempfile.TemporaryDirectory() as work:
        copy = os.path.join(work, name)
        subprocess.run([strip, "--strip-unneeded", "-o", copy, source], check=True)
        return open(copy, "rb").read()


def entry(name, stamp):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(stamp)[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: Windows' own unzip shows no foreign attributes
    info.external_attr = 0x20  # archive
    return info


def main(bin_dir, out_dir):
    missing = [f for f in PAYLOAD if not os.path.isfile(os.path.join(bin_dir, f))]
    if missing:
        sys.exit(f"make_package: {bin_dir} lacks {', '.join(missing)} (build the Windows tree first)")
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH", "1767225600"))  # 2026-01-01 00:00 UTC
    name = f"Quelbrix-{version()}-win64.zip"
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, name)
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        for f in PAYLOAD:
            z.writestr(entry(f, stamp), payload_bytes(bin_dir, f))
        z.writestr(entry("readme.txt", stamp), readme_bytes())
    os.replace(partial, path)  # never a half-written zip under the final name
    digest = hashlib.sha256(open(path, "rb").read()).hexdigest()
    with open(path + ".sha256", "w", encoding="ascii", newline="\n") as out:
        out.write(f"{digest}  {name}\n")
    print(path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
