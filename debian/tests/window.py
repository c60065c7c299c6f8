"""Starts the installed veltrum, finds its calculator window on the
accessibility bus, checks the display shows 0, presses 2 + 3 * 4 = on the
keypad and checks the display shows 14."""
import os
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role


def wait_for(what, find, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if program.poll() is not None:
            sys.exit(f"FAILED: veltrum ended (status {program.returncode}) before {what}")
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAILED: no {what} within {timeout} s")


def find(root, name, role):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        if node is not root and node.get_name() == name and node.get_role() == role \
                and node.get_state_set().contains(Atspi.StateType.SHOWING):
            return node
        stack.extend(node.get_child_at_index(i) for i in range(node.get_child_count()))
    return None


def application(title):
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return next((a for a in apps if a is not None and a.get_name() == title), None)


def press(caption):
    button = find(window, caption, R.PUSH_BUTTON)
    if button is None:
        sys.exit(f"FAILED: no key '{caption}' on the calculator")
    # Debian 12's bindings have only get_action_name, which newer ones deprecate.
    name_of = getattr(Atspi.Action, "get_action_name", None) or Atspi.Action.get_name
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        names = [name_of(button, i) for i in range(Atspi.Action.get_n_actions(button))]
    Atspi.Action.do_action(button, names.index("Press"))


def display():
    return Atspi.Text.get_text(find(window, "Табло", R.TEXT), 0, -1)


# The program's title names it on the bus.
title = subprocess.run(["veltrum", "--version"], capture_output=True, text=True, check=True).stdout.strip()
Atspi.set_timeout(5000, 10000)
# The bus and its registry are up before the program starts.
Atspi.get_desktop(0).get_child_count()
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
program = subprocess.Popen(["veltrum"], env=env)
try:
    app = wait_for(f"'{title}' on the accessibility bus", lambda: application(title))
    window = wait_for("calculator window 'Veltrum'", lambda: next(
        (w for w in (app.get_child_at_index(i) for i in range(app.get_child_count()))
         if w is not None and w.get_name() == "Veltrum"
         and w.get_state_set().contains(Atspi.StateType.SHOWING)), None))
    wait_for("display showing 0", lambda: find(window, "Табло", R.TEXT) and display() == "0")
    print(f"{title} shows its calculator window with 0 on the display")
    for caption in ["2", "+", "3", "*", "4", "="]:
        press(caption)
    wait_for(f"display showing 14 after 2+3*4= (it shows '{display()}')", lambda: display() == "14", 10)
    print("2 + 3 * 4 = pressed over the bus shows 14")
finally:
    program.terminate()
    program.wait(10)
