"""Kills the program's writers at random moments and on a full disk, and looks at what is left.

The writer is tolvane_save_loop, which saves SC.Dat, Timing.Dat or the registry store through
the program's own code, over and over, and says on its output where it is ("b N" as it begins
saving generation N, "d N" when that save is done, "f N" when it failed). After each SIGKILL the
file must be the generation before the one being saved or that one itself, byte for byte (the
registry store: the same values), never anything else, never missing; and once the writer has
saved again, no temporary file of an earlier save may be left.

    crash_saves.py --driver PATH [--kills N] [--full-disk-kills N] [--folder DIR] [--seed S]

runs N kills for each file (a thousand by default), once with the unnamed temporary files
(O_TMPFILE) that Qt writes new versions into where the file system has them and once without,
then the full disk: a small tmpfs, filled, in a mount namespace of its own (which needs root or
user namespaces). It prints the figures and fails on any fault.
"""

import argparse
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

KINDS = ("shortcuts", "tasks", "registry")
FILE_NAMES = {"shortcuts": "SC.Dat", "tasks": "Timing.Dat", "registry": "registry.json"}
VERSION_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"

# Exit status of the full-disk check when no tmpfs could be mounted.
CANNOT_MOUNT = 77


# What generation n of each file holds, written here independently of the writer.

