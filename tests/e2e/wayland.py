"""A Wayland desktop for the scenarios: GNOME's compositor, mutter, headless
with one virtual monitor and its XWayland, run as an unprivileged user (a
compositor refuses root). The program starts as a person's desktop starts
it, with WAYLAND_DISPLAY, DISPLAY and XDG_SESSION_TYPE=wayland and no
platform named, so that it makes its own choice.

mutter places and focuses the XWayland windows as its X11 window manager
does on a GNOME desktop; the scenarios reach them over the same X input,
window-manager requests and accessibility bus as on Xvfb.

Without XWayland (x11=False) the program runs on Wayland itself, and the
keys come through the compositor: mutter's remote-desktop keyboard, the
one a remote-desktop client types with.
"""
import ctypes
import glob
import os
import pwd
import re
import select
import subprocess
import tempfile
import time

USER = "veltrum-e2e"


def ensure_user():
    """The unprivileged user the compositor runs as, made once (scenarios
    starting side by side take turns at the user database)."""
    subprocess.run(["flock", "/tmp/veltrum-e2e-user.lock", "sh", "-c",
                    f"id {USER} >/dev/null 2>&1 || useradd --system --no-create-home "
                    f"--shell /usr/sbin/nologin {USER}"], check=True)
    return pwd.getpwnam(USER).pw_uid


# Holds a remote-desktop session of mutter's and presses the keys it reads,
# one "KEYSYM 1|0" a line, answering each; runs as the compositor's user,
# on the compositor's own session bus.
KEYBOARD = """
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
def call(path, iface, method, args=None, reply=None):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop" + iface, method,
                         args, GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, 5000, None)
session = call("/org/gnome/Mutter/RemoteDesktop", "", "CreateSession", None, "(o)").unpack()[0]
call(session, ".Session", "Start")
print("ready", flush=True)
for line in sys.stdin:
    keysym, pressed = line.split()
    call(session, ".Session", "NotifyKeyboardKeysym", GLib.Variant("(ub)", (int(keysym), pressed == "1")))
    print("ok", flush=True)
"""

MODIFIERS = {"ctrl": "Control_L", "shift": "Shift_L", "alt": "Alt_L", "super": "Super_L"}
_xlib = ctypes.CDLL("libX11.so.6")
_xlib.XStringToKeysym.restype = ctypes.c_ulong
_xlib.XStringToKeysym.argtypes = [ctypes.c_char_p]


def keysym(name):
    value = _xlib.XStringToKeysym(MODIFIERS.get(name.lower(), name).encode())
    if not value:
        raise ValueError(f"no key named {name!r}")
    return value


