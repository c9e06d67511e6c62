#!/usr/bin/env python3
"""The program's own site under load, beside nginx serving the same pages, and its first conversion.

A report, not a gate: it always exits 0. Needs Debian's wrk and nginx (apt-get install wrk nginx,
both in scripts/dev's test packages); build first (ninja -C build), then
    python3 bench/site_load.py [--duration 5] [--connections 1,8,64,256] [--rounds 1]

1. The first conversion, twice, each time on a freshly started Tolvane: with the daily-rates
   refresh off (its addresses set empty) and on (aimed at a stub on 127.0.0.1 that serves a
   newer ECB file and a newer market file). Each Tolvane runs on a fresh Xvfb with trayer, without
   TOLVANE_SITE_HOST, and its support item starts its own site; the desktop's opener is a no-op.
   Reported: the time from sending the form to the whole answer, and the memory before and after
   (and, with the refresh on, once both files have been taken and cached).
2. The load: wrk sends GET / and the currency window's form to Tolvane's site and to nginx serving
   the very bytes the site answered, for each number of connections, each connection kept for the
   next request as wrk asks. Tolvane runs with the refresh on, as it does by default, aimed at the
   stub: its first conversion takes both files, and every conversion of the load checks whether
   another refresh is due. nginx runs twice: with one worker, as the site has one thread ("nginx,
   one worker"), and as Debian sets it up, a worker per CPU ("nginx, default"). The servers take
   turns; with --rounds N each is run N times and the run with the median rate is reported. Every
   request wrk counts as failed is reported (the sum over the rounds).

Nothing leaves the machine, and nothing it starts outlives it: nginx runs in the foreground in a
session of its own, is told to die with this script, and is stopped with its workers at the end.
"""

import argparse
import contextlib
import ctypes
import datetime
import http.server
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
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
# What is loaded: a name, the method, the path and the form (None for a GET).
REQUESTS = (("GET /", "GET", "/", None), (f"POST {CONVERTER}", "POST", CONVERTER, FORM))
LOOPBACK_HEX = "0100007F"
MAX_DURATION = 120
MAX_CONNECTIONS = 1000
WRK_TIMEOUT_S = 2
SITE_TIMEOUT = 15.0
REFRESH_TIMEOUT = 20.0
NGINX_ALIKE = "nginx, one worker"
NGINX_DEFAULT = "nginx, default"
RATE_VARIABLES = ("TOLVANE_ECB_DAILY_URL", "TOLVANE_MARKET_RATES_URL",
                  "TOLVANE_MARKET_RATES_FALLBACK_URL")

# wrk runs done() once at the end; one line of numbers is easier to read back than its table.
WRK_DONE = """
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
ERROR_FIELDS = RESULT_FIELDS[3:8]

NGINX_CONF = """daemon off;
master_process on;
worker_processes {workers};
pid {folder}/nginx.pid;
error_log {folder}/error.log warn;
events {{ worker_connections {connections}; }}
http {{
    access_log off;
    client_body_temp_path {folder}/temp/body;
    proxy_temp_path {folder}/temp/proxy;
    fastcgi_temp_path {folder}/temp/fastcgi;
    uwsgi_temp_path {folder}/temp/uwsgi;
    scgi_temp_path {folder}/temp/scgi;
    keepalive_timeout {keepalive};
    default_type "text/html; charset=utf-8";
    server {{
        listen 127.0.0.1:{port} backlog=1024;
        root {folder}/www;
        index index.html;
        # A static page answers a POST with 405; this gives it as for a GET.
        location = {converter} {{ error_page 405 =200 $uri; }}
    }}
}}
"""


def wrk_script(method, form):
    """A wrk script sending one request again and again, and reporting as RESULT_FIELDS."""
    lines = [f'wrk.method = "{method}"']
    if form is not None:
        lines += [f'wrk.body = "{form}"',
                  'wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"']
    return "\n".join(lines) + "\n" + WRK_DONE


def connection_counts(text):
    counts = [int(part) for part in text.split(",")]
    if not counts or any(not 1 <= count <= MAX_CONNECTIONS for count in counts):
        raise argparse.ArgumentTypeError(f"each count must be from 1 to {MAX_CONNECTIONS}")
    return counts


def die_with_parent():
    """In a child: the kernel sends it SIGTERM should this script die first."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGTERM, 0, 0, 0)


