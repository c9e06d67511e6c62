#!/usr/bin/env python3
"""The program's own site under load: requests per second and latency of the converter, and memory.

A report, not a gate: it always exits 0. Needs Debian's wrk (apt-get install wrk); build first
(ninja -C build), then
    python3 bench/site_load.py [--duration 10] [--connections 1,8]
Tolvane runs on a fresh Xvfb with trayer, without TOLVANE_SITE_HOST, so its support item starts
its own site; the desktop's opener is a no-op. wrk then posts the converter form the currency
window sends to 127.0.0.1 for the given time, once per number of connections. Nothing leaves
the machine: the daily rates refresh that the first conversion starts is aimed at a closed
loopback port.
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time
import urllib.request

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "e2e"))

from desktop import Desktop, wait_for  # noqa: E402
from idle_cost import Snapshot  # noqa: E402
from site_test import listening_ports  # noqa: E402
from startup_memory import ICON_TIMEOUT, later_start_registry, memory_kib  # noqa: E402

CONVERTER = "/converter/classic"
# The fields of the currency window's request page, for 250 GBP in EUR.
FORM = "lang=en&user=roamguide&level=release&date_fmt=normal&value=250&exch=GBP&expr=EUR"
# Port 9 (discard) is closed here: the refresh fails at once and stays on the machine.
DAILY_RATES = "http://127.0.0.1:9/eurofxref-daily.xml"
LOOPBACK_HEX = "0100007F"
MAX_DURATION = 120
# The site serves 32 connections at once and refuses the rest.
MAX_CONNECTIONS = 32
WRK_TIMEOUT_S = 2
SITE_TIMEOUT = 15.0

# wrk runs done() once at the end; one line of numbers is easier to read back than its table.
WRK_SCRIPT = """wrk.method = "POST"
wrk.body = "{form}"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"

done = function(summary, latency, requests)
  local e = summary.errors
  io.write(string.format("RESULT %d %d %d %d %d %d %d %d %d %d %d\\n",
    summary.requests, summary.duration, summary.bytes,
    e.connect, e.read, e.write, e.status, e.timeout,
    latency:percentile(50), latency:percentile(99), latency.max))
end
"""
RESULT_FIELDS = ("requests", "duration_us", "bytes", "connect_errors", "read_errors",
                 "write_errors", "status_errors", "timeouts", "p50_us", "p99_us", "max_us")


def connection_counts(text):
    counts = [int(part) for part in text.split(",")]
    if not counts or any(not 1 <= count <= MAX_CONNECTIONS for count in counts):
        raise argparse.ArgumentTypeError(f"each count must be from 1 to {MAX_CONNECTIONS}")
    return counts


def no_op_opener(desktop):
    """An xdg-open first on the program's PATH that opens nothing."""
    bin_dir = os.path.join(desktop.home, "bin")
    os.makedirs(bin_dir)
    opener = os.path.join(bin_dir, "xdg-open")
    with open(opener, "w", encoding="utf-8") as f:
        f.write("#!/bin/sh\nexit 0\n")
    os.chmod(opener, 0o755)
    desktop.env["PATH"] = bin_dir + os.pathsep + desktop.env["PATH"]


def settled_icon(desktop):
    """The icon's place once two looks in a row agree: a busy tray may move a new icon."""
    last = None

    def settled():
        nonlocal last
        icons = desktop.tray_icons()
        current = icons[0] if icons else None
        stable = current is not None and current == last
        last = current
        return current if stable else None

    icon = wait_for(settled, timeout=ICON_TIMEOUT, interval=0.1)
    if not icon:
        raise RuntimeError("the tray icon did not appear")
    return icon


