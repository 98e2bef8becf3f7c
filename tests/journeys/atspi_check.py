#!/usr/bin/python3
"""Reads the running ertragon through AT-SPI as a screen reader does.

usage: atspi_check.py PID
Fails (exit 1) when a focusable widget of the main window has no name, or when the
month input's accessible text and value do not follow typing. Exit 77: no bus.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(text):
    print("atspi: " + text, file=sys.stderr)
    sys.exit(1)


def pump(seconds):
    """Lets the bus deliver its events for a while."""
    context = GLib.MainContext.default()
    deadline = time.time() + seconds
    while time.time() < deadline:
        while context.pending():
            context.iteration(False)
        time.sleep(0.05)


def wait_for(what, seconds, find):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found is not None:
            return found
        pump(0.3)
    fail("no " + what)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def main_window(app):
    for frame in app:
        if frame is not None and frame.name.startswith("KORDEX Ertragon"):
            return frame
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def labelled(node):
    """The name a screen reader speaks: its own, or that of the label naming it."""
    if node.name.strip():
        return node.name
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                if relation.getTarget(i).name.strip():
                    return relation.getTarget(i).name
    return ""


def where(node):
    """The node's role, under its named ancestors: "push button in filler 'Auswahl'"."""
    parts = [node.getRoleName()]
    parent = node.parent
    while parent is not None and parent.getRole() != pyatspi.ROLE_FRAME:
        parts.append("%s '%s'" % (parent.getRoleName(), parent.name))
        parent = parent.parent
    return " in ".join(parts)


def unnamed_focusable(frame):
    missing = []
    for node in walk(frame):
        states = node.getState()
        if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
            if not labelled(node):
                missing.append(where(node))
    return missing


def named(frame, name, roles):
    for node in walk(frame):
        if labelled(node) == name and node.getRole() in roles:
            return node
    return None


def read(node):
    text = node.queryText()
    value = node.queryValue().currentValue
    return text.getText(0, text.characterCount), value


def type_keys(*keys):
    """Keys as a user presses them, into the main window (Xvfb has no window manager)."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^KORDEX Ertragon"],
                           capture_output=True, text=True).stdout.split()
    if found:
        subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], check=False)
    subprocess.run(["xdotool", "key", "--delay", "120", *keys], check=True)


def check_month_input(frame):
    month = named(frame, "Monat:", (pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
    if month is None:
        fail("the month input is not named by its label \"Monat:\"")
    # The month input is used with "Monatswerte", which the details pane offers.
    if not month.getState().contains(pyatspi.STATE_ENABLED):
        type_keys("ctrl+d")
        choice = wait_for("option Monatswerte", 10,
                          lambda: named(frame, "Monatswerte", (pyatspi.ROLE_RADIO_BUTTON,)))
        # Chosen as a screen reader does it: the option's own action.
        action = choice.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if not names:
            fail("the option Monatswerte offers no action")
        action.doAction(0)
        wait_for("enabled month input", 10,
                 lambda: month if month.getState().contains(pyatspi.STATE_ENABLED) else None)
    month.queryComponent().grabFocus()
    wait_for("focused month input", 10,
             lambda: month if month.getState().contains(pyatspi.STATE_FOCUSED) else None)
    # What the month input tells while it is typed into, as a screen reader hears it.
    told = []

    def listen(event):
        if event.source == month:
            told.append((event.type, read(month)))

    events = ("object:text-changed", "object:property-change:accessible-value")
    pyatspi.Registry.registerEventListener(listen, *events)
    for keys, text, value in ((("End", "BackSpace", "BackSpace", "7"), "7", 7.0),
                              (("1",), "71", 71.0),
                              (("BackSpace", "BackSpace", "1", "1"), "11", 11.0)):
        del told[:]
        type_keys(*keys)
        wait_for("reading %r after %s, it reads %r" % ((text, value), " ".join(keys), read(month)),
                 10, lambda: True if read(month) == (text, value) else None)
        pump(1)
        for kind in events:
            if not any(t.startswith(kind) for t, _ in told):
                fail("typing %s told no %s: %r" % (" ".join(keys), kind, told))
    pyatspi.Registry.deregisterEventListener(listen, *events)
    print("atspi: the month input reads %r as it is typed, and tells each change"
          % (read(month),))


def main():
    pid = int(sys.argv[1])
    app = wait_for("ertragon on the accessibility bus", 60, lambda: application(pid))
    frame = wait_for("main window", 120, lambda: main_window(app))
    missing = unnamed_focusable(frame)
    if missing:
        fail("focusable widgets without a name: " + ", ".join(missing))
    print("atspi: every focusable widget of the main window has a name")
    check_month_input(frame)


if __name__ == "__main__":
    main()
