"""Every window of hcdtool as a screen reader and a keyboard meet it: each input
named, each control in the role it looks like, a mnemonic on every label and
button, unique in its window, the focus on the first field, Alt with a letter never
typing into a field, the holiday list's keys; hints as descriptions, controls
inside their group boxes, no empty notification; windows that fit a small screen
at twice the scale with their buttons in sight, titled with the file they edit and
drawn in the desktop's font.

The audit prints, per window, what it counted."""

import os
import sys

sys.dont_write_bytecode = True

import hcd  # noqa: E402
from hcd import DesktopTestCase, click, find, replace_text, text_of  # noqa: E402

RADIO_BUTTONS = {"System default proxy setting", "Proxy:", "Default URL", "Production",
                 "Testing", "User-defined URL:"}


def control_roles():
    import pyatspi
    return {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_LABEL}


def is_input(node):
    import pyatspi
    import screen
    if node.getRole() not in screen.INPUT_ROLES:
        return False
    # The text field and the list of a combo box are parts of it.
    parent = node.parent
    return parent is None or parent.getRole() != pyatspi.ROLE_COMBO_BOX


def alt_key(binding):
    """The key of an Alt mnemonic ("Alt+E" gives "E"), or None."""
    if binding.lower().startswith("alt+") and len(binding) == 5:
        return binding[4].upper()
    return None


class Audit:
    """What one window shows a screen reader, gathered over the states it is put in
    (a disabled control tells no key)."""

    def __init__(self, title):
        self.title = title
        self.inputs = {}        # name or a placeholder -> named?
        self.radio_roles = {}   # radio button caption -> role correct?
        self.captions = {}      # control -> its Alt key, or None
        self.to_probe = {}      # control -> node whose key the keyboard must find
        self.controls = set()   # every control seen, by role, name and place

    def look(self, window):
        """Takes in what the window shows now. An input is named by its name or,
        for a combo box on Linux, where Qt names it by its value, by the label it
        is labelled by; whether a label names it, AT-SPI tells by that relation or
        by a label of its name."""
        import pyatspi
        import screen
        nodes = [node for node in screen.walk(window) if screen.showing(node)]
        labels = {node.name.rstrip(": ") for node in nodes
                  if node.getRole() == pyatspi.ROLE_LABEL and node.name}
        for node in nodes:
            role = node.getRole()
            name = node.name
            if role in control_roles() or is_input(node):
                self.controls.add((node.getRoleName(), name, screen.extents(node)))
            if is_input(node):
                label = screen.labelled_by(node)
                named = bool(label) if role == pyatspi.ROLE_COMBO_BOX else bool(name)
                key = f"{node.getRoleName()} {label[0].name if label else name}"
                if not named:
                    key = f"unnamed {node.getRoleName()} at {screen.extents(node)[:2]}"
                self.inputs[key] = named
                if label:
                    self.note_key(key, node, probe=label[0].name)
                elif name and name in labels:
                    self.note_key(key, node, probe=name)
            if name in RADIO_BUTTONS:
                self.radio_roles[name] = role == pyatspi.ROLE_RADIO_BUTTON
            if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX,
                        pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON) and name and \
                    not name.startswith("Scroll "):
                self.note_key(f"button {name}", node)

    def note_key(self, control, node, probe=None):
        import pyatspi
        import screen
        enabled = screen.has_state(node, pyatspi.STATE_ENABLED)
        if not enabled and control in self.captions:
            return
        key = alt_key(screen.key_binding(node))
        if key or control not in self.captions:
            self.captions[control] = key
        if not key and probe and enabled:
            self.to_probe[control] = (node, probe)

    def probe(self, tool):
        """Lists, tables and combo boxes tell AT-SPI no key of their label: the
        keyboard finds it, trying each letter of the label that the window does not
        use elsewhere."""
        import pyatspi
        import screen
        used = {key for key in self.captions.values() if key}
        for control, (node, label) in self.to_probe.items():
            if self.captions.get(control):
                continue
            letters = []
            for c in label.upper():
                if c.isalnum() and c.isascii() and c not in used and c not in letters:
                    letters.append(c)
            for letter in letters:
                hcd.desktop().xdotool("key", "--clearmodifiers", f"alt+{letter.lower()}")
                try:
                    hcd.wait_for(f"Alt+{letter} to reach {control}", lambda: [
                        n for n in [node, *screen.children(node)]
                        if screen.has_state(n, pyatspi.STATE_FOCUSED)], timeout=1.5)
                except hcd.DesktopError:
                    if tool is not None and not tool.no_message_box():
                        hcd.desktop().key("Return")
                    continue
                self.captions[control] = letter
                used.add(letter)
                break
        self.to_probe.clear()

    def counts(self):
        keys = [key for key in self.captions.values() if key]
        return {
            "controls": len(self.controls),
            "inputs": len(self.inputs),
            "unnamed inputs": sum(1 for named in self.inputs.values() if not named),
            "radio buttons": len(self.radio_roles),
            "wrong roles": sum(1 for right in self.radio_roles.values() if not right),
            "labels and buttons": len(self.captions),
            "without a mnemonic": sum(1 for key in self.captions.values() if not key),
            "mnemonics used twice": len(keys) - len(set(keys)),
        }

    def report(self):
        counts = self.counts()
        print(f"\n{self.title}: " + ", ".join(f"{k} {v}" for k, v in counts.items()),
              flush=True)
        missing = sorted(c for c, key in self.captions.items() if not key)
        if missing:
            print("  without a mnemonic: " + "; ".join(missing), flush=True)
        unnamed = sorted(name for name, named in self.inputs.items() if not named)
        if unnamed:
            print("  unnamed: " + "; ".join(unnamed), flush=True)
        return counts