def open_support_page(desktop):
    """The tray menu's support item, which starts the site to serve the page."""
    for _ in range(3):
        _, width, height, x, y = settled_icon(desktop)
        desktop.xdotool("mousemove", str(x + width // 2), str(y + height // 2))
        desktop.xdotool("click", "3")
        if wait_for(desktop.popup_menus, timeout=3):
            desktop.xdotool("key", "Up", "Up", "Return")  # "תמיכה טכנית", above "יציאה"
            return
    raise RuntimeError("no tray menu")


def site_port(pid):
    ports = wait_for(lambda: listening_ports(pid), timeout=SITE_TIMEOUT)
    if not ports:
        raise RuntimeError("the support item did not start the site")
    (address, port), = ports
    if address.split(":")[0] != LOOPBACK_HEX:
        raise RuntimeError(f"the site listens on {address}, not on 127.0.0.1 only")
    return port


def conversion_line(url):
    """One request by hand: the converter must answer before it is worth loading."""
    request = urllib.request.Request(
        url, data=FORM.encode("ascii"),
        headers={"Content-Type": "application/x-www-form-urlencoded"})
    with urllib.request.urlopen(request, timeout=10) as response:
        page = response.read().decode("utf-8", "replace")
    match = re.search(r"<P><BIG>(.*?)</BIG>", page, re.S)
    return match.group(1).strip() if match else f"(no result line in {len(page)} bytes)"


def run_wrk(url, script, connections, duration):
    threads = min(2, connections)
    argv = ["wrk", f"-t{threads}", f"-c{connections}", f"-d{duration}s",
            f"--timeout={WRK_TIMEOUT_S}s", "-s", script, url]
    completed = subprocess.run(argv, capture_output=True, text=True,
                               timeout=duration + 30)
    match = re.search(r"^RESULT (.*)$", completed.stdout, re.M)
    if not match:
        raise RuntimeError(f"wrk gave no result (exit {completed.returncode}):"
                           f" {completed.stdout}{completed.stderr}")
    return dict(zip(RESULT_FIELDS, (int(value) for value in match.group(1).split())))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tolvane", default=os.path.join(REPO, "build", "tolvane"))
    parser.add_argument("--duration", type=int, default=10,
                        help=f"seconds of load per run (1 to {MAX_DURATION})")
    parser.add_argument("--connections", type=connection_counts, default=[1, 8],
                        help="comma-separated open connections, one run each")
    args = parser.parse_args()
    if not 1 <= args.duration <= MAX_DURATION:
        parser.error(f"--duration must be from 1 to {MAX_DURATION}")
    binary = os.path.abspath(args.tolvane)
    if not os.access(binary, os.X_OK):
        print(f"not built: {binary} (run ninja -C build); no figures", file=sys.stderr)
        return 0
    if not shutil.which("wrk"):
        print("wrk is not installed (apt-get install wrk); no figures", file=sys.stderr)
        return 0

    desktop = None
    try:
        desktop = Desktop(with_tray=True)
        del desktop.env["TOLVANE_SITE_HOST"]
        desktop.env["TOLVANE_ECB_DAILY_URL"] = DAILY_RATES
        no_op_opener(desktop)
        later_start_registry(desktop)
        shutil.copy2(binary, desktop.program)
        process = desktop.spawn([desktop.program])
        settled_icon(desktop)
        time.sleep(2)
        if listening_ports(process.pid):
            raise RuntimeError("the site runs before anything was asked of it")
        memory = {"idle, before the site starts": memory_kib(process.pid)}

        open_support_page(desktop)
        port = site_port(process.pid)
        url = f"http://127.0.0.1:{port}{CONVERTER}"
        time.sleep(1)
        memory["site up, support page served"] = memory_kib(process.pid)
        line = conversion_line(url)
        time.sleep(1)
        memory["site up, one conversion served"] = memory_kib(process.pid)

        script = os.path.join(desktop.home, "converter.lua")
        with open(script, "w", encoding="ascii") as f:
            f.write(WRK_SCRIPT.format(form=FORM))
        runs = []
        load = []
        for connections in args.connections:
            before = Snapshot(process.pid)
            result = run_wrk(url, script, connections, args.duration)
            after = Snapshot(process.pid)
            load.append(os.getloadavg()[0])
            if process.poll() is not None:
                raise RuntimeError(f"Tolvane exited with {process.returncode} under load")
            result["cpu_s"] = after.cpu_seconds - before.cpu_seconds
            runs.append((connections, result))
        memory["right after the load"] = memory_kib(process.pid)
        time.sleep(5)
        memory["5 s after the load"] = memory_kib(process.pid)
        untouched_line = conversion_line(url)
    except (RuntimeError, OSError, subprocess.TimeoutExpired) as error:
        print(f"no figures: {error}", file=sys.stderr)
        return 0
    finally:
        if desktop:
            desktop.close()

    print(f"Converter at {url}, {args.duration} s per run; load average during the runs"
          f" {statistics.mean(load):.2f}, {os.cpu_count()} CPUs.")
    print(f"Answer: {line}")
    if untouched_line != line:
        print(f"Answer after the load differs: {untouched_line}")
    print()
    print("| connections | requests/s | median latency (ms) | p99 latency (ms) | max (ms)"
          " | errors | Tolvane CPU per request (µs) |")
    print("|---:|---:|---:|---:|---:|---:|---:|")
    for connections, r in runs:
        seconds = r["duration_us"] / 1e6
        errors = sum(r[key] for key in RESULT_FIELDS[3:8])
        print(f"| {connections} | {r['requests'] / seconds:.0f} | {r['p50_us'] / 1000:.2f} |"
              f" {r['p99_us'] / 1000:.2f} | {r['max_us'] / 1000:.1f} | {errors} |"
              f" {r['cpu_s'] * 1e6 / max(r['requests'], 1):.0f} |")
    for connections, r in runs:
        if any(r[key] for key in RESULT_FIELDS[3:8]):
            print(f"errors with {connections} connections: " +
                  ", ".join(f"{key} {r[key]}" for key in RESULT_FIELDS[3:8]))
    print()
    print("| Tolvane's memory | RSS (MiB) | PSS (MiB) |")
    print("|---|---:|---:|")
    for when, (rss, pss) in memory.items():
        print(f"| {when} | {rss / 1024:.1f} | {pss / 1024:.1f} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