def _list_bytes(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp1255") if lines else b""


def shortcuts_of(n):
    lines = []
    for i in range(1 + n % 15):
        lines.append(f"קיצור {n}-{i}")
        lines.append(f"/home/user/{'מסמכים/' * ((n + i) % 9)}file-{n}-{i}.txt")
    return _list_bytes(lines)


def tasks_of(n):
    lines = []
    for j in range(n % 16):
        at = f"{(n + j) % 24:02}:{j:02}"
        program = f"/usr/bin/{'תוכנה/' * ((n + j) % 5)}prog-{n}-{j}"
        lines += [f"בשעה: {at}", f"הפעל תוכנה: {program}", f"T|{at}|P|{program}|"]
    return _list_bytes(lines)


def registry_of(n):
    """The values after the writer's calls for generations 0 to n, one call each."""
    address_generation = n - n % 2
    values = {"TNDictionary": f"http://127.0.0.1:9/{'מילון/' * (address_generation % 7)}"
                              f"?word={{word}}&n={address_generation}"}
    if n % 4 in (1, 2):
        values["TNFlash"] = "1"
    # Saving under a key makes every key above it.
    return {"HKEY_LOCAL_MACHINE": {"SOFTWARE": {}, "SOFTWARE\\Microsoft": {},
                                   "SOFTWARE\\Microsoft\\Windows": {}, VERSION_KEY: values}}


def matches(kind, data, n):
    if n < 0:
        return False
    if kind == "registry":
        try:
            return json.loads(data.decode("utf-8")) == registry_of(n)
        except ValueError:
            return False
    return data == (shortcuts_of(n) if kind == "shortcuts" else tasks_of(n))


def read_markers(path):
    with open(path, encoding="ascii") as f:
        return [(line[0], int(line[2:])) for line in f.read().split("\n") if line]


class Figures:
    def __init__(self, kind):
        self.kind = kind
        self.kills = 0
        self.inside_save = 0        # the writer had begun a save and not returned from it
        self.old = 0                # the file held the generation before the one being saved
        self.new = 0                # the file held the generation being saved
        self.inside_old = 0
        self.inside_new = 0
        self.frozen = 0             # kills looked at first, with the writer stopped
        self.temporary_open = 0     # of those, the new version was open in a temporary file
        self.left_after_kill = 0    # kills after which a temporary file was in the folder
        self.saves_done = 0
        self.faults = []

    def as_dict(self):
        return dict(self.__dict__)


def stopped(pid):
    with open(f"/proc/{pid}/stat") as f:
        return f.read().rsplit(")", 1)[1].split()[0] == "T"


def open_in_folder(pid, folder, name):
    """Files in the folder that the writer holds open, other than the file itself."""
    found = []
    fd_dir = f"/proc/{pid}/fd"
    for fd in os.listdir(fd_dir):
        try:
            target = os.readlink(os.path.join(fd_dir, fd))
        except OSError:
            continue
        if os.path.dirname(target) == folder and os.path.basename(target) != name:
            found.append(os.path.basename(target))
    return found


def others_in(folder, name):
    return sorted(e for e in os.listdir(folder) if e != name)


def leftovers(folder, name):
    """The other files in the folder, each as one particular file: a later save may leave a
    new file under the same name."""
    found = set()
    for entry in others_in(folder, name):
        try:
            stat = os.lstat(os.path.join(folder, entry))
        except FileNotFoundError:
            continue
        found.add((entry, stat.st_ino, stat.st_mtime_ns))
    return found


def writer_environment(unnamed_files):
    """The writer's environment: with or without unnamed temporary files."""
    env = dict(os.environ)
    env.pop("TOLVANE_NO_UNNAMED_FILES", None)
    if not unnamed_files:
        env["TOLVANE_NO_UNNAMED_FILES"] = "1"
    return env


def run_writer(driver, kind, path, first, count, unnamed_files=True):
    """Runs the writer to the end; its markers."""
    with tempfile.TemporaryFile() as out:
        subprocess.run([driver, kind, path, str(first), str(count)], stdout=out,
                       stderr=subprocess.DEVNULL, check=True, timeout=60,
                       env=writer_environment(unnamed_files))
        out.seek(0)
        return [(line[0], int(line[2:])) for line in out.read().decode().split("\n") if line]


def kill_run(driver, kind, folder, current, kills, rng, max_delay=0.02, disk_full=False,
             unnamed_files=True):
    """kills times: start the writer at the generation after current (the file's), let it
    save for a random while, SIGKILL it, and judge the file. Every second kill first stops the
    writer and notes whether a temporary file is open. On a full disk the writer tries the same
    generation again and again, and none of its saves may succeed. Without unnamed files, every
    temporary file is named in the folder from its start."""
    name = FILE_NAMES[kind]
    path = os.path.join(folder, name)
    figures = Figures(kind)
    # Outside the folder, which may be on the full disk.
    handle, markers_path = tempfile.mkstemp(prefix="tolvane-markers-")
    os.close(handle)
    left_before = leftovers(folder, name)
    for k in range(kills):
        argv = [driver, kind, path, str(current + 1)] + (["-1", "0"] if disk_full else [])
        with open(markers_path, "wb") as out:
            writer = subprocess.Popen(argv, stdout=out, stderr=subprocess.DEVNULL,
                                      env=writer_environment(unnamed_files))
        # The kill lands at a random moment once the writer has begun saving.
        deadline = time.monotonic() + 10
        while os.path.getsize(markers_path) == 0:
            if writer.poll() is not None or time.monotonic() > deadline:
                writer.kill()
                writer.wait()
                raise RuntimeError(f"the writer did not start (exit {writer.poll()})")
            time.sleep(0.0005)
        time.sleep(rng.uniform(0, max_delay))
        if k % 2 == 1:
            os.kill(writer.pid, signal.SIGSTOP)
            while not stopped(writer.pid):
                time.sleep(0.0001)
            figures.frozen += 1
            if open_in_folder(writer.pid, folder, name) or \
                    leftovers(folder, name) - left_before:
                figures.temporary_open += 1
        os.kill(writer.pid, signal.SIGKILL)
        writer.wait()
        figures.kills += 1

        markers = read_markers(markers_path)
        what, begun = markers[-1]
        done = sum(1 for m in markers if m[0] == "d")
        failed = sum(1 for m in markers if m[0] == "f")
        figures.saves_done += done
        inside = what == "b"
        figures.inside_save += inside
        if disk_full and done:
            figures.faults.append(f"kill {k}: a save succeeded on a full disk")
        if not disk_full and failed:
            figures.faults.append(f"kill {k}: {failed} saves failed")

        try:
            with open(path, "rb") as f:
                data = f.read()
        except FileNotFoundError:
            figures.faults.append(f"kill {k}: the file is gone (saving {begun})")
            break
        if disk_full:
            candidates = [current]
        elif inside:
            candidates = [begun - 1, begun]
        else:
            candidates = [begun]
        found = next((n for n in candidates if matches(kind, data, n)), None)
        if found is None:
            figures.faults.append(
                f"kill {k}: torn or foreign file while saving {begun} ({len(data)} bytes,"
                f" expected generation {candidates})")
            break
        if found == begun:
            figures.new += 1
            figures.inside_new += inside
        else:
            figures.old += 1
            figures.inside_old += inside

        left = leftovers(folder, name)
        if left:
            figures.left_after_kill += 1
        # What an earlier kill left must be gone once a save has been tried since.
        stale = left & left_before if done or failed else set()
        if stale:
            figures.faults.append(f"kill {k}: temporary files outlive a save: {sorted(stale)}")
            break
        left_before = left
        current = found

    os.remove(markers_path)
    if not figures.faults:
        # One whole save afterwards (on a full disk, one more failed one): nothing but the
        # file may stay.
        run_writer(driver, kind, path, current + 1, 1, unnamed_files)
        left = others_in(folder, name)
        if left:
            figures.faults.append(f"temporary files stay after a whole save: {left}")
    return figures


# The full disk, on a tmpfs of its own in a private mount namespace.

def fill(folder):
    """Fills the file system the folder is on; the filler's path."""
    filler = os.path.join(folder, "filler")
    with open(filler, "wb", buffering=0) as f:
        for chunk in (65536, 4096, 512, 1):
            try:
                while True:
                    f.write(b"\0" * chunk)
            except OSError:
                pass
    return filler


def full_disk_inner(driver, folder, kills, seed):
    """Runs inside the mount namespace: a tmpfs at folder and, for each file, with and without
    unnamed files: the file saved, the disk filled, then saves that must fail and leave the
    file, kills, and a save once there is room again. Prints the figures as JSON."""
    os.makedirs(folder, exist_ok=True)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k,mode=0700", "tmpfs",
                              folder], capture_output=True, text=True)
    if mounted.returncode != 0:
        print(mounted.stderr.strip(), file=sys.stderr)
        return CANNOT_MOUNT
    rng = random.Random(seed)
    results = {}
    try:
        for unnamed in (True, False):
            for kind in KINDS:
                name = FILE_NAMES[kind]
                place = os.path.join(folder, f"{kind}-{unnamed}")
                os.makedirs(place)
                path = os.path.join(place, name)
                run_writer(driver, kind, path, 0, 3, unnamed)
                with open(path, "rb") as f:
                    before = f.read()
                filler = fill(folder)
                # Generations after 2 that change the file (a registry call that sets a value
                # it already holds writes the same values).
                tries = [3, 4, 5, 6] if kind != "registry" else [3, 4]
                told = []
                for n in tries:
                    told += run_writer(driver, kind, path, n, 1, unnamed)
                with open(path, "rb") as f:
                    kept = f.read() == before
                left = others_in(place, name)
                figures = kill_run(driver, kind, place, 2, kills, rng, disk_full=True,
                                   unnamed_files=unnamed)
                os.remove(filler)
                after = run_writer(driver, kind, path, 3, 1, unnamed)
                with open(path, "rb") as f:
                    saved_later = matches(kind, f.read(), 3)
                results[f"{FILE_NAMES[kind]}{'' if unnamed else ' (no unnamed files)'}"] = {
                    "failed_saves_reported": sum(1 for m in told if m[0] == "f"),
                    "saves_tried": len(tries),
                    "old_file_kept": kept,
                    "left_in_folder": left,
                    "kills": figures.as_dict(),
                    "saved_with_room_again": saved_later and after[-1][0] == "d",
                    "left_after_room_again": others_in(place, name),
                }
                shutil.rmtree(place)
    finally:
        subprocess.run(["umount", folder], check=False)
    print(json.dumps(results))
    return 0


