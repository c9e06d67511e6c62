#!/usr/bin/env python3
"""The web windows' cost: opening the currency converter from the tray menu and converting, and
opening the browser until its home page has loaded, with the web windows' process cold and
warm, beside a bare QtWebEngine program loading one local page; and the memory of the whole
process tree with the converter open, with five browser slots loaded, and a minute after the
last window closed, beside the tray program alone.

A report, not a gate: it always exits 0. Build first (ninja -C build), then
    python3 bench/web_windows.py [--rounds 10]
Each round gets a fresh Xvfb, tray host, session bus and home.
"""

import argparse
import contextlib
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "e2e"))

from desktop import Desktop, wait_for  # noqa: E402
from startup_memory import later_start_registry  # noqa: E402

CONVERTER = "המרת מטבעות"
BROWSER = "דפדפן - חלון מ\"ס: 1."
BROWSER_ANY = "^דפדפן - חלון"
EXECUTE = ((5400 + 1095 // 2) // 15, (2280 + 495 // 2) // 15)  # "בצע", in pixels
WATCHER = os.path.join(REPO, "e2e", "accessible_texts.py")


def descendants(pid):
    """pid and every process below it."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    stat = f.read()
                parents[int(entry)] = int(stat[stat.rindex(")") + 2:].split()[1])
            except (OSError, ValueError, IndexError):
                pass
    tree, grown = {pid}, True
    while grown:
        grown = False
        for child, parent in parents.items():
            if parent in tree and child not in tree:
                tree.add(child)
                grown = True
    return tree


def tree_pss_mib(pid):
    total = 0
    for member in descendants(pid):
        try:
            with open(f"/proc/{member}/smaps_rollup") as f:
                total += next(int(line.split()[1]) for line in f if line.startswith("Pss:"))
        except (OSError, StopIteration):
            pass
    return total / 1024


class Round:
    """Tolvane with its own site on a fresh desktop with a screen-reader bus."""

    def __init__(self, binary):
        self.desktop = Desktop()
        del self.desktop.env["TOLVANE_SITE_HOST"]
        self.desktop.start_accessibility()
        later_start_registry(self.desktop)
        # Its own copy, so that the list files it keeps beside itself are this round's.
        self.desktop.program = os.path.join(self.desktop.home, "app", "tolvane")
        shutil.copy2(binary, self.desktop.program)
        self.tray = self.desktop.spawn([self.desktop.program])
        if not wait_for(self.desktop.tray_icons, timeout=20):
            raise RuntimeError("no tray icon")
        time.sleep(1)  # let the tray settle the icon's place

    def close(self):
        self.desktop.close()

    def converters(self):
        return self.desktop.visible(name=f"^{CONVERTER}$")

    def choose(self, downs):
        """Chooses the tray menu's item so many places down; the moment it was chosen."""
        _, width, height, x, y = self.desktop.tray_icons()[0]
        self.desktop.xdotool("mousemove", str(x + width // 2), str(y + height // 2))
        self.desktop.xdotool("click", "3")
        time.sleep(0.5)
        self.desktop.xdotool("key", *(["Down"] * downs))
        start = time.monotonic()
        self.desktop.xdotool("key", "Return")
        return start

    def open_converter(self):
        """Seconds from the menu choice to the window on screen."""
        start = self.choose(5)
        if not wait_for(self.converters, timeout=30, interval=0.005):
            raise RuntimeError("the converter did not open")
        return time.monotonic() - start

    @contextlib.contextmanager
    def watching(self, title, pattern):
        """A screen-reader watcher of the window, ready to see a label match the pattern: its
        wait() is True once one does."""
        watcher = subprocess.Popen(["/usr/bin/python3", WATCHER, title, pattern, "30"],
                                   env=self.desktop.env, stdout=subprocess.PIPE, text=True)
        try:
            if watcher.stdout.readline().strip() != "ready":
                raise RuntimeError("the screen-reader watcher did not start")
            yield lambda: bool(watcher.stdout.readline())
        finally:
            watcher.kill()
            watcher.wait()
            watcher.stdout.close()

    def open_browser(self):
        """Seconds from the menu choice to the home page loaded in the first slot."""
        with self.watching(BROWSER, r"^הדף נטען\.$") as seen:
            start = self.choose(1)
            if not seen():
                raise RuntimeError("the browser's home page did not load")
            return time.monotonic() - start

    def fill_slots(self):
        """Loads the program's home page into the four other slots, one after the other."""
        left, top = self.desktop.window_position(self.desktop.visible(name=BROWSER_ANY)[-1])
        for slot in range(1, 5):
            self.desktop.click_at(left + (960 * slot + 487) // 15, top + (3390 + 127) // 15)
            with self.watching(f"דפדפן - חלון מ''ס: {slot + 1}.", r"^הדף נטען\.$") as seen:
                self.desktop.xdotool("type", self.site)
                self.desktop.xdotool("key", "Return")
                if not seen():
                    raise RuntimeError(f"slot {slot + 1} did not load")

    def address(self, title):
        for item in self.desktop.accessible_objects(title):
            if item["role"] == "text":
                return item.get("text", "")
        raise RuntimeError("no address box")

    def close_browser(self):
        self.desktop.close_window(self.desktop.visible(name=BROWSER_ANY)[-1])
        wait_for(lambda: not self.desktop.visible(name=BROWSER_ANY), timeout=10)

    def convert(self):
        """Seconds from pressing "בצע" to the result in the status line."""
        with self.watching(CONVERTER, r"^1 USD = ") as seen:
            left, top = self.desktop.window_position(self.converters()[-1])
            start = time.monotonic()
            self.desktop.click_at(left + EXECUTE[0], top + EXECUTE[1])
            if not seen():
                raise RuntimeError("no result in the status line")
            return time.monotonic() - start

    def close_converter(self):
        self.desktop.xdotool("windowfocus", "--sync", self.converters()[-1])
        self.desktop.xdotool("key", "Escape")
        wait_for(lambda: not self.converters(), timeout=10)


def minimal_webengine(binary, rounds):
    """Milliseconds a bare web view takes from its start to one local page loaded."""
    page = tempfile.NamedTemporaryFile("w", suffix=".html", delete=False)
    page.write("<html><body><p>1</p></body></html>")
    page.close()
    times = []
    try:
        for _ in range(rounds):
            desktop = Desktop(with_tray=False)
            try:
                out = subprocess.run([binary, page.name], env=desktop.env, capture_output=True,
                                     text=True, timeout=60).stdout.split()
                if out[:1] == ["loaded"]:
                    times.append(int(out[1]) / 1000)
            finally:
                desktop.close()
    finally:
        os.unlink(page.name)
    return times


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tolvane", default=os.path.join(REPO, "build", "tolvane"))
    parser.add_argument("--minimal", default=os.path.join(REPO, "build", "bench",
                                                          "minimal_webengine"))
    parser.add_argument("--rounds", type=int, default=10)
    args = parser.parse_args()
    for binary in (args.tolvane, args.minimal):
        if not os.access(binary, os.X_OK):
            sys.exit(f"not built: {binary} (run ninja -C build)")

    names = ("converter open, cold", "converter open, warm", "convert, cold", "convert, warm",
             "browser home page, cold", "browser home page, warm", "tree PSS, converter open",
             "tree PSS, five slots loaded", "tray PSS alone")
    figures = {name: [] for name in names}
    last = None
    for round_ in range(args.rounds):
        fresh = Round(os.path.abspath(args.tolvane))
        try:
            figures["browser home page, cold"].append(fresh.open_browser())
        finally:
            fresh.close()
        run = Round(os.path.abspath(args.tolvane))
        try:
            figures["tray PSS alone"].append(tree_pss_mib(run.tray.pid))
            figures["converter open, cold"].append(run.open_converter())
            figures["convert, cold"].append(run.convert())
            figures["tree PSS, converter open"].append(tree_pss_mib(run.tray.pid))
            run.close_converter()
            figures["converter open, warm"].append(run.open_converter())
            figures["convert, warm"].append(run.convert())
            run.close_converter()
            figures["browser home page, warm"].append(run.open_browser())
            run.site = run.address(BROWSER)
            run.fill_slots()
            figures["tree PSS, five slots loaded"].append(tree_pss_mib(run.tray.pid))
            run.close_browser()
            print(f"round {round_ + 1}/{args.rounds}: " + ", ".join(
                f"{name} {values[-1]:.3f}" for name, values in figures.items()), flush=True)
            if round_ == args.rounds - 1:
                last = run
            else:
                run.close()
        except BaseException:
            run.close()
            raise
    # A minute after the last window closed, the web windows' process has ended.
    time.sleep(65)
    after = tree_pss_mib(last.tray.pid)
    processes = len(descendants(last.tray.pid))
    last.close()
    minimal = minimal_webengine(os.path.abspath(args.minimal), args.rounds)

    print()
    print(f"Medians of {args.rounds} rounds. Cold: the first web window of a fresh Tolvane, so "
          f"the web windows' process starts; warm: that process already runs.")
    print()
    print("| Figure | Tolvane |")
    print("|---|---:|")
    for name in names[:6]:
        print(f"| {name} (s) | {statistics.median(figures[name]):.3f} |")
    if minimal:
        print(f"| bare QtWebEngine program, start to one local page loaded (s) |"
              f" {statistics.median(minimal):.3f} |")
    for name in names[6:]:
        print(f"| {name} (MiB) | {statistics.median(figures[name]):.1f} |")
    print(f"| tree PSS a minute after the last web window closed (MiB) | {after:.1f}"
          f" ({processes} process{'es' if processes != 1 else ''}) |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
