#!/usr/bin/env python3
"""Idle cost of the scheduler: CPU time and wake-ups of Tolvane beside a bare Qt tray program.

A report, not a gate: it always exits 0. Build first (ninja -C build), then
    python3 bench/idle_cost.py [--idle 120] [--settle 5]
Both programs idle at the same time, each on a fresh Xvfb with its own tray host and home, so
they live through the same stretch of machine load. Tolvane gets fifteen time tasks in
Timing.Dat, none of them due before the run is over, so its scheduler looks at all fifteen on
every five-second tick and never acts.
"""

import argparse
import datetime
import os
import shutil
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "e2e"))

from desktop import Desktop, wait_for  # noqa: E402
from startup_memory import ICON_TIMEOUT, later_start_registry  # noqa: E402

TASKS = 15
# Far enough ahead that no task's minute comes round during the longest run allowed.
TASKS_AHEAD = datetime.timedelta(hours=12)
MAX_IDLE = 3600.0
MAX_SETTLE = 60.0
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def idle_tasks(now):
    """Fifteen time tasks (trigger text, action text, task code) at minutes far from now."""
    tasks = []
    for i in range(TASKS):
        at = (now + TASKS_AHEAD + datetime.timedelta(minutes=i)).strftime("%H:%M")
        tasks.append((f"בשעה: {at}", "הפעל תוכנה: /bin/true", f"T|{at}|P|/bin/true|"))
    return tasks


def task_file_bytes(tasks):
    """Timing.Dat as the Windows program writes it: three lines a task, windows-1255, CR LF."""
    return "".join(line + "\r\n" for task in tasks for line in task).encode("cp1255")


