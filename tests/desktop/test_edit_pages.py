"""Each page of hcdtool edit, as a person uses it: change a value, then OK with
Enter or with a click saves the file and exits 0; Escape leaves it as it was and
exits 1."""

import sys

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, find, replace_text, summary  # noqa: E402

# (kind, example, label of the field changed, new value, what the summary then says)
PAGES = [
    ("--handler", "handler.xml", "Max Messages Per Sec.", "45", "Max Message Per Second=45"),
    ("--static", "static.xml", "Currency", "CHF", "Currency=CHF"),
    ("--dynamic", "dynamic.xml", "Security ID", "NEW-ID", "Security ID=NEW-ID"),
]


class EditPages(DesktopTestCase):
    @staticmethod
    def temporaries(path):
        folder = hcd.os.path.dirname(path)
        return [name for name in hcd.os.listdir(folder)
                if name != hcd.os.path.basename(path)]

    def edit(self, kind, example, field, value):
        import pyatspi
        path = self.copy_example(example)
        tool = self.start("edit", kind, path)
        sheet = tool.sheet()
        replace_text(find(sheet, pyatspi.ROLE_TEXT, field), value)
        return path, tool, sheet

    def test_ok_saves(self):
        import pyatspi
        for kind, example, field, value, expected in PAGES:
            for how in ("Enter", "click"):
                with self.subTest(page=kind, ok=how):
                    path, tool, sheet = self.edit(kind, example, field, value)
                    if how == "Enter":
                        hcd.desktop().key("Return")
                    else:
                        hcd.click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "OK"))
                    code, out, err = tool.wait()
                    self.assertEqual(code, 0, err)
                    self.assertIn(expected, summary(kind, path))
                    self.assertEqual(self.temporaries(path), [])

    def test_escape_leaves_the_file(self):
        for kind, example, field, value, expected in PAGES:
            with self.subTest(page=kind):
                path, tool, sheet = self.edit(kind, example, field, value)
                before = self.read(hcd.os.path.join(hcd.EXAMPLES, example))
                hcd.desktop().key("Escape")
                code, out, err = tool.wait()
                self.assertEqual(code, 1, err)
                self.assertIn("unchanged", err)
                self.assertEqual(self.read(path), before)


if __name__ == "__main__":
    hcd.main()
