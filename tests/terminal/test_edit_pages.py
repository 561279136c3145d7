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
        # The title marks a changed edit, as editors mark a changed document.
        changed = "*" + hcdterm.os.path.basename(path)
        self.assertNotIn(changed, tool.text())
        tool.focus(field)
        tool.replace_text(value)
        tool.wait_for_text(value)
        tool.wait_for_text(changed)
        return path, tool

    def test_enter_saves(self):
        for kind, example, field, value, expected in PAGES:
            with self.subTest(page=kind):
                path, tool = self.edit(kind, example, field, value)
                tool.keys("Enter")
                self.assertEqual(tool.wait(), 0)
                self.assertIn(expected, summary(kind, path))
                self.assertRestored(tool)

    def test_escape_asks_then_leaves_the_file(self):
        for kind, example, field, value, expected in PAGES:
            with self.subTest(page=kind):
                path, tool = self.edit(kind, example, field, value)
                before = self.read(hcdterm.os.path.join(hcdterm.EXAMPLES, example))
                # Escape also starts every Alt sequence: a stray one asks first, and
                # No, the default, keeps the edit.
                tool.keys("Escape")
                tool.wait_for_text("Discard changes?")
                self.assertIn("[ Yes ]  < No >", tool.text())
                tool.keys("Enter")
                tool.wait_until_gone("Discard changes?")
                self.assertTrue(tool.running())
                self.assertIn(value, tool.text())
                tool.discard()
                self.assertEqual(tool.wait(), 1)
                self.assertEqual(self.read(path), before)
                self.assertRestored(tool)

    def test_a_combo_box_drops_its_list_down_and_takes_what_is_typed(self):
        path = self.copy_example("static.xml")
        tool = self.start("edit", "--static", path)
        tool.sheet()
        tool.focus("Party ID Source")
        item = tool.field_text("Party ID Source:").rstrip(" \u25bc")
        box_x, box_y = tool.find(item)
        tool.keys("M-Down")
        # The list drops down under the box, its frame lined up with the box's
        # edge, its item marked.
        tool.wait_for_text(">" + item)
        list_x, list_y = tool.find(">" + item)
        self.assertEqual((list_x, list_y), (box_x + 1, box_y + 2))
        tool.keys("Escape")
        tool.wait_until_gone(">" + item)
        tool.keys("F4")
        tool.wait_for_text(">" + item)
        tool.keys("Enter")
        tool.wait_until_gone(">" + item)
        self.assertEqual(tool.field_text("Party ID Source:").rstrip(" \u25bc"), item)
        # The box can be typed in: its text is kept as typed.
        tool.replace_text("G - own scheme")
        tool.wait_for_text("G - own scheme")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        code, out, err = hcdterm.run_tool("show", "--static", path)
        self.assertIn('Party ID Source: "G - own scheme"', out)

    def test_without_a_file_the_terminal_asks_for_one_and_then_shows_its_page(self):
        path = self.copy_example("handler.xml")
        tool = self.start("edit", cwd=hcdterm.os.path.dirname(path))
        tool.wait_for_text("File name:")
        tool.wait_for_text("handler.xml")  # the working folder's list
        tool.type("handler.xml")
        tool.keys("Enter")
        tool.sheet()  # the same terminal, taken again for the sheet
        tool.focus("TargetCompID")
        tool.replace_text("NEWTID")
        tool.keys("Enter")
        self.assertEqual(tool.wait(), 0)
        self.assertIn("TID=NEWTID", summary("--handler", path))
        self.assertRestored(tool)

    def test_a_file_in_no_tree_chosen_from_the_menu_asks_what_it_holds(self):
        path = self.copy_example("static.xml", as_name="prices.xml")
        before = self.read(path)
        tool = self.start("edit", cwd=hcdterm.os.path.dirname(path))
        tool.wait_for_text("File name:")
        tool.type("prices.xml")
        tool.keys("Enter")
        tool.wait_for_text("is in no configuration tree")
        # Cancel goes back to the chooser, not out of the edit.
        tool.keys("Escape")
        tool.wait_for_text("File name:")
        tool.type("prices.xml")
        tool.keys("Enter")
        tool.wait_for_text("is in no configuration tree")
        # Nothing is chosen yet: OK is not pressed.
        tool.keys("Enter")
        tool.wait_for_status("Handler configuration:")
        self.assertIn("is in no configuration tree", tool.text())
        tool.keys("Down")
        tool.wait_for_text("(*) Static record set")
        tool.keys("Enter")
        tool.sheet()
        self.assertIn("prices.xml \u2014 Record Set Properties", tool.text())
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)
        self.assertEqual(self.read(path), before)
        self.assertRestored(tool)

    def test_without_colour_the_focus_is_still_marked(self):
        path = self.copy_example("dynamic.xml")
        tool = self.start("edit", "--dynamic", path, env={"NO_COLOR": "1"})
        tool.sheet()
        tool.wait_for_status("Security ID:")
        shown = tool._tmux("capture-pane", "-p", "-e", "-t", "t")
        self.assertNotRegex(shown, r"\x1b\[[0-9;]*(3[0-7]|4[0-7]|38;|48;)[0-9;]*m",
                            "NO_COLOR asks for no colour")
        x, y = tool.cursor()
        cell = tool.cells()[y][x]
        self.assertTrue(cell.reverse, "the focused field is in reverse video")
        # Tab to OK: the sheet's button shows the focus between < and >.
        tool.keys("Tab")
        tool.wait_for_text("<   OK   >")
        tool.keys("Escape")
        self.assertEqual(tool.wait(), 1)

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