class Snapshot:
    """What the kernel has counted for a process so far: its CPU time and each thread's
    context switches (voluntary + involuntary), with the thread's name."""

    def __init__(self, pid):
        self.taken = time.monotonic()
        with open(f"/proc/{pid}/stat", encoding="ascii") as f:
            # Fields after the command name, which may hold blanks: utime and stime are the
            # 14th and 15th of the whole line, the 12th and 13th after the name.
            fields = f.read().rsplit(")", 1)[1].split()
        self.cpu_seconds = (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
        self.threads = {}
        self.run_ns = 0
        for tid in os.listdir(f"/proc/{pid}/task"):
            folder = f"/proc/{pid}/task/{tid}"
            try:
                with open(f"{folder}/comm", encoding="utf-8") as f:
                    name = f.read().strip()
                switches = 0
                with open(f"{folder}/status", encoding="ascii") as f:
                    for line in f:
                        if line.startswith(("voluntary_ctxt_switches:",
                                            "nonvoluntary_ctxt_switches:")):
                            switches += int(line.split()[1])
                # Nanoseconds on a CPU: the finer figure beside the stat file's clock ticks.
                with open(f"{folder}/schedstat", encoding="ascii") as f:
                    self.run_ns += int(f.read().split()[0])
            except FileNotFoundError:
                continue  # the thread ended while we looked
            self.threads[tid] = (name, switches)


class Idler:
    """One program idling on its own fresh desktop."""

    def __init__(self, label, binary, icon_name, tasks):
        self.label = label
        self.icon_name = icon_name
        self.desktop = Desktop(with_tray=True)
        try:
            later_start_registry(self.desktop)
            # Run from the desktop's app folder, where Tolvane looks for its Timing.Dat.
            app_folder = os.path.dirname(self.desktop.program)
            program = os.path.join(app_folder, os.path.basename(binary))
            shutil.copy2(binary, program)
            self.task_file = os.path.join(app_folder, "Timing.Dat")
            self.tasks = task_file_bytes(tasks) if tasks else None
            if self.tasks:
                with open(self.task_file, "wb") as f:
                    f.write(self.tasks)
            self.process = self.desktop.spawn([program])
        except BaseException:
            self.desktop.close()
            raise

    def wait_for_icon(self):
        if not wait_for(lambda: self.desktop.tray_icons(name=self.icon_name) or self.exited(),
                        timeout=ICON_TIMEOUT, interval=0.1):
            raise RuntimeError(f"{self.label}: no icon in the tray after {ICON_TIMEOUT:.0f} s")
        self.check_alive("before its icon")

    def exited(self):
        return self.process.poll() is not None

    def check_alive(self, when):
        if self.exited():
            raise RuntimeError(f"{self.label} exited with {self.process.returncode} {when}")

    def snapshot(self):
        self.check_alive("while idle")
        return Snapshot(self.process.pid)

    def tasks_untouched(self):
        with open(self.task_file, "rb") as f:
            return f.read() == self.tasks

    def close(self):
        self.desktop.close()


class IdleFigures:
    """One program's idle stretch between two snapshots, per minute."""

    def __init__(self, label, before, after):
        self.label = label
        minutes = (after.taken - before.taken) / 60
        self.cpu_stat_ms = (after.cpu_seconds - before.cpu_seconds) * 1000 / minutes
        self.cpu_sched_ms = (after.run_ns - before.run_ns) / 1e6 / minutes
        # Only threads alive at both looks: a thread's counts go with it when it ends.
        self.thread_wakeups = {
            (name, tid): (switches - before.threads[tid][1]) / minutes
            for tid, (name, switches) in after.threads.items() if tid in before.threads}
        self.wakeups = sum(self.thread_wakeups.values())
        self.threads = len(after.threads)
        self.threads_started = len(set(after.threads) - set(before.threads))
        self.threads_ended = len(set(before.threads) - set(after.threads))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tolvane", default=os.path.join(REPO, "build", "tolvane"))
    parser.add_argument("--minimal", default=os.path.join(REPO, "build", "bench", "minimal_tray"))
    parser.add_argument("--idle", type=float, default=120.0,
                        help=f"seconds measured idle (at most {MAX_IDLE:.0f})")
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds after the icon before measuring")
    args = parser.parse_args()
    if not 0 < args.idle <= MAX_IDLE:
        parser.error(f"--idle must be more than 0 and at most {MAX_IDLE:.0f}")

    if not 0 <= args.settle <= MAX_SETTLE:
        parser.error(f"--settle must be from 0 to {MAX_SETTLE:.0f}")

    tasks = idle_tasks(datetime.datetime.now())
    programs = [("Tolvane", os.path.abspath(args.tolvane), "tolvane", tasks),
                ("minimal", os.path.abspath(args.minimal), "minimaltray", None)]
    for _, binary, _, _ in programs:
        if not os.access(binary, os.X_OK):
            print(f"not built: {binary} (run ninja -C build); no figures", file=sys.stderr)
            return 0

    idlers = []
    try:
        for program in programs:
            idlers.append(Idler(*program))
        for idler in idlers:
            idler.wait_for_icon()
        time.sleep(args.settle)
        load_before = os.getloadavg()
        before = [idler.snapshot() for idler in idlers]
        print(f"idling {args.idle:g} s ...", flush=True)
        time.sleep(args.idle)
        after = [idler.snapshot() for idler in idlers]
        load_after = os.getloadavg()
        results = [IdleFigures(idler.label, b, a) for idler, b, a in zip(idlers, before, after)]
        untouched = idlers[0].tasks_untouched()
    except RuntimeError as error:
        print(f"no figures: {error}", file=sys.stderr)
        return 0
    finally:
        for idler in idlers:
            idler.close()

    ours, base = results
    print()
    print(f"{args.idle:g} s idle after {args.settle:g} s settling, both programs at once;"
          f" load average {load_before[0]:.2f} before, {load_after[0]:.2f} after;"
          f" {os.cpu_count()} CPUs.")
    print(f"Tolvane's {TASKS} tasks: Timing.Dat " +
          ("unchanged at the end: no task ran." if untouched else
           "CHANGED: a task ran or the list was rewritten, and the figures include it."))
    print()
    print("| Figure | Tolvane | minimal Qt tray | Tolvane - minimal |")
    print("|---|---:|---:|---:|")
    for figure, attribute in (("CPU time, stat utime+stime (ms/min)", "cpu_stat_ms"),
                              ("CPU time, schedstat (ms/min)", "cpu_sched_ms"),
                              ("wake-ups, all threads (/min)", "wakeups"),
                              ("threads", "threads")):
        value, other = getattr(ours, attribute), getattr(base, attribute)
        print(f"| {figure} | {value:.1f} | {other:.1f} | {value - other:+.1f} |")
    for result in results:
        print()
        print(f"{result.label} wake-ups per minute by thread ({result.threads_started} threads"
              f" started, {result.threads_ended} ended while idle, not counted):")
        for (name, tid), rate in sorted(result.thread_wakeups.items(), key=lambda kv: -kv[1]):
            print(f"  {name:16} {tid:>8} {rate:8.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