def in_session(session):
    """The processes of the given session, read from /proc."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[3]) == session:
                found.append(int(entry))
    return found


def session_cpu_seconds(session):
    """User and system time of a session's processes (nginx's master and workers)."""
    ticks = 0
    for pid in in_session(session):
        with contextlib.suppress(OSError):
            with open(f"/proc/{pid}/stat", encoding="ascii", errors="replace") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            ticks += int(fields[11]) + int(fields[12])
    return ticks / os.sysconf("SC_CLK_TCK")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def accepts(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.5):
            return True
    except OSError:
        return False


class Nginx:
    """nginx serving the given pages (path -> bytes) on 127.0.0.1 while the block runs."""

    def __init__(self, pages, workers=1, keepalive=True):
        self.pages = pages
        self.workers = workers
        self.keepalive = keepalive
        self.folder = None
        self.process = None
        self.port = None

    def __enter__(self):
        binary = shutil.which("nginx", path=os.environ.get("PATH", "") + ":/usr/sbin:/sbin")
        if not binary:
            raise RuntimeError("nginx is not installed (apt-get install nginx)")
        self.folder = tempfile.mkdtemp(prefix="tolvane-nginx-")
        # Workers started by root run as nobody: they must be able to read the pages.
        os.chmod(self.folder, 0o755)
        for path, body in self.pages.items():
            target = os.path.join(self.folder, "www", path.lstrip("/") or "index.html")
            os.makedirs(os.path.dirname(target), mode=0o755, exist_ok=True)
            with open(target, "wb") as f:
                f.write(body)
        os.makedirs(os.path.join(self.folder, "temp"), mode=0o777)
        os.chmod(os.path.join(self.folder, "temp"), 0o777)
        self.port = free_port()
        conf = os.path.join(self.folder, "nginx.conf")
        with open(conf, "w", encoding="ascii") as f:
            f.write(NGINX_CONF.format(workers=self.workers, folder=self.folder, port=self.port,
                                      connections=MAX_CONNECTIONS + 64,
                                      keepalive=65 if self.keepalive else 0,
                                      converter=CONVERTER))
        self.process = subprocess.Popen(
            [binary, "-p", self.folder, "-c", conf, "-e", os.path.join(self.folder, "error.log")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
            preexec_fn=die_with_parent)
        if not wait_for(lambda: accepts(self.port) or self.process.poll() is not None,
                        timeout=10) or self.process.poll() is not None:
            self.__exit__(None, None, None)
            raise RuntimeError("nginx did not start")
        return self

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            # The master and its workers share the session: all of them go.
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        with contextlib.suppress(ProcessLookupError, PermissionError):
            os.killpg(self.process.pid, signal.SIGKILL)  # a worker left behind, if any
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
        return False


class RateStub:
    """Newer daily files of both sources, served on 127.0.0.1: the refresh taken in full."""

    def __init__(self):
        today = datetime.datetime.now(datetime.timezone.utc).date().isoformat()
        market = os.path.join(REPO, "site", "data", "market-rates.csv")
        with open(market, encoding="ascii") as f:
            rows = [line.strip().split(",") for line in f.readlines()[1:]]
        rates = ", ".join(f'"{code.lower()}": {rate}' for code, rate, _ in rows)
        self.files = {
            "/eur.json": f'{{"date": "{today}", "eur": {{{rates}}}}}'.encode("ascii"),
            "/eurofxref-daily.xml": (
                '<?xml version="1.0" encoding="UTF-8"?>\n<gesmes:Envelope xmlns:gesmes='
                '"http://www.gesmes.org/xml/2002-08-01" xmlns="http://www.ecb.int/vocabulary/'
                f'2002-08-01/eurofxref"><Cube><Cube time="{today}"><Cube currency="USD" '
                'rate="1.1767"/><Cube currency="GBP" rate="0.8728"/></Cube></Cube>'
                "</gesmes:Envelope>\n").encode("ascii"),
        }
        self.served = set()
        stub = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                body = stub.files.get(self.path)
                self.send_response(200 if body else 404)
                self.send_header("Content-Length", str(len(body or b"")))
                self.end_headers()
                self.wfile.write(body or b"")
                if body:
                    stub.served.add(self.path)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return f"http://127.0.0.1:{self.server.server_address[1]}{path}"

    def close(self):
        self.server.shutdown()
        self.server.server_close()
        self.thread.join()


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


def fetch(url, form=None):
    """The whole answer's body to a GET, or to a POST of the form."""
    request = urllib.request.Request(
        url, data=None if form is None else form.encode("ascii"),
        headers={} if form is None else {"Content-Type": "application/x-www-form-urlencoded"})
    with urllib.request.urlopen(request, timeout=10) as response:
        return response.read()