class Accessibility(DesktopTestCase):
    @staticmethod
    def wait_enabled(window, name):
        import pyatspi
        import screen
        node = find(window, None, name)
        hcd.wait_for(f"{name} to be enabled",
                     lambda: screen.has_state(node, pyatspi.STATE_ENABLED))

    # What each window holds: its template's inputs and radio buttons, and every
    # control a shortcut reaches (the labelled inputs, the buttons, the window's own
    # OK and Cancel). An audit that sees fewer (none at all, when the screen reader
    # cannot reach the window) has not checked them, and must not pass.
    SEEN = {
        "handler page": {"inputs": 12, "radio buttons": 6, "labels and buttons": 23},
        "holiday setting dialog": {"inputs": 4, "radio buttons": 0, "labels and buttons": 13},
        "new currency dialog": {"inputs": 1, "radio buttons": 0, "labels and buttons": 3},
        "static record set page": {"inputs": 7, "radio buttons": 0, "labels and buttons": 15},
        "dynamic record set page": {"inputs": 1, "radio buttons": 0, "labels and buttons": 3},
        "field chooser": {"inputs": 1, "radio buttons": 0, "labels and buttons": 2},
    }

    def assert_clean(self, window, counts):
        # A window whose controls the screen reader cannot see passes nothing.
        self.assertGreater(counts["controls"], 0)
        for what, expected in self.SEEN[window].items():
            self.assertEqual(counts[what], expected, what)
        self.assertEqual(counts["unnamed inputs"], 0)
        self.assertEqual(counts["wrong roles"], 0)
        self.assertEqual(counts["without a mnemonic"], 0)
        self.assertEqual(counts["mnemonics used twice"], 0)

    def test_every_window_names_its_inputs_and_gives_each_caption_a_mnemonic(self):
        import pyatspi
        results = {}
        # The handler page, in both states of its URL choice, and its holiday dialog.
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path)
        sheet = tool.sheet()
        audit = Audit("handler page")
        audit.look(sheet)
        click(find(sheet, None, "User-defined URL:"))
        self.wait_enabled(tool.sheet(), "Host URL")
        audit.look(tool.sheet())
        audit.probe(tool)
        results["handler page"] = audit.report()
        click(find(tool.sheet(), None, "Holiday setting"))
        dialog = tool.window("Holiday setting")
        audit = Audit("holiday setting dialog")
        audit.look(dialog)
        audit.probe(tool)
        results["holiday setting dialog"] = audit.report()
        click(find(dialog, None, "New currency..."))
        audit = Audit("new currency dialog")
        audit.look(tool.window("New currency"))
        audit.probe(tool)
        results["new currency dialog"] = audit.report()
        hcd.desktop().key("Escape")
        hcd.desktop().key("Escape")
        hcd.desktop().key("Escape")
        tool.wait()

        for kind, example, title in (("--static", "static.xml", "static record set page"),
                                     ("--dynamic", "dynamic.xml", "dynamic record set page")):
            tool = self.start("edit", kind, self.copy_example(example))
            audit = Audit(title)
            audit.look(tool.sheet())
            if kind == "--static":
                click(find(tool.sheet(), None, "Disable Optimisation"))
                self.wait_enabled(tool.sheet(), "Optimise Inital Image")
                audit.look(tool.sheet())
            audit.probe(tool)
            results[title] = audit.report()
            hcd.desktop().key("Escape")
            tool.wait()

        tool = self.start("choose-field", "--party")
        window = tool.window("Select Field")
        audit = Audit("field chooser")
        audit.look(window)
        audit.probe(tool)
        results["field chooser"] = audit.report()
        hcd.desktop().key("Escape")
        tool.wait()

        self.assertEqual(sorted(results), sorted(self.SEEN))
        for title, counts in results.items():
            with self.subTest(window=title):
                self.assert_clean(title, counts)

    def test_the_focus_starts_on_the_first_field(self):
        import pyatspi
        import screen
        cases = [
            (("edit", "--handler", "handler.xml"), pyatspi.ROLE_CHECK_BOX, "Enable Proxy"),
            (("edit", "--static", "static.xml"), pyatspi.ROLE_TEXT, "Party ID"),
            (("edit", "--dynamic", "dynamic.xml"), pyatspi.ROLE_TEXT, "Security ID"),
            (("choose-field",), pyatspi.ROLE_LIST, "Select Field"),
        ]
        for args, role, name in cases:
            with self.subTest(window=" ".join(args)):
                if args[0] == "edit":
                    args = (*args[:2], self.copy_example(args[2]))
                tool = self.start(*args)
                window = tool.sheet() if args[0] == "edit" else tool.window("Select Field")
                # Qt also marks the current tab and the current item of a list.
                parts = (pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL)
                focused = hcd.wait_for("a control with the focus", lambda: [
                    node for node in screen.walk(window)
                    if screen.has_state(node, pyatspi.STATE_FOCUSED)
                    and node.getRole() not in parts])
                self.assertEqual([(n.getRole(), n.name) for n in focused], [(role, name)])
                hcd.desktop().key("Escape")
                tool.wait()

    def test_alt_with_a_letter_moves_to_its_control_and_never_types(self):
        import pyatspi
        import screen
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"))
        sheet = tool.sheet()
        username = find(sheet, pyatspi.ROLE_TEXT, "Username")
        sender = find(sheet, pyatspi.ROLE_TEXT, "SenderCompID")
        used = set()
        for node in screen.walk(sheet):
            key = alt_key(screen.key_binding(node))
            if key:
                used.add(key)
        free = next(letter for letter in "QZJVKWXY" if letter not in used)
        click(username)
        # What follows the Alt key shows it has been taken in: typed at the end.
        hcd.desktop().key("ctrl+a", f"alt+{free.lower()}", "End")
        hcd.desktop().type("!")
        hcd.wait_for("the typing to arrive", lambda: text_of(username).endswith("!"))
        self.assertEqual(text_of(username), "bank01.submitter!")
        hcd.desktop().key(f"alt+{alt_key(screen.key_binding(sender)).lower()}")
        hcd.wait_for("SenderCompID to take the focus",
                     lambda: screen.has_state(sender, pyatspi.STATE_FOCUSED))
        # The holiday button's own key presses it, and types nothing either.
        click(username)
        hcd.desktop().key("ctrl+a")
        holiday = find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Holiday setting")
        hcd.desktop().key(f"alt+{alt_key(screen.key_binding(holiday)).lower()}")
        tool.window("Holiday setting")
        hcd.desktop().key("Escape")
        hcd.wait_for("the holiday dialog to close", lambda: all(
            window.name != "Holiday setting" for window in screen.windows(tool.app)))
        self.assertEqual(text_of(username), "bank01.submitter!")
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)

    def test_the_holiday_list_keeps_its_selection_in_sight(self):
        import pyatspi
        import screen
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"))
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        dialog = tool.window("Holiday setting")
        click(find(find(dialog, pyatspi.ROLE_LIST, "Currency"), pyatspi.ROLE_LIST_ITEM, "USD"))
        replace_text(find(dialog, pyatspi.ROLE_SPIN_BUTTON, "Year"), "2030")
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add holiday of year"))
        holidays = find(dialog, pyatspi.ROLE_TABLE, "Holiday")
        table = holidays.queryTable()
        rows = hcd.wait_for("the year's rows", lambda: table.nRows if table.nRows > 100 else 0)
        first = table.getAccessibleAt(0, 0).name
        last = table.getAccessibleAt(rows - 1, 0).name
        def selected(rows_wanted):
            return hcd.wait_for(f"rows {rows_wanted} selected",
                                lambda: list(table.getSelectedRows()) == rows_wanted)
        click(table.getAccessibleAt(0, 1))
        selected([0])
        hcd.desktop().key("ctrl+End")
        selected([rows - 1])
        self.assertTrue(screen.showing(table.getAccessibleAt(rows - 1, 0)))
        hcd.desktop().key("ctrl+Home")
        selected([0])
        hcd.desktop().key("ctrl+End", "Delete")
        hcd.wait_for("the last row to go", lambda: table.nRows == rows - 1)
        self.assertEqual(table.getAccessibleAt(0, 0).name, first)
        self.assertNotEqual(table.getAccessibleAt(table.nRows - 1, 0).name, last)
        hcd.desktop().key("Escape")
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)

    def test_windows_fit_a_small_screen_at_twice_the_scale_and_may_be_resized(self):
        import pyatspi
        import screen
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"),
                          env={"QT_SCALE_FACTOR": "2"})
        sheet = tool.sheet()
        screen_size = (hcd.desktop().width, hcd.desktop().height)

        def on_screen(node):
            x, y, w, h = (2 * v for v in screen.extents(node))
            return x >= 0 and y >= 0 and x + w <= screen_size[0] and y + h <= screen_size[1]
        def inside(node, window):
            x, y, w, h = screen.extents(node)
            wx, wy, ww, wh = screen.extents(window)
            return wx <= x and wy <= y and x + w <= wx + ww and y + h <= wy + wh
        self.assertTrue(on_screen(sheet), screen.extents(sheet))
        self.assertTrue(on_screen(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "OK")))
        self.assertTrue(on_screen(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Cancel")))
        # The page scrolls: its far side is reached with the keyboard.
        holiday = find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Holiday setting")
        hcd.desktop().key(f"alt+{alt_key(screen.key_binding(holiday)).lower()}")
        dialog = tool.window("Holiday setting")
        self.assertTrue(on_screen(dialog), screen.extents(dialog))
        # What scrolls is the dialog's content: its OK and Cancel stay below it, in
        # sight from the start, as the sheet's do.
        for caption in ("OK", "Cancel"):
            with self.subTest(button=caption):
                button = find(dialog, pyatspi.ROLE_PUSH_BUTTON, caption)
                self.assertTrue(on_screen(button), screen.extents(button))
                self.assertTrue(inside(button, dialog),
                                (screen.extents(button), screen.extents(dialog)))
        hcd.desktop().key("Escape")
        hcd.wait_for("the holiday dialog to close", lambda: all(
            window.name != "Holiday setting" for window in screen.windows(tool.app)))
        # Smaller still, the sheet scrolls its page and keeps its buttons.
        width = screen.extents(sheet)[2]
        hcd.desktop().xdotool("getactivewindow", "windowsize", "600", "400")
        hcd.wait_for("the sheet to be resized", lambda: screen.extents(tool.sheet())[2] != width)
        self.assertTrue(inside(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "OK"), tool.sheet()))
        click(find(tool.sheet(), pyatspi.ROLE_PUSH_BUTTON, "Cancel"), 2)
        self.assertEqual(tool.wait()[0], 1)

    def test_hints_describe_their_controls_and_group_boxes_hold_theirs(self):
        import pyatspi
        import screen
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"))
        sheet = tool.sheet()
        # What the label beside a control says is its description, not a label of
        # its own that the reader meets out of place.
        for role, name, description in (
                (pyatspi.ROLE_RADIO_BUTTON, "Production", "https://bmk.kel.example/api/v1"),
                (pyatspi.ROLE_RADIO_BUTTON, "Testing", "https://bmk-uat.kel.example/api/v1"),
                (pyatspi.ROLE_TEXT, "Host URL", "e.g. bmk.kel.example"),
                (pyatspi.ROLE_TEXT, "TestReq", "")):
            with self.subTest(control=name):
                self.assertEqual(find(sheet, role, name).description, description)
        # Every control sits in the group box around it.
        for role, name, group in ((pyatspi.ROLE_CHECK_BOX, "Enable Proxy", "Proxy Setting"),
                                  (pyatspi.ROLE_TEXT, "Host URL", "System Setting"),
                                  (pyatspi.ROLE_PASSWORD_TEXT, "Password",
                                   "KEL Benchmark Administration Account")):
            with self.subTest(control=name):
                self.assertEqual(find(sheet, role, name).parent.name, group)
        hcd.desktop().key("Escape")
        tool.wait()

        tool = self.start("edit", "--dynamic", self.copy_example("dynamic.xml"))
        field = find(tool.sheet(), pyatspi.ROLE_TEXT, "Security ID")
        self.assertEqual(field.parent.name, "Instrument")
        self.assertIn(field.parent.getRole(), (pyatspi.ROLE_PANEL, pyatspi.ROLE_GROUPING))
        hcd.desktop().key("Escape")
        tool.wait()

        # A combo box is named by its label, as every input is, whatever it shows.
        tool = self.start("edit", "--static", self.copy_example("static.xml"))
        sheet = tool.sheet()
        combos = [node for node in screen.walk(sheet) if node.getRole() == pyatspi.ROLE_COMBO_BOX]
        self.assertEqual(sorted((combo.name, combo.parent.name) for combo in combos),
                         [("Party ID Source", "Parties"), ("Party Role", "Parties"),
                          ("Security ID Source", "Instrument")])
        hcd.desktop().key("Escape")
        tool.wait()

    def test_a_window_that_has_said_nothing_has_no_notification(self):
        import pyatspi
        import screen

        def notifications(window):
            return [node.name for node in screen.walk(window)
                    if node.getRole() == pyatspi.ROLE_NOTIFICATION]
        tool = self.start("edit", "--handler", self.copy_example("handler.xml"))
        sheet = tool.sheet()
        self.assertEqual(notifications(sheet), [])
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        dialog = tool.window("Holiday setting")
        self.assertEqual(notifications(dialog), [])
        click(find(find(dialog, pyatspi.ROLE_LIST, "Currency"), pyatspi.ROLE_LIST_ITEM, "GBP"))
        replace_text(find(dialog, pyatspi.ROLE_SPIN_BUTTON, "Year"), "2031")
        click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add holiday of year"))
        said = hcd.wait_for("the year to be announced", lambda: notifications(dialog))
        self.assertEqual(len(said), 1)
        self.assertRegex(said[0], r"^\d+ holidays added$")
        hcd.desktop().key("Escape")
        hcd.wait_for("the holiday dialog to close", lambda: all(
            window.name != "Holiday setting" for window in screen.windows(tool.app)))
        self.assertEqual(notifications(tool.sheet()), [])
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)

    def test_the_desktops_font_and_style_apply(self):
        import pyatspi
        import screen
        # A desktop's settings as qt6ct keeps them; Plasma's reach Qt the same way,
        # through the platform theme.
        folder = os.path.join(hcd.desktop().env["XDG_CONFIG_HOME"], "qt6ct")
        os.makedirs(folder, exist_ok=True)

        def sizes(style=None, font=None):
            """The Party ID field's size and the Party Role combo box's height, on the
            desktop's settings when a style and font are given, else on none."""
            env = {}
            if style:
                with open(os.path.join(folder, "qt6ct.conf"), "w") as conf:
                    conf.write(f"[Appearance]\nstyle={style}\n\n[Fonts]\ngeneral=\"{font}\"\n")
                env = {"QT_QPA_PLATFORMTHEME": "qt6ct"}
            tool = self.start("edit", "--static", self.copy_example("static.xml"), env=env)
            sheet = tool.sheet()
            field = screen.extents(find(sheet, pyatspi.ROLE_TEXT, "Party ID"))[2:]
            combo = screen.extents(find(sheet, pyatspi.ROLE_COMBO_BOX, "Party Role"))[3]
            hcd.desktop().key("Escape")
            tool.wait()
            return field, combo
        plain, _ = sizes()
        large, _ = sizes("Fusion", "DejaVu Serif,15")
        # The page is laid out in the desktop's font: its fields grow with it.
        self.assertGreater(large[0], 1.4 * plain[0], (plain, large))
        self.assertGreater(large[1], 1.4 * plain[1], (plain, large))
        # In the same font, a combo box is as high as the desktop's style draws one.
        _, fusion = sizes("Fusion", "DejaVu Sans,9")
        _, windows = sizes("Windows", "DejaVu Sans,9")
        self.assertNotEqual(fusion, windows)

    def test_titles_name_the_file_and_the_tool(self):
        import pyatspi
        path = self.copy_example("handler.xml")
        tool = self.start("edit", "--handler", path)
        sheet = tool.sheet()
        self.assertEqual(sheet.name, "handler.xml \u2014 Handler Properties")
        self.assertEqual(hcd.desktop().xdotool("getactivewindow", "getwindowname").strip(),
                         "handler.xml \u2014 Handler Properties \u2014 hcdtool")
        click(find(sheet, pyatspi.ROLE_PUSH_BUTTON, "Holiday setting"))
        dialog = tool.window("Holiday setting")
        for _ in range(2):
            click(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Add"))
        box, said = tool.message_box()
        self.assertEqual(said, "The date of the holiday already added")
        hcd.wait_for("the message box to be the active window", lambda: hcd.desktop().xdotool(
            "getactivewindow", "getwindowname").strip() == "Message \u2014 hcdtool")
        hcd.desktop().key("Return")
        hcd.desktop().key("Escape")
        hcd.desktop().key("Escape")
        self.assertEqual(tool.wait()[0], 1)


if __name__ == "__main__":
    hcd.main()
