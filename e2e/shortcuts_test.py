"""The shortcut list in the real tray menu: the submenu shows SC.Dat, an item runs its target."""

import os
import unittest

from desktop import wait_for
from program_case import SCREENSHOTS, ProgramCase


class ShortcutsTest(ProgramCase):
    def write_script(self, name, marker):
        path = os.path.join(self.desktop.home, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(f'#!/bin/sh\necho ran > "{marker}"\n')
        os.chmod(path, 0o755)
        return path

    def write_shortcuts(self, records):
        """SC.Dat beside the program, as the Windows program writes it."""
        lines = [line for record in records for line in record]
        with open(os.path.join(os.path.dirname(self.desktop.program), "SC.Dat"), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode("cp1255"))

    def test_the_submenu_shows_the_hebrew_names_and_the_second_item_runs_its_target(self):
        first = os.path.join(self.desktop.home, "first-ran")
        second = os.path.join(self.desktop.home, "second-ran")
        self.write_shortcuts([
            ("דואר", self.write_script("mail.sh", first)),
            ("יומן עבודה", self.write_script("diary.sh", second)),
            ("אתר הבית", "http:\\\\127.0.0.1:9"),
        ])
        self.mark_started_before(splash=False)
        self.start()
        self.open_tray_menu()
        # "דפדפן", then "קיצורי דרך", whose submenu opens with "ערוך רשימה" active.
        self.desktop.xdotool("key", "Down", "Down", "Return")
        self.assertTrue(wait_for(lambda: len(self.desktop.popup_menus(min_height=60)) == 2, timeout=5),
                        "the shortcut submenu did not open")
        if SCREENSHOTS:
            self.desktop.screenshot(os.path.join(SCREENSHOTS, "shortcuts-menu.png"),
                                   crop="270x250+754+518")
        self.desktop.xdotool("key", "Down", "Down", "Return")
        self.assertTrue(wait_for(lambda: os.path.exists(second), timeout=10),
                        "the second shortcut's target did not run")
        self.assertFalse(os.path.exists(first))


if __name__ == "__main__":
    unittest.main()