def namespace_commands():
    """Ways to get a private mount namespace in which a tmpfs may be mounted."""
    commands = []
    if os.geteuid() == 0:
        commands.append(["unshare", "--mount", "--propagation", "private"])
    commands.append(["unshare", "--map-root-user", "--mount", "--propagation", "private"])
    return commands


def full_disk(driver, kills, seed):
    """The full-disk figures per file, or None and why no tmpfs could be had."""
    if not shutil.which("unshare"):
        return None, "unshare is not installed"
    reasons = []
    base = tempfile.mkdtemp(prefix="tolvane-full-disk-")
    try:
        for command in namespace_commands():
            inner = command + [sys.executable, os.path.abspath(__file__), "--inner-full-disk",
                               "--driver", driver, "--folder", os.path.join(base, "disk"),
                               "--kills", str(kills), "--seed", str(seed)]
            result = subprocess.run(inner, capture_output=True, text=True, timeout=600)
            if result.returncode == 0:
                return json.loads(result.stdout), None
            if result.returncode != CANNOT_MOUNT and "unshare:" not in result.stderr:
                raise RuntimeError(f"the full-disk check failed: {result.stderr[-2000:]}")
            reasons.append(f"{' '.join(command)}: {result.stderr.strip()}")
    finally:
        shutil.rmtree(base, ignore_errors=True)
    return None, ("no tmpfs could be mounted, which needs root or user namespaces ("
                  + "; ".join(reasons) + ")")


