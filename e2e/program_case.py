"""A test case with the real program on its own throw-away desktop."""

import json
import os
import re
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

    def choose_from_tray_menu(self, downs):
        """Opens the tray menu and chooses the item so many places down ("דפדפן" is one)."""
        self.open_tray_menu()
        self.desktop.xdotool("key", *(["Down"] * downs), "Return")

    def window_titled(self, title, timeout=30):
        """The window with that exact title, once it is on screen."""
        found = wait_for(lambda: self.desktop.visible(name=f"^{re.escape(title)}$"),
                         timeout=timeout)
        self.assertTrue(found, f"no window \"{title}\"")
        return found[-1]

    def position(self, title):
        """Where the window with that title stands now. A window with a web view may be made
        anew once it is up, so it is looked up afresh each time."""
        def where():
            return self.desktop.window_position(self.window_titled(title))
        found = wait_for(where, timeout=10)
        self.assertTrue(found, f"the window \"{title}\" keeps vanishing")
        return found

    def click_in(self, title, spot):
        left, top = self.position(title)
        self.desktop.click_at(left + spot[0], top + spot[1])

    def click_twips(self, window_left, window_top, left, top, width, height):
        """Clicks the middle of a control placed in twips (15 to a pixel on this screen)."""
        self.desktop.click_at(window_left + (left + width // 2) // 15,
                              window_top + (top + height // 2) // 15)

    def type_into(self, title, spot, text):
        """Clicks into a text box and types over what it held."""
        self.click_in(title, spot)
        self.desktop.xdotool("key", "ctrl+a")
        self.desktop.xdotool("type", text)

    def label_matching(self, title, pattern, timeout=30):
        """The first label of the window that matches the pattern, as a screen reader reads
        it, once one does (needs the desktop's start_accessibility())."""
        def found():
            for item in self.desktop.accessible_objects(title):
                if item["role"] == "label" and re.search(pattern, item["name"]):
                    return item["name"]
            return None
        return wait_for(found, timeout=timeout, interval=0.5)

    def screenshot_of(self, title, name, width, height):
        if SCREENSHOTS:
            left, top = self.position(title)
            self.desktop.screenshot(os.path.join(SCREENSHOTS, name),
                                    crop=f"{width}x{height}+{left}+{top}")


class WebWindowCase(ProgramCase):
    """The program on a later start, serving its own site, with a screen-reader bus to read
    the web windows' status lines from."""

    def setUp(self):
        super().setUp()
        del self.desktop.env["TOLVANE_SITE_HOST"]
        self.desktop.start_accessibility()
        self.mark_started_before(splash=False)
