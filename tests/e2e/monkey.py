"""The monkey: random real input over every window and menu of the program
for a bounded time. It types, clicks, right-clicks and drags, closes every
box it opens, and after every hundred actions checks that the program still
answers the accessibility bus and that its display still reads as a number.

    VELTRUM_MONKEY_SEED     the seed of the random actions (default 1)
    VELTRUM_MONKEY_SECONDS  how long it plays (default 60)
    VELTRUM_MONKEY_LOG      when set, every action is printed as it is done

A failure names the seed, the action and the actions before it, so that the
same seed replays the same start."""
import os
import re
import time

import random

import harness

from gi.repository import Atspi

R = Atspi.Role
CALC = "Veltrum"
BOXES = (R.ALERT, R.DIALOG, R.FILE_CHOOSER)
ABOUT = "О программе"   # modal like a box, though the bus calls it a filler
CLICKABLE = (R.PUSH_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.TOGGLE_BUTTON, R.LIST_ITEM, R.MENU, R.MENU_ITEM,
             R.PAGE_TAB, R.TEXT, R.COMBO_BOX, R.SPIN_BUTTON, R.TABLE_CELL, R.ENTRY)
# The one way out the monkey leaves alone: ending the program is no fault.
NEVER = ("Выход",)
KEYS = list("0123456789bcefsqlx") + [
    "comma", "period", "plus", "minus", "asterisk", "slash", "asciicircum", "equal", "Return", "KP_Enter",
    "BackSpace", "Delete", "Escape", "Tab", "shift+Tab", "space", "Up", "Down", "Left", "Right", "Home", "End",
    "Menu", "shift+F10", "F1", "F2", "F3", "ctrl+j", "ctrl+m", "ctrl+i", "ctrl+c", "ctrl+v", "ctrl+o", "ctrl+s",
    "ctrl+a", "ctrl+x", "alt+s", "alt+f"]
TEXTS = ["sin[x]", "x^2-2", "1/x", "10^308", "9^323", "-5", "5", "0,001", "tg[x]", "sqrt[x]", "((x", "H2O",
         "x*x*x-x", "1E400", "-"]
# What the display may show: a number as it is typed or shown, or the lone
# minus a backspace leaves of a negative one-digit number.
DISPLAY = re.compile(r"-?(\d+,?\d*|,\d+)(E-?\d*)?|-")


def _calculator_display(s):
    """The display's text, also while the calculator window is hidden."""
    for i in range(s.app.get_child_count()):
        w = s.app.get_child_at_index(i)
        if w is not None and w.get_name() == CALC:
            node = s.find(w, "Табло", R.TEXT, showing=False)
            if node is not None:
                return s.text(node)
    s.fail("the calculator's display is gone from the accessibility bus")


def _controls(s, window):
    return [n for n in s.find_all(window)
            if n.get_role() in CLICKABLE and n.get_name() not in NEVER and s.enabled(n)]


def _act(s, rng):
    windows = s.windows()
    if not windows:
        s.fail("no window of the program is showing")
    window = rng.choice(windows)
    title = window.get_name()
    kind = rng.choices(["keys", "click", "text", "drag", "context"], weights=[40, 35, 10, 8, 7])[0]
    if kind in ("keys", "text") and rng.random() < 0.3:
        s.focus_window(title)
    if kind == "keys":
        keys = [rng.choice(KEYS) for _ in range(rng.randint(1, 5))]
        s.key(*keys)
        return f"keys {' '.join(keys)}"
    if kind == "text":
        text = rng.choice(TEXTS)
        s.type(text, delay=20)
        return f"typed {text!r}"
    if kind == "drag":
        r = Atspi.Component.get_extents(window, Atspi.CoordType.SCREEN)
        points = [(rng.randint(r.x, r.x + max(r.width - 1, 0)), rng.randint(r.y, r.y + max(r.height - 1, 0)))
                  for _ in range(2)]
        # A window may reach past the screen's edge; the pointer may not.
        (x0, y0), (x1, y1) = [(min(max(round(x * s.scale), 0), s.size[0] - 1),
                               min(max(round(y * s.scale), 0), s.size[1] - 1)) for x, y in points]
        s.run(["xdotool", "mousemove", str(x0), str(y0), "mousedown", "1", "mousemove", str(x1), str(y1),
               "sleep", "0.1", "mouseup", "1"])
        return f"drag in {title!r} from {points[0]} to {points[1]}"
    controls = _controls(s, window)
    if not controls:
        return f"nothing to click in {title!r}"
    node = rng.choice(controls)
    button = 1 if kind == "click" else 3
    what = f"{'click' if button == 1 else 'right-click'} {node.get_name()!r} ({node.get_role().value_nick}) in {title!r}"
    try:
        s.click(node, button=button)
    except harness.Failure:
        raise
    except Exception:
        return what + " (gone before the click)"
    return what


def _close_boxes(s, rng):
    """Closes every box that is showing, answering a message box at random;
    a dialog (a file chooser among them) is always cancelled."""
    for _ in range(6):
        boxes = [w for w in s.windows() if w.get_role() in BOXES or w.get_name() == ABOUT
                 or w.get_state_set().contains(Atspi.StateType.MODAL)]
        if not boxes:
            return
        box = boxes[-1]
        key = rng.choice(["Escape", "Escape", "Return"]) if box.get_role() == R.ALERT else "Escape"
        s.key(key)
        # A menu the monkey opened over the box takes the first Escape.
        for attempt in range(2):
            try:
                s.closed(box, f"the box '{box.get_name()}' by {key}")
                break
            except harness.Failure:
                if attempt:
                    raise
                s.key("Escape", "Escape")
    s.fail("boxes keep opening")


def _check(s):
    s.windows()
    text = _calculator_display(s)
    if not DISPLAY.fullmatch(text):
        s.fail(f"the display reads {text!r}, not a number")


def scenario_monkey(s, workdir):
    seed = int(os.environ.get("VELTRUM_MONKEY_SEED", "1"))
    seconds = float(os.environ.get("VELTRUM_MONKEY_SECONDS", "60"))
    rng = random.Random(seed)
    verbose = bool(os.environ.get("VELTRUM_MONKEY_LOG"))
    recent, count = [], 0
    deadline = time.monotonic() + seconds
    s.focus_window(CALC)
    try:
        while time.monotonic() < deadline:
            with s.step(f"monkey seed {seed}, action {count + 1}"):
                recent = (recent + [_act(s, rng)])[-20:]
                if verbose:
                    shown = ", ".join(f"{w.get_name()} ({w.get_role().value_nick})" for w in s.windows())
                    print(f"{count + 1}: {recent[-1]}  [{shown}]", flush=True)
                _close_boxes(s, rng)
                count += 1
                if count % 100 == 0:
                    _check(s)
        with s.step(f"monkey seed {seed}, the check after {count} actions"):
            _check(s)
    except harness.Failure as e:
        raise harness.Failure(f"{e}\nthe last actions:\n  " + "\n  ".join(recent)) from None
    print(f"monkey seed {seed}: {count} actions in {seconds:.0f} s")
