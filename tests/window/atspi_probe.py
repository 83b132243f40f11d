# SPDX-License-Identifier: GPL-3.0-or-later
# Reads the running program back through AT-SPI, as a screen reader does: the names of the
# controls, and the cell under the keyboard cursor with its state. Runs inside a session bus of
# its own (dbus-run-session) on an X server given by DISPLAY. Argument: the program, beside a
# folder schemi holding small.dis ("#-#", "###", "-#-").
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

program = sys.argv[1]
children = []


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, probe, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    fail("no " + what)


def walk(node, out, depth=0):
    """Every object below node, with its name and role."""
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        out.append(child)
        if depth < 6:
            walk(child, out, depth + 1)
    return out


def name(node):
    node.clear_cache()
    return node.get_name()


def focused(node):
    node.clear_cache()
    return node.get_state_set().contains(Atspi.StateType.FOCUSED)


def key(*keys):
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Tessaria 1.0", "windowfocus", "--sync"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["xdotool", "key", "--delay", "100", *keys], check=True)
    time.sleep(0.5)


try:
    children.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    children.append(subprocess.Popen([program], env=env))

    def application():
        if children[-1].poll() is not None:
            fail("the program ended with status %d" % children[-1].returncode)
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and (app.get_name() or "").startswith("Tessaria"):
                return app
        return None

    app = wait_for("application Tessaria on the accessibility bus", application)
    # The scheme list is filled once the window has been shown.
    objects = wait_for("cell 1", lambda: [o for o in walk(app, []) if (o.get_name() or "").startswith("riga 1, colonna 1:")]
                       and walk(app, []))
    names = {}
    for o in objects:
        names.setdefault(o.get_name() or "", o)
    print("objects: %d" % len(objects))
    for expected in ["secondi", "caselle da trovare", "aiuto SOS", "linee guida", "lingua", "stampa", "esci",
                     "indietro", "griglia del disegno"]:
        if expected not in names:
            fail("no object named %r" % expected)
        print("named: %s (%s)" % (expected, names[expected].get_role_name()))
    cell1 = names["riga 1, colonna 1: da scoprire"]
    cell2 = names["riga 1, colonna 2: da scoprire"]
    if focused(cell1):
        fail("cell 1 has the focus before any scheme is loaded")

    # Space in the scheme list picks small.dis, its one entry, and gives the board the keys: the
    # cursor is on cell 1.
    key("space")
    wait_for("focus on cell 1", lambda: focused(cell1), 5)
    print("focused: " + name(cell1))
    key("space")
    if name(cell1) != "riga 1, colonna 1: parte del disegno":
        fail("cell 1 after Space says %r" % name(cell1))
    key("Right")
    wait_for("focus on cell 2", lambda: focused(cell2) and not focused(cell1), 5)
    # A blank cell not yet marked says the same as a picture cell not yet found.
    if name(cell2) != "riga 1, colonna 2: da scoprire":
        fail("cell 2 says %r" % name(cell2))
    print("focused: " + name(cell2))
    print("PASS")
finally:
    for child in reversed(children):
        child.terminate()
    for child in children:
        try:
            child.wait(5)
        except subprocess.TimeoutExpired:
            child.kill()