class Keyboard:
    """Keys pressed through the compositor, named as xdotool names them."""

    def __init__(self, bus, fail):
        self.fail = fail
        self.proc = subprocess.Popen(["runuser", "-u", USER, "--", "env", f"DBUS_SESSION_BUS_ADDRESS={bus}",
                                      "/usr/bin/python3", "-c", KEYBOARD],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        if self.proc.stdout.readline().strip() != "ready":
            self.fail("mutter gave no remote-desktop keyboard")
        # A new keyboard's first key can be lost while the compositor takes
        # in its keymap: a harmless one goes first.
        self.key("shift")
        time.sleep(0.5)

    def _send(self, sym, pressed):
        self.proc.stdin.write(f"{sym} {int(pressed)}\n")
        self.proc.stdin.flush()
        if self.proc.stdout.readline().strip() != "ok":
            self.fail("the remote-desktop keyboard stopped")

    def key(self, *keys, delay=0.06):
        for combination in keys:
            syms = [keysym(part) for part in combination.split("+")]
            for sym in syms:
                self._send(sym, True)
            for sym in reversed(syms):
                self._send(sym, False)
            time.sleep(delay)

    def type(self, text, delay=0.04):
        for ch in text:
            # Latin-1 characters are their own keysyms.
            self._send(ord(ch), True)
            self._send(ord(ch), False)
            time.sleep(delay)

    def close(self):
        # The end of its input ends the helper and its session.
        self.proc.stdin.close()
        try:
            self.proc.wait(3)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def _info(run, window):
    """What xwininfo tells of one window, numbers as numbers."""
    info = {}
    for line in run(["xwininfo", "-id", window]).stdout.splitlines():
        key, _, value = line.strip().partition(": ")
        if value:
            info[key] = int(value) if re.fullmatch(r"-?\d+", value.strip()) else value.strip()
    return info


class Desktop:
    def __init__(self, size, fail, x11=True):
        self.fail = fail
        self.x11 = x11
        uid = ensure_user()
        # XWayland puts its socket here; the folder is root's and open to
        # all, as on any desktop, whoever made it first.
        os.makedirs("/tmp/.X11-unix", exist_ok=True)
        os.chown("/tmp/.X11-unix", 0, 0)
        os.chmod("/tmp/.X11-unix", 0o1777)
        self.runtime = tempfile.mkdtemp(prefix="veltrum-wayland.")
        os.chown(self.runtime, uid, -1)
        os.chmod(self.runtime, 0o700)
        env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": self.runtime, "XDG_RUNTIME_DIR": self.runtime,
               "GSETTINGS_BACKEND": "memory", "NO_AT_BRIDGE": "1"}
        bus_file = os.path.join(self.runtime, "bus")
        mutter = (f"echo $DBUS_SESSION_BUS_ADDRESS > {bus_file}; exec mutter --headless --wayland "
                  f"--virtual-monitor {size[0]}x{size[1]} --wayland-display=wayland-veltrum"
                  + ("" if x11 else " --no-x11"))
        self.proc = subprocess.Popen(["runuser", "-u", USER, "--", "dbus-run-session", "--", "sh", "-c", mutter],
                                     env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                     start_new_session=True)
        try:
            self.bus = self._wait_for(lambda: os.path.exists(bus_file) and open(bus_file).read().strip(),
                                      "its session bus")
            if not x11:
                self.display = None
                self._drain()
                self._wait_for(lambda: os.path.exists(os.path.join(self.runtime, "wayland-veltrum")),
                               "its Wayland socket")
                return
            self.display = self._x_display()
            self.auth = self._wait_for(
                lambda: next(iter(glob.glob(f"{self.runtime}/.mutter-Xwaylandauth.*")), None),
                "the XWayland authority file")
        except BaseException:
            self.close()
            raise

    def _wait_for(self, found, what, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = found()
            if value:
                return value
            if self.proc.poll() is not None:
                self.fail(f"mutter ended (status {self.proc.returncode}) before {what}")
            time.sleep(0.1)
        self.fail(f"no {what} from mutter within {timeout} s")

    def _x_display(self, timeout=30):
        """mutter names its XWayland display on its log."""
        deadline, log = time.monotonic() + timeout, b""
        while time.monotonic() < deadline:
            ready, _, _ = select.select([self.proc.stderr], [], [], 0.5)
            if ready:
                chunk = os.read(self.proc.stderr.fileno(), 4096)
                if not chunk:
                    break
                log += chunk
                m = re.search(rb"Using public X11 display (:\d+)", log)
                if m:
                    self._drain()
                    return m.group(1).decode()
        self.fail(f"mutter named no X11 display: {log.decode(errors='replace')[-2000:]}")

    def _drain(self):
        """The rest of the log is not read: it goes nowhere, and a full pipe
        never stops the compositor."""
        subprocess.Popen(["cat"], stdin=self.proc.stderr, stdout=subprocess.DEVNULL)

    def env(self):
        env = {"WAYLAND_DISPLAY": os.path.join(self.runtime, "wayland-veltrum"), "XDG_SESSION_TYPE": "wayland"}
        if self.x11:
            env.update(DISPLAY=self.display, XAUTHORITY=self.auth)
        return env

    def keyboard(self):
        return Keyboard(self.bus, self.fail)

    def wait_ready(self, run):
        """XWayland starts at the first client: waits until it answers."""
        if not self.x11:
            return
        deadline = time.monotonic() + 30
        while subprocess.run(["xdpyinfo"], env=dict(os.environ, **self.env()), capture_output=True).returncode:
            if time.monotonic() > deadline:
                self.fail("XWayland did not answer within 30 s")
            time.sleep(0.2)

    def screenshot(self, run, path, size):
        """The screen as the windows stand on it: XWayland has no root
        picture of its own, so each frame mutter drew, without its invisible
        resize border, is laid in its place on the desktop's background, the
        topmost last."""
        layers = []
        # xwininfo lists the frames bottom first.
        for frame in re.findall(r"^\s+(0x[0-9a-f]+) ", run(["xwininfo", "-root", "-children"]).stdout, re.M):
            frame_info = _info(run, frame)
            if frame_info.get("Map State") != "IsViewable" or frame_info["Width"] < 20:
                continue
            clients = re.findall(r"^\s+(0x[0-9a-f]+) ", run(["xwininfo", "-id", frame, "-children"]).stdout, re.M)
            if not clients:
                continue
            client = _info(run, clients[0])
            extents = re.findall(r"\d+", run(["xprop", "-id", clients[0], "_NET_FRAME_EXTENTS"]).stdout)
            left, right, top, bottom = (int(e) for e in extents[-4:]) if len(extents) >= 4 else (0, 0, 0, 0)
            x, y = client["Absolute upper-left X"] - left, client["Absolute upper-left Y"] - top
            w, h = client["Width"] + left + right, client["Height"] + top + bottom
            part = f"{path}.{frame}.png"
            crop = f"{w}x{h}+{x - frame_info['Absolute upper-left X']}+{y - frame_info['Absolute upper-left Y']}"
            if subprocess.run(["import", "-window", frame, "-crop", crop, "+repage", part],
                              env=dict(os.environ, **self.env()), capture_output=True).returncode == 0:
                layers.append((part, x, y))
        argv = ["convert", "-size", f"{size[0]}x{size[1]}", "xc:#3b4252"]
        for part, x, y in layers:
            argv += [part, "-geometry", f"+{x}+{y}", "-composite"]
        run(argv + [path])
        for part, _, _ in layers:
            os.remove(part)

    def close(self):
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, 15)
                self.proc.wait(3)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                try:
                    os.killpg(self.proc.pid, 9)
                except ProcessLookupError:
                    pass
        subprocess.run(["rm", "-rf", self.runtime])
