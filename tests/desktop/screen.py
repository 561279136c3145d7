"""What a screen reader sees of a program on a Desktop: its windows and controls
through AT-SPI, found by role and name."""

import pyatspi

from desktop import DesktopError, wait_for

INPUT_ROLES = {
    pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_DATE_EDITOR,
}


def role_name(node):
    return node.getRoleName()


def children(node):
    try:
        count = node.childCount
    except Exception:
        return []
    found = []
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            found.append(child)
    return found


def walk(node):
    """The node and everything below it, in tree order."""
    yield node
    for child in children(node):
        yield from walk(child)


def has_state(node, state):
    return node.getState().contains(state)


def showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def application_now(pid):
    """The accessible application of the process, or None while it has not
    registered."""
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clearCache()
    for app in children(desktop):
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def application(pid):
    """The accessible application of the process, once it has registered."""
    return wait_for(f"the application of process {pid} on the accessibility bus",
                    lambda: application_now(pid))


def windows(app):
    app.clearCache()
    return [w for w in children(app) if showing(w)]


def find_window(app, name, roles=(pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME,
                                  pyatspi.ROLE_WINDOW, pyatspi.ROLE_ALERT,
                                  pyatspi.ROLE_FILE_CHOOSER)):
    """The showing top-level window whose name is `name` (or, given a callable,
    satisfies it)."""
    def match():
        for window in windows(app):
            window_name = window.name
            ok = name(window_name) if callable(name) else window_name == name
            if ok and window.getRole() in roles:
                return window
        return None
    return wait_for(f"the window {name!r}", match)


def find(root, role, name=None, showing_only=True, timeout=None):
    """The first control under root with the role (None: any) and name."""
    def match():
        for node in walk(root):
            if role is not None and node.getRole() != role:
                continue
            if name is not None and node.name != name:
                continue
            if showing_only and not showing(node):
                continue
            return node
        return None
    if timeout == 0:
        return match()
    what = f"a {'control' if role is None else role} named {name!r}"
    return wait_for(what, match, **({} if timeout is None else {"timeout": timeout}))


def focused(root):
    for node in walk(root):
        if has_state(node, pyatspi.STATE_FOCUSED) and node.getRole() != pyatspi.ROLE_PAGE_TAB_LIST:
            if not children(node) or node.getRole() in INPUT_ROLES:
                return node
    for node in walk(root):
        if has_state(node, pyatspi.STATE_FOCUSED):
            return node
    return None


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def text(node):
    t = node.queryText()
    return t.getText(0, -1)


def key_binding(node):
    """The keyboard shortcut that acts on the control, as AT-SPI tells it, or ""."""
    try:
        action = node.queryAction()
    except NotImplementedError:
        return ""
    for i in range(action.nActions):
        binding = action.getKeyBinding(i)
        if binding:
            return binding
    return ""


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i) for i in range(relation.getNTargets())]
    return []


class EventLog:
    """The AT-SPI events of the given kinds ("object:property-change:accessible-name"),
    as a screen reader receives them: (kind, role of the source, its name then,
    detail1). Events are delivered while the log is pumped, as by a screen reader's
    main loop."""

    def __init__(self, *kinds):
        self.kinds = kinds
        self.seen = []
        pyatspi.Registry.registerEventListener(self._take, *kinds)

    def _take(self, event):
        try:
            role, name = event.source.getRole(), event.source.name
        except Exception:
            role, name = None, None
        self.seen.append((event.type, role, name, event.detail1))

    def pump(self):
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        return self.seen

    def wait_for(self, what, match):
        """Waits for an event for which match(kind, role, name, detail1) is true and
        returns it."""
        def found():
            for event in self.pump():
                if match(*event):
                    return event
            return None
        return wait_for(what, found)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._take, *self.kinds)
        self.pump()
