#!/usr/bin/env python3
"""Adds up the results of one CTest run: GoogleTest XML where a program wrote one, else the
program's own pass or fail. Prints 'N passed, N failed' and exits 1 when anything failed."""
import json, os, subprocess, sys
import xml.etree.ElementTree as ET

def counts(build):
    listing = json.loads(subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                                        capture_output=True, text=True, check=True).stdout)
    names = [t["name"] for t in listing.get("tests", [])]
    failed_log = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
    failed_runs = set()
    if os.path.exists(failed_log):
        for line in open(failed_log, encoding="utf-8", errors="replace"):
            if ":" in line:
                failed_runs.add(line.strip().split(":", 1)[1])
    passed = failed = 0
    for name in names:
        xml = os.path.join(build, "test-results", name + ".xml")
        run_failed = name in failed_runs
        if os.path.exists(xml):
            try:
                root = ET.parse(xml).getroot()
                total = int(root.get("tests", 0))
                bad = int(root.get("failures", 0)) + int(root.get("errors", 0))
                skipped = int(root.get("disabled", 0)) + int(root.get("skipped", 0))
                passed += max(total - bad - skipped, 0)
                failed += bad
                if run_failed and bad == 0:
                    failed += 1  # the program failed outside its test cases (crash, leak, exit code)
                continue
            except (ET.ParseError, ValueError):
                pass
        if run_failed:
            failed += 1
        else:
            passed += 1
    return passed, failed

if __name__ == "__main__":
    total_passed = total_failed = 0
    extra_failed = int(os.environ.get("QUELBRIX_EXTRA_FAILED", "0"))
    for build in sys.argv[1:]:
        p, f = counts(build)
        print(f"{os.path.basename(build)}: {p} passed, {f} failed")
        total_passed += p
        total_failed += f
    total_failed += extra_failed
    print(f"{total_passed} passed, {total_failed} failed")
    sys.exit(1 if total_failed else 0)