def full_disk_faults(results):
    faults = []
    for what, r in results.items():
        if r["failed_saves_reported"] != r["saves_tried"]:
            faults.append(f"{what}: {r['failed_saves_reported']} of {r['saves_tried']} failed"
                          " saves reported")
        if not r["old_file_kept"]:
            faults.append(f"{what}: the old file changed on a full disk")
        if r["left_in_folder"] or r["left_after_room_again"]:
            faults.append(f"{what}: files left: {r['left_in_folder'] + r['left_after_room_again']}")
        faults += [f"{what}: {f}" for f in r["kills"]["faults"]]
        if not r["saved_with_room_again"]:
            faults.append(f"{what}: no save once there was room again")
    return faults


def describe_full_disk(what, r):
    k = r["kills"]
    return (f"{what}: {r['failed_saves_reported']} of {r['saves_tried']} saves reported failed,"
            f" old file kept: {r['old_file_kept']}, files left: {r['left_in_folder']};"
            f" {k['kills']} kills, {k['inside_save']} inside a save, the old file there after"
            f" {k['old']}; saved once there was room: {r['saved_with_room_again']}")


def kill_saves(driver, kills, rng, folder=None, unnamed_files=True):
    """kills kills for each file, in a fresh folder under folder; the figures per file."""
    base = tempfile.mkdtemp(prefix="tolvane-kills-", dir=folder)
    figures = {}
    try:
        for kind in KINDS:
            place = os.path.join(base, kind)
            os.makedirs(place)
            run_writer(driver, kind, os.path.join(place, FILE_NAMES[kind]), 0, 1, unnamed_files)
            figures[FILE_NAMES[kind]] = kill_run(driver, kind, place, 0, kills, rng,
                                                 unnamed_files=unnamed_files)
    finally:
        shutil.rmtree(base, ignore_errors=True)
    return figures


def describe_kills(name, f):
    return (f"{name}: {f.kills} kills, {f.inside_save} inside a save (the file old"
            f" {f.inside_old}, already new {f.inside_new}); the file afterwards old {f.old},"
            f" new {f.new}, torn or lost {len(f.faults)}; of {f.frozen} looked at before the"
            f" kill, {f.temporary_open} with the new version in a temporary file; a temporary"
            f" file beside the file right after {f.left_after_kill} kills, gone at the next"
            f" save; {f.saves_done} saves completed between kills")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--driver", required=True)
    parser.add_argument("--kills", type=int, default=1000, help="kills per file and mode")
    parser.add_argument("--folder", help="where the files are saved (a temporary folder)")
    parser.add_argument("--seed", type=int, default=int(time.time()))
    parser.add_argument("--full-disk-kills", type=int, default=50)
    parser.add_argument("--inner-full-disk", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    driver = os.path.abspath(args.driver)
    if args.inner_full_disk:
        return full_disk_inner(driver, args.folder, args.kills, args.seed)

    rng = random.Random(args.seed)
    faults = []
    print(f"seed {args.seed}")
    for unnamed in (True, False):
        started = time.monotonic()
        print("with unnamed temporary files" if unnamed else
              "without unnamed temporary files (as on FAT, NFS, older overlay file systems)")
        for name, f in kill_saves(driver, args.kills, rng, args.folder, unnamed).items():
            print("  " + describe_kills(name, f))
            faults += [f"{name}: {x}" for x in f.faults]
        print(f"  {time.monotonic() - started:.1f} s")

    results, reason = full_disk(driver, args.full_disk_kills, args.seed)
    if results is None:
        print(f"full disk: skipped, {reason}")
    else:
        print("full disk (a 256 KiB tmpfs, filled)")
        for what, r in results.items():
            print("  " + describe_full_disk(what, r))
        faults += full_disk_faults(results)
    for fault in faults:
        print("FAULT", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
