"""Each page of hcdtool edit in a terminal, as a person uses it over ssh: Tab to a
field, change it, then Enter saves the file and exits 0; Escape leaves it as it was
and exits 1."""

import sys

sys.dont_write_bytecode = True

import hcdterm  # noqa: E402
from hcdterm import TerminalTestCase, summary  # noqa: E402

# (kind, example, field changed, new value, what the summary then says)
PAGES = [
    ("--handler", "handler.xml", "Max Messages Per Sec.", "45", "Max Message Per Second=45"),
    ("--static", "static.xml", "Currency", "CHF", "Currency=CHF"),
    ("--dynamic", "dynamic.xml", "Security ID", "NEW-ID", "Security ID=NEW-ID"),
]


class EditPages(TerminalTestCase):
    def edit(self, kind, example, field, value):
        path = self.copy_example(example)
        tool = self.start("edit", kind, path)
        tool.sheet()
        tool.focus(field)
        tool.replace_text(value)
        tool.wait_for_text(value)
        return path, tool

    def test_enter_saves(self):
        for kind, example, field, value, expected in PAGES:
            with self.subTest(page=kind):
                path, tool = self.edit(kind, example, field, value)
                tool.keys("Enter")
                self.assertEqual(tool.wait(), 0)
                self.assertIn(expected, summary(kind, path))
                self.assertRestored(tool)

    def test_escape_leaves_the_file(self):
        for kind, example, field, value, expected in PAGES:
            with self.subTest(page=kind):
                path, tool = self.edit(kind, example, field, value)
                before = self.read(hcdterm.os.path.join(hcdterm.EXAMPLES, example))
                tool.keys("Escape")
                self.assertEqual(tool.wait(), 1)
                self.assertEqual(self.read(path), before)
                self.assertRestored(tool)

    def test_the_title_names_the_file_and_every_page_shows_its_fields(self):
        labels = {"--handler": ["SenderCompID:", "Proxy Setting", "Holiday setting"],
                  "--static": ["Party ID Source:", "Browse...", "Disable Optimisation"],
                  "--dynamic": ["Security ID:"]}
        for kind, example, *_ in PAGES:
            with self.subTest(page=kind):
                path = self.copy_example(example)
                tool = self.start("edit", kind, path)
                tool.sheet()
                self.assertIn(example + " \u2014 ", tool.text())
                for label in labels[kind]:
                    tool.wait_for_text(label)
                tool.keys("Escape")
                self.assertEqual(tool.wait(), 1)


if __name__ == "__main__":
    hcdterm.main()
