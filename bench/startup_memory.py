#!/usr/bin/env python3
"""Start-up time to a tray icon and idle memory: Tolvane beside a bare Qt tray program.

A report, not a gate: it always exits 0. Build first (ninja -C build), then
    python3 bench/startup_memory.py [--rounds 5] [--idle 10]
Each run gets a fresh Xvfb, tray host and home, so neither program inherits the
other's caches or its single-copy lock.
"""

import argparse
import json
import os
import select
import statistics
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "e2e"))

from desktop import Desktop  # noqa: E402

# Tolvane against the bare program: start-up within 5 %, memory within 10 %.
START_TARGET = 1.05
MEMORY_TARGET = 1.1
ICON_TIMEOUT = 20.0


def later_start_registry(desktop):
    """Settings as a previous start leaves them, so Tolvane shows no splash."""
    folder = os.path.join(desktop.env["XDG_CONFIG_HOME"], "tolvane")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "registry.json"), "w", encoding="utf-8") as f:
        json.dump({"HKEY_LOCAL_MACHINE": {
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion": {"TNFirst": "1"}}}, f)


def mappings_kib(pid):
    """{mapped file or [heap], [anon]…: (Rss, Pss)} in KiB of a live process; the program's
    own executable is called "(the program)", so that two programs compare."""
    exe = os.path.realpath(f"/proc/{pid}/exe")
    sizes = {}
    name = None
    with open(f"/proc/{pid}/smaps", encoding="utf-8", errors="replace") as f:
        for line in f:
            fields = line.split()
            if not fields[0].endswith(":"):
                name = fields[5] if len(fields) > 5 else "[anon]"
                name = "(the program)" if name == exe else name
                sizes.setdefault(name, [0, 0])
            elif fields[0] in ("Rss:", "Pss:"):
                sizes[name][0 if fields[0] == "Rss:" else 1] += int(fields[1])
    return sizes


def memory_kib(pid):
    """(VmRSS, Pss) in KiB of a live process."""
    def field(path, name):
        with open(path, encoding="ascii") as f:
            for line in f:
                if line.startswith(name + ":"):
                    return int(line.split()[1])
        raise RuntimeError(f"no {name} in {path}")
    return (field(f"/proc/{pid}/status", "VmRSS"),
            field(f"/proc/{pid}/smaps_rollup", "Pss"))


class RootEvents:
    """What the X server reports of the root window's children, line by line, as `xev` prints
    it. A tray icon is embedded by reparenting it from the root window into the tray's socket:
    that event marks the moment, with no listing polled while the program starts."""

    def __init__(self, desktop):
        self.process = desktop.spawn(["stdbuf", "-oL", "xev", "-root", "-event", "substructure",
                                      "-event", "property"], stdout=subprocess.PIPE)
        self.pending = b""
        # Only events after xev has chosen them are reported: wait until a property set on the
        # root window comes back.
        while True:
            desktop.run("xprop", "-root", "-f", "_TOLVANE_BENCH_READY", "8s", "-set",
                        "_TOLVANE_BENCH_READY", "1")
            if self.wait_for("_TOLVANE_BENCH_READY", timeout=0.1):
                break

    def wait_for(self, text, timeout):
        """Whether a line holding the text comes within the timeout; earlier lines are passed."""
        deadline = time.monotonic() + timeout
        while True:
            while b"\n" in self.pending:
                line, self.pending = self.pending.split(b"\n", 1)
                if text.encode() in line:
                    return True
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                return False
            chunk = os.read(self.process.stdout.fileno(), 65536)
            if not chunk:
                raise RuntimeError(f"xev ended (exit {self.process.poll()})")
            self.pending += chunk


def measure(binary, icon_name, idle):
    """One run on a fresh desktop: (start seconds, RSS KiB, PSS KiB, mappings_kib())."""
    desktop = Desktop(with_tray=True)
    try:
        later_start_registry(desktop)
        events = RootEvents(desktop)
        start = time.monotonic()
        process = desktop.spawn([binary])
        if not events.wait_for("ReparentNotify", timeout=ICON_TIMEOUT):
            raise RuntimeError(f"{binary}: no icon in the tray after {ICON_TIMEOUT:.0f} s"
                               f" (exit {process.poll()})")
        startup = time.monotonic() - start
        # Nothing but the program's icon leaves the root window on this bare desktop; make sure.
        if not desktop.tray_icons(name=icon_name):
            raise RuntimeError(f"{binary}: a window was reparented, but it is not its tray icon")
        time.sleep(idle)
        if process.poll() is not None:
            raise RuntimeError(f"{binary} exited with {process.returncode} while idle")
        rss, pss = memory_kib(process.pid)
        mappings = mappings_kib(process.pid)
        process.kill()
        process.wait()
        return startup, rss, pss, mappings
    finally:
        desktop.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tolvane", default=os.path.join(REPO, "build", "tolvane"))
    parser.add_argument("--minimal", default=os.path.join(REPO, "build", "bench", "minimal_tray"))
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--idle", type=float, default=10.0, help="seconds idle before reading memory")
    parser.add_argument("--mappings", action="store_true",
                        help="also show where Tolvane's memory differs, mapping by mapping")
    args = parser.parse_args()

    programs = {"Tolvane": (os.path.abspath(args.tolvane), "tolvane"),
                "minimal": (os.path.abspath(args.minimal), "minimaltray")}
    for binary, _ in programs.values():
        if not os.access(binary, os.X_OK):
            sys.exit(f"not built: {binary} (run ninja -C build)")

    load_before = os.getloadavg()
    results = {name: [] for name in programs}
    mapped = {name: [] for name in programs}
    for round_ in range(args.rounds):
        # Alternate who goes first, so warm file caches favour neither.
        order = list(programs) if round_ % 2 == 0 else list(reversed(programs))
        for name in order:
            startup, rss, pss, mappings = measure(*programs[name], args.idle)
            results[name].append((startup, rss, pss))
            mapped[name].append(mappings)
            print(f"round {round_ + 1}/{args.rounds} {name:8} start {startup * 1000:7.1f} ms"
                  f"  RSS {rss / 1024:6.1f} MiB  PSS {pss / 1024:6.1f} MiB", flush=True)

    def figures(name):
        runs = results[name]
        return {
            "start, median (ms)": statistics.median(r[0] for r in runs) * 1000,
            "start, min (ms)": min(r[0] for r in runs) * 1000,
            "RSS, median (MiB)": statistics.median(r[1] for r in runs) / 1024,
            "PSS, median (MiB)": statistics.median(r[2] for r in runs) / 1024,
        }

    ours, base = figures("Tolvane"), figures("minimal")
    print()
    print(f"{args.rounds} rounds, {args.idle:g} s idle; start is the time to the X server's"
          f" report that the icon went into the tray.")
    print()
    print(f"load average {' '.join(f'{x:.1f}' for x in load_before)} before,"
          f" {' '.join(f'{x:.1f}' for x in os.getloadavg())} after (1, 5, 15 minutes)")
    print()
    print("| Figure | Tolvane | minimal Qt tray | Tolvane/minimal | target |")
    print("|---|---:|---:|---:|:---:|")
    for figure in ours:
        ratio = ours[figure] / base[figure]
        target = START_TARGET if figure.startswith("start") else MEMORY_TARGET
        print(f"| {figure} | {ours[figure]:.1f} | {base[figure]:.1f} | {ratio:.2f} |"
              f" ≤ {target} {'met' if ratio <= target else 'missed'} |")
    if args.mappings:
        print_mappings(mapped)
    return 0


def print_mappings(mapped):
    """Medians per mapping, Tolvane against the bare program, the largest differences first."""
    def medians(runs):
        names = set().union(*runs)
        return {name: tuple(statistics.median(run.get(name, (0, 0))[i] for run in runs)
                            for i in (0, 1))
                for name in names}
    ours, base = medians(mapped["Tolvane"]), medians(mapped["minimal"])
    rows = []
    for name in set(ours) | set(base):
        a, b = ours.get(name, (0, 0)), base.get(name, (0, 0))
        rows.append((a[0] - b[0], a[1] - b[1], a[0], b[0], name))
    rows.sort(key=lambda row: -abs(row[0]) - abs(row[1]))
    print()
    print("| Mapping | RSS Tolvane (KiB) | RSS minimal (KiB) | RSS difference | PSS difference |")
    print("|---|---:|---:|---:|---:|")
    for rss_diff, pss_diff, rss_ours, rss_base, name in rows:
        if abs(rss_diff) >= 16 or abs(pss_diff) >= 16:
            print(f"| {name} | {rss_ours:.0f} | {rss_base:.0f} | {rss_diff:+.0f} | {pss_diff:+.0f} |")


if __name__ == "__main__":
    sys.exit(main())
