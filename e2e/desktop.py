"""A throw-away X desktop for driving the real program: Xvfb, a tray host and xdotool."""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time


def wait_for(condition, timeout=10.0, interval=0.05):
    """Polls until condition() is truthy and returns its value; None on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


# Sends WM_DELETE_WINDOW to a window, through libX11 directly (no python-xlib on the machine).
CLOSE_WINDOW = r"""
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                         ctypes.c_void_p]
x.XFlush.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 10)]
display = x.XOpenDisplay(sys.argv[1].encode())
window = int(sys.argv[2])
event = ClientMessage(type=33, display=display, window=window, format=32,
                      message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XFlush(display)
x.XCloseDisplay(display)
"""

BINARY = os.environ.get("TOLVANE_BINARY",
                        os.path.join(os.path.dirname(__file__), "..", "build", "tolvane"))


class Desktop:
    """Xvfb on a free display, optionally trayer, and a private home for the program.

    The program runs from its own copy in that home, so that the list files it keeps beside
    its executable are this test's alone."""

    def __init__(self, with_tray=True):
        self.home = tempfile.mkdtemp(prefix="tolvane-e2e-")
        for sub in ("config", "data", "runtime", "app"):
            os.makedirs(os.path.join(self.home, sub), mode=0o700)
        self.program = os.path.join(self.home, "app", "tolvane")
        self.start_display()
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("DBUS_", "QT_", "XDG_", "WAYLAND_"))}
        self.env.update({
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_RUNTIME_DIR": os.path.join(self.home, "runtime"),
            "TOLVANE_SITE_HOST": "127.0.0.1:9",
            # The converter's daily rates: a closed loopback port, never the Internet.
            "TOLVANE_ECB_DAILY_URL": "http://127.0.0.1:9/eurofxref-daily.xml",
            "TOLVANE_MARKET_RATES_URL": "http://127.0.0.1:9/eur.json",
            "TOLVANE_MARKET_RATES_FALLBACK_URL": "http://127.0.0.1:9/eur.json",
            # No system bus, unless a test starts its own: no test may reach the machine's
            # NetworkManager or logind.
            "DBUS_SYSTEM_BUS_ADDRESS": "unix:path=" + os.path.join(self.home, "no-system-bus"),
        })
        self.processes = []
        self.tray = None
        if with_tray:
            try:
                try:
                    self.start_tray()
                except RuntimeError:
                    # Now and then, on a busy machine, a fresh X server cannot be reached by
                    # its first client; one more server settles it.
                    self.restart_display()
                    self.start_tray()
            except RuntimeError:
                self.close()
                raise

    def start_display(self):
        read_end, write_end = os.pipe()
        with open(os.path.join(self.home, "xvfb.log"), "w") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                 "-nolisten", "tcp"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            self.display = ":" + display.readline().strip()

    def stop_display(self):
        # Terminated, not killed, so that it removes its display lock; one that does not end
        # (a terminate that came too early in its start) is killed.
        self.xvfb.terminate()
        try:
            self.xvfb.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.xvfb.kill()
            self.xvfb.wait()

    def restart_display(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait()
        self.processes = []
        self.stop_display()
        self.start_display()
        self.env["DISPLAY"] = self.display

    def start_tray(self):
        log = os.path.join(self.home, "trayer.log")
        with open(log, "w") as output:
            self.tray = self.spawn(["trayer", "--edge", "bottom", "--align", "right",
                                    "--widthtype", "pixel", "--width", "200", "--height", "32"],
                                   stderr=output, stdout=output)
        if not wait_for(self.panel, timeout=10):
            with open(log) as f, open(os.path.join(self.home, "xvfb.log")) as server:
                raise RuntimeError(f"trayer did not come up (exit {self.tray.poll()}): {f.read()}"
                                   f"; Xvfb on {self.display} (exit {self.xvfb.poll()}): "
                                   f"{server.read()}")

    def start_accessibility(self):
        """A private session bus on which the program reports its windows to screen readers
        (AT-SPI), read with accessible_objects()."""
        daemon = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address"],
                            stdout=subprocess.PIPE, text=True)
        address = daemon.stdout.readline().strip()
        if not address:
            raise RuntimeError(f"the session bus did not start (exit {daemon.poll()})")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["NO_AT_BRIDGE"] = "0"

    def accessible_objects(self, title, rows_of=()):
        """Role and name of every object of the window with that title, as AT-SPI gives them,
        and the rows of the lists named in rows_of."""
        rows = [argument for name in rows_of for argument in ("--rows", name)]
        result = self.accessible_texts(title, *rows)
        return json.loads(result.stdout) if result.returncode == 0 and result.stdout else []

    def accessible_press(self, title, name):
        """Presses the button of that name in the window through AT-SPI; True once pressed."""
        return self.accessible_texts(title, "--press", name).stdout.strip() == "pressed"

    def accessible_texts(self, *argv):
        return subprocess.run(
            ["/usr/bin/python3", os.path.join(os.path.dirname(__file__), "accessible_texts.py"),
             *argv], env=self.env, capture_output=True, text=True, timeout=30)

    def spawn(self, argv, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=self.env, **kwargs)
        self.processes.append(process)
        return process

    def start_program(self):
        if not os.path.exists(self.program):
            shutil.copy2(BINARY, self.program)
        return self.spawn([self.program])

    def run(self, *argv):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True).stdout

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
            process.wait()
            if process.stdout:
                process.stdout.close()
        self.stop_display()
        shutil.rmtree(self.home, ignore_errors=True)

    # What the screen shows.

    def tree(self):
        return self.run("xwininfo", "-root", "-tree")

    def panel(self):
        return "\"panel\": (\"panel\" \"trayer\")" in self.tree()

    def tray_icons(self, name="tolvane"):
        """Icon windows embedded in the tray panel: grandchildren of trayer's panel."""
        icons, depth = [], None
        for line in self.tree().splitlines():
            indent = len(line) - len(line.lstrip())
            if "\"panel\": (\"panel\" \"trayer\")" in line:
                depth = indent
            elif depth is not None:
                if indent <= depth and line.strip():
                    depth = None
                elif f"\"{name}\": (" in line:
                    icons.append(self.geometry_of(line))
        return icons

    @staticmethod
    def geometry_of(line):
        """(id, width, height, absolute x, absolute y) of one xwininfo -tree line."""
        match = re.search(r"^\s*(0x[0-9a-f]+).*?(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)",
                          line)
        window, width, height, x, y = match.groups()
        return window, int(width), int(height), int(x), int(y)

    def visible(self, name=None, cls=None):
        """Ids of visible windows whose name (or class) matches the pattern."""
        args = ["xdotool", "search", "--onlyvisible"]
        args += ["--name", name] if name else ["--class", cls]
        return [w for w in self.run(*args).split()]

    def window_position(self, window):
        """(left, top) of a window on the screen, or None once the window is gone."""
        geometry = self.run("xdotool", "getwindowgeometry", window)
        match = re.search(r"Position: (-?\d+),(-?\d+)", geometry)
        return (int(match.group(1)), int(match.group(2))) if match else None

    def click_at(self, x, y):
        self.xdotool("mousemove", str(x), str(y))
        self.xdotool("click", "1")

    def window_size(self, window):
        out = self.run("xdotool", "getwindowgeometry", window)
        match = re.search(r"Geometry: (\d+)x(\d+)", out)
        return (int(match.group(1)), int(match.group(2))) if match else (0, 0)

    def popup_menus(self, min_height=100):
        """Visible top-level windows of the program that are tall enough to be its menus."""
        return [w for w in self.visible(cls="tolvane")
                if self.window_size(w)[1] >= min_height and
                self.run("xdotool", "getwindowname", w).strip() not in ("About", "Tolvane")]

    def close_window(self, window):
        """Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW):
        the program may refuse, unlike xdotool's windowclose, which destroys the window under
        the program's feet."""
        subprocess.run([sys.executable, "-c", CLOSE_WINDOW, self.display, str(int(window, 0))],
                       check=True)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def screenshot(self, path, crop=None):
        """The screen, or the part given as "WxH+X+Y", as an image file."""
        os.makedirs(os.path.dirname(path), exist_ok=True)
        argv = ["import", "-window", "root"] + (["-crop", crop] if crop else []) + [path]
        subprocess.run(argv, env=self.env, check=True)
