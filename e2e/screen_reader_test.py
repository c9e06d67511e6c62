"""What a screen reader finds in the real program over the AT-SPI bus: the calculator's display
and keys, and the task list. (The converter's status line is read in currency_test.py.)"""

import datetime
import os
import unittest

from desktop import wait_for
from program_case import ProgramCase

CALCULATOR = "מחשבון"
TASKS = "תזמון משימות"
TWIPS_PER_PIXEL = 15  # the desktop's 96 dots per inch
TRIGGERS = "שעות התזמון"
ACTIONS = "המשימות המתוזמנות"


class ScreenReaderTest(ProgramCase):
    def setUp(self):
        super().setUp()
        self.desktop.start_accessibility()
        self.mark_started_before(splash=False)

    def objects(self, title, rows_of=()):
        """The window's objects, once the screen reader finds it (the bus may take a moment to
        learn of the program)."""
        found = wait_for(lambda: self.desktop.accessible_objects(title, rows_of), timeout=20,
                         interval=0.3)
        self.assertTrue(found, f"no window \"{title}\" on the accessibility bus")
        return found

    def texts(self, title):
        """Name and text of every object of the window that shows a text."""
        return {item["name"]: item["text"] for item in self.objects(title) if "text" in item}

    def reads(self, title, expected):
        """Waits until the window's texts read as expected; what they read last."""
        last = {}

        def matches():
            nonlocal last
            last = self.texts(title)
            return all(last.get(name) == text for name, text in expected.items())

        wait_for(matches, timeout=10, interval=0.3)
        return {name: last.get(name) for name in expected}

    def open_window(self, downs, title):
        self.choose_from_tray_menu(downs)
        window = self.window_titled(title)
        self.desktop.xdotool("windowfocus", "--sync", window)
        return window

    def test_the_calculators_display_and_keys(self):
        self.start()
        self.open_window(4, CALCULATOR)  # after "דפדפן", "קיצורי דרך", "תזמון משימות"

        keys = [item["name"] for item in self.objects(CALCULATOR) if item["role"] == "push button"]
        self.assertEqual(sorted(keys), sorted(["7", "8", "9", "+", "נקה", "4", "5", "6", "-",
                                               "העתק", "1", "2", "3", "*", "הדבק", "0", ".",
                                               "=", "/", "יציאה"]))
        boxes = ("המספר הקודם", "הפעולה הממתינה לחישוב", "הפעולה שנבחרה", "תצוגה")
        self.assertEqual(self.texts(CALCULATOR), {name: "" for name in boxes})

        # Typed: the display and the chosen operator read what they show.
        self.desktop.xdotool("key", "1", "2", "KP_Add")
        self.assertEqual(self.reads(CALCULATOR, {"תצוגה": "12", "הפעולה שנבחרה": "+"}),
                         {"תצוגה": "12", "הפעולה שנבחרה": "+"})

        # Pressed through the screen reader, the keys compute as clicks do.
        for key in ("7", "="):
            self.assertTrue(self.desktop.accessible_press(CALCULATOR, key), f"no key {key}")
            if key == "7":
                expected = {"המספר הקודם": "12", "הפעולה הממתינה לחישוב": "+", "תצוגה": "7"}
                self.assertEqual(self.reads(CALCULATOR, expected), expected)
        expected = {"המספר הקודם": "", "הפעולה הממתינה לחישוב": "", "תצוגה": "19"}
        self.assertEqual(self.reads(CALCULATOR, expected), expected)

    def test_the_task_list_as_it_changes(self):
        later = datetime.datetime.now() + datetime.timedelta(hours=6)
        when = f"{later.hour}:{later.minute}"
        tasks = [("בשעה: " + when, "ניתוק מהאינטרנט", f"T|{when}|D|"),
                 ("בהתחברות לאינטרנט", "חיבור לאינטרנט", "C|C|")]
        with open(os.path.join(os.path.dirname(self.desktop.program), "Timing.Dat"), "wb") as f:
            f.write("".join(line + "\r\n" for task in tasks for line in task).encode("cp1255"))
        self.start()
        self.open_window(3, TASKS)  # after "דפדפן", "קיצורי דרך"

        def columns():
            lists = {item["name"]: item.get("rows")
                     for item in self.objects(TASKS, (TRIGGERS, ACTIONS))
                     if item["role"] == "list"}
            return lists.get(TRIGGERS), lists.get(ACTIONS)

        self.assertEqual(columns(), ([tasks[0][0], tasks[1][0]], [tasks[0][1], tasks[1][1]]))
        buttons = [item["name"] for item in self.objects(TASKS) if item["role"] == "push button"]
        self.assertEqual(buttons, ["הוספה", "עריכה", "מחיקה", "הרצה", "נקה רשימה",
                                   "סגור ללא שמירה", "סגור ושמור שינויים"])

        # The first task chosen with the mouse and deleted: the list reads without it.
        self.click_in(TASKS, ((4080 + 1695 // 2) // TWIPS_PER_PIXEL,
                              (360 + 2985 // 30) // TWIPS_PER_PIXEL))
        self.assertTrue(self.desktop.accessible_press(TASKS, "מחיקה"))
        self.assertEqual(wait_for(lambda: columns() == ([tasks[1][0]], [tasks[1][1]]) and
                                  columns(), timeout=10, interval=0.3),
                         ([tasks[1][0]], [tasks[1][1]]))


if __name__ == "__main__":
    unittest.main()