def result_line(page):
    match = re.search(r"<P><BIG>(.*?)</BIG>", page.decode("utf-8", "replace"), re.S)
    return match.group(1).strip() if match else f"(no result line in {len(page)} bytes)"


def start_tolvane(binary, rate_addresses):
    """Tolvane with its site started from the tray: (desktop, process, port, idle memory)."""
    desktop = Desktop(with_tray=True)
    try:
        del desktop.env["TOLVANE_SITE_HOST"]
        desktop.env.update(zip(RATE_VARIABLES, rate_addresses))
        no_op_opener(desktop)
        later_start_registry(desktop)
        shutil.copy2(binary, desktop.program)
        process = desktop.spawn([desktop.program])
        settled_icon(desktop)
        time.sleep(2)
        if listening_ports(process.pid):
            raise RuntimeError("the site runs before anything was asked of it")
        idle = memory_kib(process.pid)
        open_support_page(desktop)
        port = site_port(process.pid)
        time.sleep(1)
        return desktop, process, port, idle
    except BaseException:
        desktop.close()
        raise


def refresh_addresses(stub):
    """The daily files' addresses: the stub's, or none (the refresh off)."""
    return ("",) * 3 if stub is None else (
        stub.url("/eurofxref-daily.xml"), stub.url("/eur.json"), stub.url("/eur.json"))


def cached_both(desktop):
    """Whether Tolvane has taken and cached both daily files."""
    cache = os.path.join(desktop.home, ".cache", "tolvane")
    return all(os.path.exists(os.path.join(cache, name))
               for name in ("eurofxref-daily.xml", "currency-api-eur.json"))


def first_conversion(binary, stub):
    """The first conversion on a fresh Tolvane, with the refresh aimed at the stub or off."""
    desktop, process, port, idle = start_tolvane(binary, refresh_addresses(stub))
    try:
        figures = {"idle, before the site starts": idle,
                   "site up, support page served": memory_kib(process.pid)}
        started = time.perf_counter()
        page = fetch(f"http://127.0.0.1:{port}{CONVERTER}", FORM)
        seconds = time.perf_counter() - started
        time.sleep(1)
        figures["after the first conversion"] = memory_kib(process.pid)
        refreshed = None
        if stub is not None:
            refreshed = wait_for(lambda: cached_both(desktop), timeout=REFRESH_TIMEOUT)
            time.sleep(1)
            figures["both daily files taken and cached"] = memory_kib(process.pid)
            refreshed_line = result_line(fetch(f"http://127.0.0.1:{port}{CONVERTER}", FORM))
        return {"seconds": seconds, "line": result_line(page), "memory": figures,
                "refreshed": refreshed, "refreshed_line": refreshed_line if stub else None}
    finally:
        desktop.close()


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


