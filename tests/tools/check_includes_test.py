#!/usr/bin/env python3
"""The include check on small trees: what it lets through and what it refuses."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import check_includes  # noqa: E402

# A tree holding one public header of each library and the private headers the cases name.
TREE = {
    "common/include/common/shift_jis.h": "",
    "grexmo/include/grexmo/grexmo.h": '#include "common/shift_jis.h"\n',
    "grexmo/src/parse.h": "",
    "kanji/include/kanji/kanji_code.h": "",
    "kanji/src/sjis_char.h": "",
    "engine/include/engine/platform.h": "",
    "engine/include/engine/result_report.h": "",
    "engine/src/file_matcher.h": "",
    "engine/dll/include/quelbrix_engine.h": "",
    "app/core/include/app/profile_file.h": "",
    "app/core/src/ini_text.h": "",
    "resources/quelbrix_u_resources.h": "",
}


class CheckIncludesTest(unittest.TestCase):
    def problems(self, path, includes):
        with tempfile.TemporaryDirectory() as root:
            files = dict(TREE)
            files[path] = "".join(f'#include "{name}"\n' for name in includes)
            for name, text in files.items():
                os.makedirs(os.path.dirname(os.path.join(root, name)), exist_ok=True)
                with open(os.path.join(root, name), "w", encoding="utf-8") as f:
                    f.write(text)
            return check_includes.check(root)

    def test_allowed(self):
        cases = [
            ("grexmo/src/parse.cpp", ["parse.h", "grexmo/grexmo.h", "common/shift_jis.h"]),
            ("engine/src/search.cpp", ["file_matcher.h", "kanji/kanji_code.h", "grexmo/grexmo.h"]),
            ("engine/dll/exports.cpp", ["quelbrix_engine.h", "engine/platform.h"]),
            ("cli/main.cpp", ["engine/platform.h", "kanji/kanji_code.h"]),
            ("app/core/src/profile_file.cpp", ["app/profile_file.h", "ini_text.h"]),
            ("app/win32/main.cpp", ["app/profile_file.h", "quelbrix_engine.h",
                                    "engine/result_report.h", "quelbrix_u_resources.h"]),
            ("tests/engine/matcher_test.cpp", ["file_matcher.h", "engine/platform.h"]),
        ]
        for path, includes in cases:
            with self.subTest(path=path):
                self.assertEqual(self.problems(path, includes), [])

    def test_refused(self):
        cases = [
            # another library's private header, by either name
            ("cli/main.cpp", ["sjis_char.h"], "is not a header of cli/"),
            ("cli/main.cpp", ["kanji/sjis_char.h"], "private headers stay private"),
            ("cli/main.cpp", ["../kanji/src/sjis_char.h"], "climbs out"),
            # upwards, against the flow
            ("kanji/src/x.cpp", ["engine/platform.h"], "kanji/src/ may not include engine/"),
            ("grexmo/src/x.cpp", ["kanji/kanji_code.h"], "may not include kanji/"),
            # one front end from the other, and the program into the engine's core
            ("cli/main.cpp", ["app/profile_file.h"], "cli/ may not include app/"),
            ("app/win32/main.cpp", ["engine/platform.h"], "may not include engine/"),
            ("app/core/src/x.cpp", ["quelbrix_engine.h"], "may not include quelbrix_engine.h"),
            ("engine/src/x.cpp", ["quelbrix_engine.h"], "may not include quelbrix_engine.h"),
            # a public header naming a neighbour by its bare name
            ("engine/include/engine/search.h", ["platform.h"], "by their full name"),
            ("engine/src/x.cpp", ["nowhere/x.h"], "names no library's public header"),
            # a source beside the parts, which no rule would cover
            ("app/stray.cpp", [], "belongs to no part of the layout"),
        ]
        for path, includes, expected in cases:
            with self.subTest(path=path, includes=includes):
                problems = self.problems(path, includes)
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(expected, problems[0])


if __name__ == "__main__":
    unittest.main()
