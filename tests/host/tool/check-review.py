#!/usr/bin/env python3
"""show and diff read by programs other than hcdtool: every --json document parsed by
Python's json module and checked against the schema docs/hcdtool.md gives, and the
year grid on a terminal drawn in reverse video.

    check-review.py HCDTOOL EXAMPLES
"""

import json
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import unittest

HCDTOOL = EXAMPLES = None


def run(*args, expect=0):
    result = subprocess.run([HCDTOOL, *args], capture_output=True, timeout=120)
    if result.returncode != expect:
        raise AssertionError(f"{args}: exit {result.returncode}: {result.stderr.decode()}")
    return result.stdout


class Documents(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="hcd-review-")
        for side in ("old", "new"):
            shutil.copytree(os.path.join(EXAMPLES, "trees", "before" if side == "old" else "after"),
                            os.path.join(self.folder, side))
        handler = os.path.join(self.folder, "new", "eur-desk", "handler.xml")
        with open(handler, "rb") as f:
            text = f.read()
        with open(handler, "wb") as f:
            f.write(text.replace(b"Christmas Day", b"Xmas").replace(b"Labour Day", b"Caf\xe9"))

    def tearDown(self):
        shutil.rmtree(self.folder)

    def document(self, *args, expect=0):
        out = run(*args, "--json", expect=expect)
        self.assertTrue(out.endswith(b"\n"))
        return json.loads(out.decode("utf-8"))

    def check_control(self, control):
        self.assertEqual(set(control), {"label", "group", "kind", "enabled", "checked", "value",
                                        "password"})
        filled = [key for key in ("checked", "value", "password") if control[key] is not None]
        self.assertEqual(len(filled), 1, control)
        if control["password"] is not None:
            self.assertIn(control["password"], ("set", "empty", "unreadable, kept"))

    def test_show(self):
        for kind, name, calendar in (("--handler", "handler.xml", True),
                                     ("--static", "static.xml", False),
                                     ("--dynamic", "dynamic.xml", False)):
            with self.subTest(kind=kind):
                document = self.document("show", kind, os.path.join(EXAMPLES, name))
                self.assertEqual(list(document),
                                 ["path", "kind", "title", "controls", "holidays", "not_on_page"])
                for stored in document["not_on_page"]:
                    self.assertEqual(list(stored), ["name", "type", "value"])
                    self.assertIn(stored["type"], ("String", "Bool", "Int", "None"))
                self.assertEqual(document["kind"], kind[2:])
                for control in document["controls"]:
                    self.check_control(control)
                if calendar:
                    for currency in document["holidays"]:
                        self.assertEqual(set(currency), {"currency", "holidays"})
                        for holiday in currency["holidays"]:
                            self.assertEqual(set(holiday), {"date", "remark"})
                else:
                    self.assertIsNone(document["holidays"])

    def test_year(self):
        document = self.document("show", os.path.join(EXAMPLES, "handler.xml"), "--year", "2025")
        self.assertEqual(document["year"], 2025)
        self.assertEqual([c["currency"] for c in document["currencies"]], ["EUR", "GBP", "USD"])
        kinds = {h["date"]: h["kind"] for c in document["currencies"] if c["currency"] == "GBP"
                 for h in c["holidays"]}
        self.assertEqual(kinds["2025-12-25"], "rule")
        for currency in document["currencies"]:
            for holiday in currency["holidays"]:
                self.assertEqual(set(holiday), {"date", "remark", "kind", "listed"})

    def test_diff(self):
        old = os.path.join(self.folder, "old")
        new = os.path.join(self.folder, "new")
        document = self.document("diff", old, new, expect=1)
        plan = json.loads(run("plan", "--json", old, new).decode("utf-8"))
        # plan's entries and verdicts, exactly; the values on top.
        self.assertEqual(document["handlers"], plan["handlers"])
        self.assertEqual([{k: v for k, v in f.items() if k not in ("controls", "holidays")}
                          for f in document["files"]], plan["files"])
        handler = next(f for f in document["files"] if f["path"] == "eur-desk/handler.xml")
        changes = {(h["currency"], h["change"], h["date"]): (h["old"], h["new"])
                   for h in handler["holidays"]}
        self.assertEqual(changes[("GBP", "~", "2025-12-25")], ("Christmas Day", "Xmas"))
        self.assertEqual(changes[("EUR", "~", "2025-05-01")], ("Labour Day", "Caf\u00e9"))
        rate = next(c for c in handler["controls"] if c["label"] == "Max Messages Per Sec.")
        self.assertEqual((rate["old"]["value"], rate["new"]["value"]), ("30", "20"))
        self.assertFalse(rate["password_changed"])
        for entry in document["files"]:
            for change in entry["controls"]:
                for side in ("old", "new"):
                    if change[side] is not None:
                        self.check_control(change[side])
        same = self.document("diff", os.path.join(old, "eur-desk", "handler.xml"),
                             os.path.join(old, "eur-desk", "handler.xml"))
        self.assertEqual(same["files"][0]["status"], "same")


class Terminal(unittest.TestCase):
    def test_the_year_on_a_terminal_is_marked_in_reverse_video(self):
        main, side = pty.openpty()
        # The grid as it is written, not a pager's rendering of it.
        env = dict(os.environ, TERM="xterm", HCDTOOL_PAGER="cat")
        env.pop("NO_COLOR", None)
        process = subprocess.Popen([HCDTOOL, "show", os.path.join(EXAMPLES, "handler.xml"),
                                    "--year", "2025", "--currency", "GBP"],
                                   stdout=side, stderr=subprocess.PIPE, env=env)
        os.close(side)
        out = b""
        while True:
            try:
                chunk = os.read(main, 65536)
            except OSError:
                break
            if not chunk:
                break
            out += chunk
        os.close(main)
        self.assertEqual(process.wait(timeout=60), 0, process.stderr.read())
        self.assertIn(b"\x1b[7m 1\x1b[0m", out)      # New Year's Day
        self.assertNotIn(b"[ 1]", out)
        plain = run("show", os.path.join(EXAMPLES, "handler.xml"), "--year", "2025",
                    "--currency", "GBP")
        self.assertNotIn(b"\x1b", plain)
        self.assertIn(b"[ 1]", plain)


if __name__ == "__main__":
    HCDTOOL, EXAMPLES = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
