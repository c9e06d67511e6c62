"""The real program with its list files on a full disk: saving the shortcut list and the task
list fails, the user is told, and both files stay as they were.

The program runs in a mount namespace of its own, in which its folder is read-only (so that it
keeps the lists in $XDG_DATA_HOME/tolvane/) and that folder is a small tmpfs, filled. It needs
root or user namespaces; without either the test is skipped."""

import os
import shutil
import unittest

from desktop import BINARY, wait_for
from program_case import ProgramCase

SHORTCUTS = [("דואר", "/usr/bin/true"), ("יומן עבודה", "/usr/bin/false")]
TASKS = [("בפעלת התוכנה", "פתח אתר : http://127.0.0.1:9", "S|W|http://127.0.0.1:9|"),
         ("בתאריך: 29/02/01", "ניתוק מהאינטרנט", "D|29/02/01|D|")]

# Run in the namespace: the program's folder read-only, the data folder a full tmpfs holding
# the seeded lists, then the program.
START = r"""
set -e
mount --bind "$APP" "$APP"
mount -o remount,bind,ro "$APP"
mount -t tmpfs -o size=64k,mode=0700 tmpfs "$DATA"
cp "$SEED"/* "$DATA"/
dd if=/dev/zero of="$DATA/filler" bs=4096 2>/dev/null || true
dd if=/dev/zero of="$DATA/filler" bs=1 oflag=append conv=notrunc 2>/dev/null || true
exec "$APP/tolvane"
"""


def list_bytes(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1255")


class FullDiskTest(ProgramCase):
    def setUp(self):
        super().setUp()
        home = self.desktop.home
        self.seed = os.path.join(home, "seed")
        os.makedirs(self.seed)
        self.files = {
            "SC.Dat": list_bytes([line for record in SHORTCUTS for line in record]),
            "Timing.Dat": list_bytes([line for task in TASKS for line in task]),
        }
        for name, data in self.files.items():
            with open(os.path.join(self.seed, name), "wb") as f:
                f.write(data)
        self.data = os.path.join(self.desktop.env["XDG_DATA_HOME"], "tolvane")
        os.makedirs(self.data)
        self.mark_started_before(splash=False)
        self.desktop.start_accessibility()
        self.program = None
        self.mapped_user = False

    def start_on_full_disk(self):
        app = os.path.dirname(self.desktop.program)
        shutil.copy2(BINARY, self.desktop.program)
        self.desktop.env.update({"APP": app, "DATA": self.data, "SEED": self.seed})
        reasons = []
        namespaces = [["unshare", "--map-root-user", "--mount", "--propagation", "private"]]
        if os.geteuid() == 0:
            namespaces.insert(0, ["unshare", "--mount", "--propagation", "private"])
        for namespace in namespaces:
            log = os.path.join(self.desktop.home, "start.log")
            with open(log, "w") as output:
                process = self.desktop.spawn(namespace + ["sh", "-c", START], stderr=output)
            # Started when its own view of the data folder is full (or it ended, having failed).
            wait_for(lambda: process.poll() is not None or self.mounted(process), timeout=10)
            if process.poll() is None and self.mounted(process):
                self.program = process
                self.mapped_user = "--map-root-user" in namespace
                return
            process.kill()
            process.wait()
            with open(log) as f:
                reasons.append(f"{' '.join(namespace)}: {f.read().strip()}")
        self.skipTest("the full disk needs root or user namespaces to mount a tmpfs: "
                      + "; ".join(reasons))

    def inside(self, path, process=None):
        """The path as the program sees it, in its own mount namespace."""
        return f"/proc/{(process or self.program).pid}/root{path}"

    def mounted(self, process):
        try:
            return self.look("filler", process) is not None and self.free_bytes(process) == 0
        except OSError:
            return False

    def look(self, name, process=None):
        try:
            with open(self.inside(os.path.join(self.data, name), process), "rb") as f:
                return f.read()
        except OSError:
            return None

    def free_bytes(self, process=None):
        stat = os.statvfs(self.inside(self.data, process))
        return stat.f_bavail * stat.f_frsize

    def entries(self):
        return sorted(os.listdir(self.inside(self.data)))

    def assert_box_says(self, title, text):
        """The message box with that title says the text, as a screen reader reads it.

        In a user namespace the program runs as that namespace's root, whom the accessibility
        bus does not let in; there only the box's title is checked."""
        if self.mapped_user:
            return

        def labels():
            return [item["name"] for item in self.desktop.accessible_objects(title)
                    if item["role"] == "label"]
        self.assertTrue(wait_for(lambda: text in labels(), timeout=15, interval=0.5),
                        f"the box {title} does not say {text!r}: {labels()}")

    def close_box(self, title):
        self.desktop.xdotool("key", "Return")
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name=f"^{title}$"), timeout=5),
                        f"the box titled {title} did not close")

    def open_editor(self, keys, title):
        self.open_tray_menu()
        self.desktop.xdotool("key", *keys)
        editor = wait_for(lambda: self.desktop.visible(name=f"^{title}$"), timeout=10)
        self.assertTrue(editor, f"the window {title} did not open")
        return self.desktop.window_position(editor[0])

    def delete_first_row_and_save(self, left, top, first_column_left):
        self.click_twips(left, top, first_column_left, 360, 1455, 240)  # the first row
        self.click_twips(left, top, 120, 1080, 1215, 375)  # "מחיקה"
        self.click_twips(left, top, 120, 2880, 1215, 495)  # "סגור ושמור שינויים"

    def test_failed_saves_are_told_and_leave_both_lists_as_they_were(self):
        self.start_on_full_disk()
        self.wait_for_icon()
        self.assertEqual(self.free_bytes(), 0)

        # The shortcut editor: "קיצורי דרך", then its "ערוך רשימה".
        left, top = self.open_editor(["Down", "Down", "Return", "Return"], "קיצורי דרך")
        self.delete_first_row_and_save(left, top, 4320)
        self.assertTrue(wait_for(lambda: self.desktop.visible(name="^Error$"), timeout=10),
                        "no error box for the shortcut list")
        self.assert_box_says("Error", "There has been a error!")
        self.close_box("Error")
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^קיצורי דרך$"),
                                 timeout=10), "the editor did not close")
        self.assertEqual(self.look("SC.Dat"), self.files["SC.Dat"])

        # The task window: "תזמון משימות"; its failed save shows the path as well.
        left, top = self.open_editor(["Down", "Down", "Down", "Return"], "תזמון משימות")
        self.delete_first_row_and_save(left, top, 4080)
        self.assertTrue(wait_for(lambda: self.desktop.visible(name="^Error$"), timeout=10),
                        "no error box for the task list")
        self.assert_box_says("Error", "There has been a error!")
        self.close_box("Error")
        self.assertTrue(wait_for(lambda: self.desktop.visible(name="^Tolvane$"), timeout=10),
                        "no box with the task list's path")
        self.assert_box_says("Tolvane", os.path.join(self.data, "Timing.Dat"))
        self.close_box("Tolvane")
        self.assertEqual(self.look("Timing.Dat"), self.files["Timing.Dat"])

        # Nothing of either new version stays beside them.
        self.assertEqual(self.entries(), ["SC.Dat", "Timing.Dat", "filler"])



if __name__ == "__main__":
    unittest.main()
