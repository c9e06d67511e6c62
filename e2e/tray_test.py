"""The real program in a real tray: start-up, the menu, the splash, a second copy, exit."""

import json
import os
import re
import time
import unittest

from desktop import Desktop, wait_for
from program_case import SCREENSHOTS, ProgramCase


class TrayTest(ProgramCase):
    def test_first_start_shows_the_splash_and_registers_for_log_on(self):
        app = self.start()
        self.wait_for_icon()
        splash = wait_for(lambda: self.desktop.visible(name="^About$"), timeout=10)
        self.assertTrue(splash, "no splash on the first start")
        seen = time.monotonic()
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^About$"), timeout=10),
                        "the splash did not close itself")
        self.assertGreater(time.monotonic() - seen, 1.0)

        key = self.registry()["SOFTWARE\\Microsoft\\Windows\\CurrentVersion"]
        self.assertEqual(key["TNFirst"], "1")
        self.assertEqual(key["TNFlash"], "1")
        run = self.registry()["SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"]["Tolvane"]
        self.assertEqual(run, os.path.realpath(self.desktop.program))
        entry = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "autostart", "tolvane.desktop")
        with open(entry, encoding="utf-8") as f:
            self.assertIn(f'Exec="{run}"\n', f.read())
        self.assertIsNone(app.poll())

    def test_the_menu_opens_on_release_and_exit_removes_the_icon(self):
        self.mark_started_before(splash=False)
        app = self.start()
        _, width, height, x, y = self.wait_for_icon()
        self.desktop.xdotool("mousemove", str(x + width // 2), str(y + height // 2))
        self.desktop.xdotool("mousedown", "3")
        time.sleep(0.3)  # nothing to wait for: the menu must not come while the button is down
        self.assertEqual(self.desktop.popup_menus(), [])
        self.desktop.xdotool("mouseup", "3")
        self.assertTrue(wait_for(self.desktop.popup_menus, timeout=5), "no tray menu")
        if SCREENSHOTS:
            self.desktop.screenshot(os.path.join(SCREENSHOTS, "tray-menu.png"),
                                   crop="300x280+724+488")

        # From no highlighted item, Up reaches the last one: "יציאה".
        self.desktop.xdotool("key", "Up")
        self.desktop.xdotool("key", "Return")
        self.assertTrue(wait_for(lambda: not self.desktop.tray_icons(), timeout=5),
                        "the icon outlived the exit")
        self.assertEqual(app.wait(timeout=10), 0)

    def test_a_double_click_opens_the_about_box_which_stays_until_closed(self):
        self.mark_started_before(splash=False)
        self.start()
        _, width, height, x, y = self.wait_for_icon()
        self.desktop.xdotool("mousemove", str(x + width // 2), str(y + height // 2))
        self.desktop.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        about = wait_for(lambda: self.desktop.visible(name="^About$"), timeout=10)
        self.assertTrue(about, "a double-click did not open the About box")

        # Its close button sits at the lower left of the 350 x 150 picture.
        left, top = self.desktop.window_position(about[0])
        self.desktop.xdotool("mousemove", str(left + 272), str(top + 124))
        self.desktop.xdotool("click", "1")
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^About$"), timeout=5),
                        "the About box did not close")

    def test_the_support_item_and_the_about_links_open_their_pages(self):
        # The desktop's opener, replaced by one that notes what it was asked to open.
        bin_dir = os.path.join(self.desktop.home, "bin")
        opened = os.path.join(self.desktop.home, "opened.txt")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "xdg-open"), "w", encoding="utf-8") as f:
            f.write(f'#!/bin/sh\necho "$@" >> "{opened}"\n')
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        self.desktop.env["PATH"] = bin_dir + os.pathsep + self.desktop.env["PATH"]

        def pages():
            if not os.path.exists(opened):
                return []
            with open(opened, encoding="utf-8") as f:
                return f.read().split()

        self.mark_started_before(splash=False)
        self.start()
        icon = self.open_tray_menu()
        self.desktop.xdotool("key", "Up", "Up", "Return")  # "תמיכה טכנית", above "יציאה"
        self.assertTrue(wait_for(pages, timeout=10), "the support page was not opened")
        self.assertEqual(pages(), ["http://127.0.0.1:9/cp/support.html"])

        self.desktop.xdotool("mousemove", *icon)
        self.desktop.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        about = wait_for(lambda: self.desktop.visible(name="^About$"), timeout=10)
        self.assertTrue(about)
        left, top = self.desktop.window_position(about[0])
        for link in ((124, 124), (200, 88)):  # the home page link, then the contact link
            self.desktop.xdotool("mousemove", str(left + link[0]), str(top + link[1]))
            self.desktop.xdotool("click", "1")
        self.assertTrue(wait_for(lambda: len(pages()) == 3, timeout=10), pages())
        self.assertEqual(pages()[1:], ["http://127.0.0.1:9", "http://127.0.0.1:9/cp/contact.html"])

    def test_a_second_copy_says_so_and_leaves_one_icon(self):
        self.mark_started_before(splash=False)
        first = self.start()
        self.wait_for_icon()
        second = self.start()
        box = wait_for(lambda: self.desktop.visible(name="^Tolvane$"), timeout=10)
        self.assertTrue(box, "the second copy showed no message")
        if SCREENSHOTS:
            self.desktop.screenshot(os.path.join(SCREENSHOTS, "second-copy.png"),
                                   crop="320x140+352+314")
        self.assertEqual(len(self.desktop.tray_icons()), 1)

        self.desktop.xdotool("windowfocus", "--sync", box[0])
        self.desktop.xdotool("key", "Return")
        self.assertEqual(second.wait(timeout=10), 0)
        self.assertIsNone(first.poll())
        self.assertEqual(len(self.desktop.tray_icons()), 1)


    def test_a_later_start_opens_no_font_until_something_is_shown_with_the_programs_icon(self):
        # A Run value from an old place: the start-up's last step, the settings, writes the new
        # one, which tells when the start-up is done.
        folder = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "tolvane")
        os.makedirs(folder)
        with open(os.path.join(folder, "registry.json"), "w", encoding="utf-8") as f:
            json.dump({"HKEY_LOCAL_MACHINE": {
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion": {"TNFirst": "1"},
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run": {
                    "Tolvane": "/old/place/tolvane"}}}, f)
        entry = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "autostart", "tolvane.desktop")
        app = self.start()
        self.wait_for_icon()
        self.assertTrue(wait_for(lambda: os.path.exists(entry), timeout=10),
                        "the start-up did not register the new place")
        # Fonts cost about 2 MiB; nothing the start-up does may load them.
        self.assertEqual(fonts_mapped(app.pid), [])

        self.open_tray_menu()
        self.assertTrue(wait_for(lambda: fonts_mapped(app.pid), timeout=5),
                        "no font in use even with the menu on screen")
        # The windows carry the program's icon, though the application does not.
        self.desktop.xdotool("key", *(["Down"] * 7), "Return")
        settings = self.window_titled("הגדרות")
        icon = self.desktop.run("xprop", "-id", settings, "_NET_WM_ICON")
        self.assertTrue("Icon (32 x 32)" in icon, "the settings window has no icon")


def fonts_mapped(pid):
    """Font files and font caches in the program's memory."""
    with open(f"/proc/{pid}/maps", encoding="utf-8") as maps:
        paths = {line.split(maxsplit=5)[5].strip() for line in maps if "/" in line}
    return sorted(p for p in paths
                  if re.search(r"\.(ttf|ttc|otf|pfb|pcf(\.gz)?)$|\.cache-\d+$", p, re.I))


class LateTrayTest(unittest.TestCase):
    def test_the_icon_appears_once_a_tray_host_starts(self):
        desktop = Desktop(with_tray=False)
        self.addCleanup(desktop.close)
        app = desktop.start_program()
        # The program is up (its splash shows) before any tray exists.
        self.assertTrue(wait_for(lambda: desktop.visible(name="^About$"), timeout=10))
        desktop.start_tray()
        self.assertTrue(wait_for(desktop.tray_icons, timeout=15),
                        "the icon never reached the tray that came later")
        self.assertIsNone(app.poll())


if __name__ == "__main__":
    unittest.main()
