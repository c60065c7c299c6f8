"""The real veltrum program on a private X server with a window manager,
driven by real X input (xdotool) and read back over the accessibility bus,
the clipboard and screenshots. No test doubles anywhere.

Every action runs inside a named step. A window or box that does not
close within two seconds of its command, or a program that stops
answering the accessibility bus, fails the scenario and names the step.
"""
import os
import re
import signal
import subprocess
import time

import gi

import wayland

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

CLOSE_WITHIN = 2.0   # seconds a window or box may take to close
ANSWER_WITHIN = 5    # seconds the program may take to answer the bus


class Failure(Exception):
    pass


def _alarm(signum, frame):
    raise Failure("the program stopped answering (step did not end)")


# Scenarios run on GNOME's Wayland compositor instead of Xvfb and openbox.
WAYLAND = os.environ.get("VELTRUM_E2E_DESKTOP") == "wayland"

# The screen a scenario runs on unless it asks for another (see screen()).
SCREEN = (1280, 900)


def native_wayland(scenario):
    """Runs the decorated scenario on a Wayland desktop with no X display,
    where the program runs on Wayland itself and only the keyboard, through
    the compositor, reaches it."""
    scenario.native = True
    return scenario


def screen(width, height, scale=None):
    """Runs the decorated scenario on a screen of width x height pixels,
    with the program drawn at QT_SCALE_FACTOR=scale when one is given."""
    def mark(scenario):
        scenario.screen = (width, height)
        scenario.scale = scale
        return scenario
    return mark


