"""A test case with the real program on its own throw-away desktop."""

import json
import os
import unittest

from desktop import Desktop, wait_for

SCREENSHOTS = os.environ.get("TOLVANE_SCREENSHOTS")


class ProgramCase(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)

    def start(self):
        return self.desktop.start_program()

    def registry(self):
        path = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "tolvane", "registry.json")
        with open(path, encoding="utf-8") as f:
            return json.load(f)["HKEY_LOCAL_MACHINE"]

    def mark_started_before(self, splash):
        """The registry as a previous start with the given splash setting leaves it."""
        values = {"TNFirst": "1"}
        if splash:
            values["TNFlash"] = "1"
        folder = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "tolvane")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "registry.json"), "w", encoding="utf-8") as f:
            json.dump({"HKEY_LOCAL_MACHINE": {
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion": values}}, f)

    def wait_for_icon(self):
        """The icon's place once the tray has laid it out: the same in two looks in a row.

        On a busy machine the tray may move an icon it has just embedded."""
        last = None

        def settled():
            nonlocal last
            icons = self.desktop.tray_icons()
            current = icons[0] if icons else None
            stable = current is not None and current == last
            last = current
            return current if stable else None

        icon = wait_for(settled, timeout=15, interval=0.1)
        self.assertTrue(icon, "the tray icon did not appear")
        return icon

    def open_tray_menu(self):
        """Right-clicks the icon and waits for the menu; returns the icon's centre."""
        # Should the tray move the icon once more, the next try finds it in its new place.
        for _ in range(3):
            _, width, height, x, y = self.wait_for_icon()
            icon = (str(x + width // 2), str(y + height // 2))
            self.desktop.xdotool("mousemove", *icon)
            self.desktop.xdotool("click", "3")
            if wait_for(self.desktop.popup_menus, timeout=3):
                return icon
        self.fail("no tray menu")