def load(binary, stub, connection_counts_, duration, rounds):
    """Every request at every count against Tolvane and both nginx: rows of figures, each the
    run with the median rate of its rounds (the servers take turns in every round). Tolvane
    runs as it does by default, with the daily refresh on: its first conversion takes the
    stub's files, and every later one checks whether another refresh is due."""
    desktop, process, port, _ = start_tolvane(binary, refresh_addresses(stub))
    rows = []
    try:
        site = f"http://127.0.0.1:{port}"
        fetch(site + CONVERTER, FORM)
        if not wait_for(lambda: cached_both(desktop), timeout=REFRESH_TIMEOUT):
            raise RuntimeError("the daily files were not taken before the load")
        pages = {"/": fetch(site + "/"), CONVERTER: fetch(site + CONVERTER, FORM)}
        with Nginx(pages) as alike, Nginx(pages, workers="auto") as default:
            servers = (("Tolvane", port, lambda: Snapshot(process.pid).cpu_seconds),
                       (NGINX_ALIKE, alike.port, lambda: session_cpu_seconds(alike.process.pid)),
                       (NGINX_DEFAULT, default.port,
                        lambda: session_cpu_seconds(default.process.pid)))
            for name, method, path, form in REQUESTS:
                for nginx in (alike, default):
                    if fetch(f"http://127.0.0.1:{nginx.port}{path}", form) != pages[path]:
                        raise RuntimeError(f"nginx does not answer {name} as the site does")
                script = os.path.join(desktop.home, f"{method.lower()}.lua")
                with open(script, "w", encoding="ascii") as f:
                    f.write(wrk_script(method, form))
                for connections in connection_counts_:
                    runs = {server: [] for server, *_ in servers}
                    for _ in range(rounds):
                        for server, server_port, cpu in servers:
                            before = cpu()
                            result = run_wrk(f"http://127.0.0.1:{server_port}{path}", script,
                                             connections, duration)
                            result["cpu_s"] = cpu() - before
                            result["load"] = os.getloadavg()[0]
                            if process.poll() is not None:
                                raise RuntimeError(f"Tolvane exited with {process.returncode}")
                            runs[server].append(result)
                    for server, results in runs.items():
                        rate = sorted(results, key=lambda r: r["requests"] / r["duration_us"])
                        median = rate[len(rate) // 2]
                        median["failed"] = sum(r[key] for r in results for key in ERROR_FIELDS)
                        rows.append((name, connections, server, median))
        after_load = memory_kib(process.pid)
        untouched = result_line(fetch(site + CONVERTER, FORM))
        return rows, pages, after_load, untouched
    finally:
        desktop.close()


def print_first(first_off, first_on, after_load):
    """The first conversion with the refresh off and on, side by side."""
    print("| First conversion | refresh off | refresh on |")
    print("|---|---:|---:|")
    print(f"| time to the whole answer (ms) | {first_off['seconds'] * 1000:.1f} |"
          f" {first_on['seconds'] * 1000:.1f} |")
    for when in first_on["memory"]:
        cells = []
        for first in (first_off, first_on):
            rss, pss = first["memory"].get(when, (None, None))
            cells.append("–" if rss is None else f"{rss / 1024:.1f} / {pss / 1024:.1f}")
        print(f"| RSS / PSS (MiB), {when} | {cells[0]} | {cells[1]} |")
    # The load runs with the refresh on.
    print(f"| RSS / PSS (MiB), right after the load runs | | {after_load[0] / 1024:.1f} /"
          f" {after_load[1] / 1024:.1f} |")
    print(f"Answers: \"{first_off['line']}\" (off), \"{first_on['line']}\" (on);"
          f" daily files {'taken' if first_on['refreshed'] else 'NOT taken'}, then"
          f" \"{first_on['refreshed_line']}\".")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tolvane", default=os.path.join(REPO, "build", "tolvane"))
    parser.add_argument("--duration", type=int, default=5,
                        help=f"seconds of load per run (1 to {MAX_DURATION})")
    parser.add_argument("--connections", type=connection_counts, default=[1, 8, 64, 256],
                        help="comma-separated open connections, one run each")
    parser.add_argument("--rounds", type=int, default=1,
                        help="runs of each server at each count; the median run is reported")
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
    # A plain kill ends the script through its clean-up, nginx and Tolvane with it.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))

    try:
        first_off = first_conversion(binary, None)
        stub = RateStub()
        try:
            first_on = first_conversion(binary, stub)
            rows, pages, after_load, untouched = load(binary, stub, args.connections,
                                                      args.duration, max(1, args.rounds))
        finally:
            stub.close()
    except (RuntimeError, OSError, subprocess.TimeoutExpired) as error:
        print(f"no figures: {error}", file=sys.stderr)
        return 0

    print(f"{args.duration} s per run, {max(1, args.rounds)} round(s), {os.cpu_count()} CPUs;"
          f" load average during the runs"
          f" {statistics.mean(r['load'] for *_, r in rows):.2f}.")
    print(f"Answer: {result_line(pages[CONVERTER])}")
    if untouched != result_line(pages[CONVERTER]):
        print(f"Answer after the load differs: {untouched}")
    print()
    print("| request | connections | server | requests/s | p50 (ms) | p99 (ms) | max (ms)"
          " | failed | server CPU per request (µs) |")
    print("|---|---:|---|---:|---:|---:|---:|---:|---:|")
    for name, connections, server, r in rows:
        seconds = r["duration_us"] / 1e6
        failed = r["failed"]
        cpu = f"{r['cpu_s'] * 1e6 / max(r['requests'], 1):.0f}"
        print(f"| {name} | {connections} | {server} | {r['requests'] / seconds:,.0f} |"
              f" {r['p50_us'] / 1000:.2f} | {r['p99_us'] / 1000:.2f} | {r['max_us'] / 1000:.1f} |"
              f" {failed} | {cpu} |")
    for name, connections, server, r in rows:
        if r["failed"]:
            print(f"failed, {server} {name} at {connections} (median run): " +
                  ", ".join(f"{key} {r[key]}" for key in ERROR_FIELDS))
    print()
    print_first(first_off, first_on, after_load)
    return 0


if __name__ == "__main__":
    sys.exit(main())