class Session:
    def __init__(self, program, workdir, size=SCREEN, scale=None, native=False):
        self.program = program
        self.size = size
        self.scale = scale or 1
        # The program's title names it on the accessibility bus.
        self.title = subprocess.run([program, "--version"], capture_output=True, text=True,
                                    check=True).stdout.strip()
        self.workdir = workdir
        self.step_name = "start-up"
        self.procs = []
        self.desktop = self.keyboard = None
        try:
            self._start(program, workdir, size, scale, native)
        except BaseException:
            self.close()
            raise

    def _start(self, program, workdir, size, scale, native):
        # On a Wayland desktop the program picks its platform itself; on Xvfb
        # it is told to use X11.
        if native and not WAYLAND:
            self.fail("the scenario runs only on the Wayland desktop (VELTRUM_E2E_DESKTOP=wayland)")
        self.desktop = wayland.Desktop(size, self.fail, x11=not native) if WAYLAND else None
        display = self.desktop.display if WAYLAND else self._start_x()
        # A home of its own: the file choosers open there, and nothing a
        # scenario saves lands in the home of whoever runs the tests.
        self.env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=workdir)
        if WAYLAND:
            for name in ("QT_QPA_PLATFORM", "DISPLAY", "XAUTHORITY"):
                self.env.pop(name, None)
                os.environ.pop(name, None)
            self.env.update(self.desktop.env())
            os.environ.update(self.desktop.env())
            self.desktop.wait_ready(self.run)
        else:
            self.env["QT_QPA_PLATFORM"] = "xcb"
        if scale is not None:
            self.env["QT_SCALE_FACTOR"] = str(scale)
        if display:
            self.env["DISPLAY"] = os.environ["DISPLAY"] = display
        if not WAYLAND:
            self._spawn(["openbox", "--sm-disable"], quiet=True)
            time.sleep(0.5)
        if display:
            self.run(["setxkbmap", "us"])
        Atspi.set_timeout(ANSWER_WITHIN * 1000, 10000)
        # The accessibility bus and its registry are up before the program
        # starts, so that it finds them at once.
        Atspi.get_desktop(0).get_child_count()
        self.proc = self._spawn([program])
        self.app = self.wait_until(self._find_app, 30, "the program on the accessibility bus")
        if native:
            self.keyboard = self.desktop.keyboard()

    # ---- processes ----
    def _start_x(self):
        r, w = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(w), "-screen", "0",
                                 f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp"],
                                pass_fds=(w,), stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                raise Failure("Xvfb did not start")
            number += chunk
        os.close(r)
        self.procs.append(xvfb)
        return ":" + number.decode().strip()

    def _spawn(self, argv, quiet=False):
        p = subprocess.Popen(argv, env=getattr(self, "env", os.environ),
                             stdout=subprocess.DEVNULL if quiet else None,
                             stderr=subprocess.DEVNULL if quiet else None)
        self.procs.append(p)
        return p

    def run(self, argv, timeout=10, **kw):
        try:
            return subprocess.run(argv, env=self.env, check=True, capture_output=True, text=True, timeout=timeout,
                                  **kw)
        except subprocess.TimeoutExpired:
            self.fail(f"'{' '.join(argv)}' did not end within {timeout} s")
        except subprocess.CalledProcessError as e:
            self.fail(f"'{' '.join(argv)}' failed: {e.stderr.strip()}")

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(3)
                except subprocess.TimeoutExpired:
                    p.kill()
        if self.keyboard is not None:
            self.keyboard.close()
        if self.desktop is not None:
            self.desktop.close()

    # ---- steps and waiting ----
    def step(self, name):
        self.step_name = name
        return self

    def __enter__(self):
        signal.signal(signal.SIGALRM, _alarm)
        signal.alarm(60)
        return self

    def __exit__(self, *exc):
        signal.alarm(0)
        return False

    def fail(self, what):
        raise Failure(f"step '{self.step_name}': {what}")

    def wait_until(self, predicate, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            if self.proc.poll() is not None and what != "the program to end":
                self.fail(f"the program ended (status {self.proc.returncode}) while waiting for {what}")
            try:
                value = predicate()
            except gi.repository.GLib.Error as e:
                self.fail(f"the program did not answer the accessibility bus ({e.message}) while waiting for {what}")
            if value:
                return value
            if time.monotonic() > deadline:
                self.fail(f"no {what} within {timeout} s")
            time.sleep(0.05)

    # ---- the accessibility tree ----
    def _find_app(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == self.title:
                return app
        return None

    def windows(self):
        """The program's top-level windows that are showing."""
        result = []
        for i in range(self.app.get_child_count()):
            w = self.app.get_child_at_index(i)
            if w is not None and w.get_state_set().contains(Atspi.StateType.SHOWING):
                result.append(w)
        return result

    def window(self, title, timeout=CLOSE_WITHIN):
        return self.wait_until(lambda: next((w for w in self.windows() if w.get_name() == title), None),
                               timeout, f"window '{title}'")

    def active(self, title, timeout=CLOSE_WITHIN):
        """The window once it has the keyboard. The window manager hands a
        new window the focus a moment after mapping it; a person types when
        the window shows it is active."""
        window = self.window(title, timeout)
        self.wait_until(lambda: self._active(window), timeout, f"window '{title}' taking the keyboard")
        return window

    def gone(self, title, timeout=CLOSE_WITHIN):
        self.wait_until(lambda: all(w.get_name() != title for w in self.windows()), timeout,
                        f"closing of '{title}'")

    def box(self, timeout=CLOSE_WITHIN + 3):
        """The modal message box or dialog that is showing."""
        roles = (Atspi.Role.ALERT, Atspi.Role.DIALOG, Atspi.Role.FILE_CHOOSER)
        box = self.wait_until(lambda: next((w for w in self.windows() if w.get_role() in roles), None),
                              timeout, "message box")
        # A person answers a box once it has the keyboard: the window manager
        # hands it over a moment after the box is mapped.
        self.wait_until(lambda: self._active(box), CLOSE_WITHIN, "the box taking the keyboard")
        return box

    def closed(self, node, what, timeout=CLOSE_WITHIN):
        """Waits for one window or box to close (another may follow it)."""
        def gone():
            states = node.get_state_set()
            return states.contains(Atspi.StateType.DEFUNCT) or not states.contains(Atspi.StateType.SHOWING)
        try:
            self.wait_until(gone, timeout, f"closing of {what}")
        except Failure:
            raise
        except Exception:
            pass  # the object is gone from the bus

    def keyboard_back(self, timeout=CLOSE_WITHIN):
        """Waits for one of the program's windows to have the keyboard again
        after a box closed: the window manager hands it back a moment later."""
        self.wait_until(lambda: any(self._active(w) for w in self.windows()), timeout,
                        "the keyboard back in one of the program's windows")

    def no_box(self, timeout=CLOSE_WITHIN):
        roles = (Atspi.Role.ALERT, Atspi.Role.DIALOG, Atspi.Role.FILE_CHOOSER)
        self.wait_until(lambda: all(w.get_role() not in roles for w in self.windows()), timeout,
                        "closing of the box")

    def find(self, root, name=None, role=None, showing=True):
        stack = [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if (name is None or node.get_name() == name) and (role is None or node.get_role() == role):
                if not showing or node.get_state_set().contains(Atspi.StateType.SHOWING):
                    if node is not root:
                        return node
            for i in range(node.get_child_count() - 1, -1, -1):
                stack.append(node.get_child_at_index(i))
        return None

    def find_all(self, root, name=None, role=None):
        found, stack = [], [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if node is not root and (name is None or node.get_name() == name) and (
                    role is None or node.get_role() == role) and node.get_state_set().contains(
                        Atspi.StateType.SHOWING):
                found.append(node)
            for i in range(node.get_child_count() - 1, -1, -1):
                stack.append(node.get_child_at_index(i))
        return found

    def get(self, root, name=None, role=None):
        found = self.wait_until(lambda: self.find(root, name, role), CLOSE_WITHIN,
                                f"control '{name}' ({role.value_nick if role else 'any'})")
        return found

    def texts(self, root):
        """Every name and text in a subtree, for reading a box."""
        out, stack = [], [root]
        while stack:
            node = stack.pop()
            if node.get_name():
                out.append(node.get_name())
            text = node.get_text_iface() if hasattr(node, "get_text_iface") else None
            if text is not None:
                out.append(Atspi.Text.get_text(node, 0, -1))
            for i in range(node.get_child_count()):
                stack.append(node.get_child_at_index(i))
        return out

    def text(self, node):
        return Atspi.Text.get_text(node, 0, -1)

    def enabled(self, node):
        return node.get_state_set().contains(Atspi.StateType.ENABLED)

    def value(self, node):
        return Atspi.Value.get_current_value(node)

    def centre(self, node):
        """The middle of a control in screen pixels: the bus gives the
        program's own coordinates, which a scale factor multiplies."""
        r = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
        return round((r.x + r.width / 2) * self.scale), round((r.y + r.height / 2) * self.scale)

    # ---- real X input ----
    def settled_centre(self, node):
        """The middle of a control once its window stopped moving: the window
        manager places a new box after it is mapped, and a click aimed
        before that lands beside the box on a busy machine."""
        last, deadline = self.centre(node), time.monotonic() + CLOSE_WITHIN
        while time.monotonic() < deadline:
            time.sleep(0.1)
            now = self.centre(node)
            if now == last:
                return now
            last = now
        return last

    def click(self, node, button=1, dx=0, dy=0):
        x, y = self.settled_centre(node)
        # (--sync would wait for good when the pointer is already there)
        self.run(["xdotool", "mousemove", str(x + dx), str(y + dy), "sleep", "0.1", "click", str(button)])

    def key(self, *keys):
        if self.keyboard:
            self.keyboard.key(*keys)
        else:
            self.run(["xdotool", "key", "--delay", "60", *keys])

    def type(self, text, delay=40):
        if self.keyboard:
            self.keyboard.type(text, delay / 1000)
        else:
            self.run(["xdotool", "type", "--delay", str(delay), "--", text])

    def focus_window(self, title):
        window = self.window(title)
        # The window manager answers an activation in its own time: a request
        # for the window that has the keyboard already could still be on its
        # way, and raise the window over the next one the program opens.
        if self._active(window):
            return
        # wmctrl reads every window's title: one that closes meanwhile
        # fails the call, which is then made again.
        for attempt in range(5):
            result = subprocess.run(["wmctrl", "-F", "-a", title], env=self.env, capture_output=True, timeout=10)
            if result.returncode == 0:
                break
            time.sleep(0.2)
        else:
            self.fail(f"the window manager could not activate '{title}'")
        # The window shows it is active once the window manager handed it the
        # keyboard; an open popup menu keeps the keyboard for itself.
        deadline = time.monotonic() + CLOSE_WITHIN
        while not self._active(window) and time.monotonic() < deadline:
            time.sleep(0.05)
        time.sleep(0.1)

    @staticmethod
    def _active(window):
        return window.get_state_set().contains(Atspi.StateType.ACTIVE)

    def clipboard(self):
        return self.run(["xclip", "-o", "-selection", "clipboard"]).stdout

    def set_clipboard(self, text):
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text, text=True, env=self.env, check=True)

    def geometry(self, title):
        """The geometry (x, y, width, height) of a window's client area in screen
        pixels, as the X server has it."""
        self.window(title)
        ids = self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"]).stdout.split()
        if not ids:
            self.fail(f"no X window named '{title}'")
        # xdotool adds the window's place in its frame to the place of the
        # window; xwininfo tells where the window itself is.
        info = self.run(["xwininfo", "-id", ids[-1]]).stdout
        g = {k.strip(): int(v) for k, v in (line.split(":", 1) for line in info.splitlines()
                                            if re.match(r"\s*(Absolute upper-left [XY]|Width|Height):", line))}
        return g["Absolute upper-left X"], g["Absolute upper-left Y"], g["Width"], g["Height"]

    def focused(self, root):
        """The control of root that has the keyboard focus, or None. A list
        line keeps its focused mark after the focus left the list, so a
        control counts before a line."""
        stack, lines = [root], []
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if node is not root and node.get_state_set().contains(Atspi.StateType.FOCUSED):
                if node.get_role() != Atspi.Role.LIST_ITEM:
                    return node
                lines.append(node)
            for i in range(node.get_child_count() - 1, -1, -1):
                stack.append(node.get_child_at_index(i))
        return lines[0] if lines else None

    def screenshot(self, path):
        if WAYLAND:
            self.desktop.screenshot(self.run, path, self.size)
        else:
            self.run(["import", "-window", "root", path])
