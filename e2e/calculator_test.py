"""The calculator from the real tray menu: typed keys, clicked keys and the desktop's clipboard."""

import os
import subprocess
import unittest

from desktop import wait_for
from program_case import SCREENSHOTS, ProgramCase

TWIPS_PER_PIXEL = 15  # the desktop's 96 dots per inch


def key_centre(row, column):
    """The centre of a key in the window, in pixels, from its cell in the grid of keys."""
    left, top = 240 + 600 * column, 600 + 360 * row
    width = 615 if column == 4 else 495
    return (left + width // 2) // TWIPS_PER_PIXEL, (top + 255 // 2) // TWIPS_PER_PIXEL


COPY = key_centre(1, 4)   # "העתק"
PASTE = key_centre(2, 4)  # "הדבק"


class CalculatorTest(ProgramCase):
    def open_calculator(self):
        self.open_tray_menu()
        # "דפדפן", "קיצורי דרך", "תזמון משימות", then "מחשבון".
        self.desktop.xdotool("key", "Down", "Down", "Down", "Down", "Return")
        window = wait_for(lambda: self.desktop.visible(name="^מחשבון$"), timeout=10)
        self.assertTrue(window, "the calculator did not open")
        self.desktop.xdotool("windowfocus", "--sync", window[0])
        return window[0]

    def click(self, window, spot):
        left, top = self.desktop.window_position(window)
        self.desktop.xdotool("mousemove", str(left + spot[0]), str(top + spot[1]))
        self.desktop.xdotool("click", "1")

    def clipboard(self):
        """The desktop clipboard's text, or None while it holds none."""
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.desktop.env,
                                capture_output=True, text=True)
        return result.stdout if result.returncode == 0 else None

    def put_on_clipboard(self, text):
        # xclip keeps serving the text until another program takes the clipboard.
        owner = self.desktop.spawn(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                   stdin=subprocess.PIPE)
        owner.stdin.write(text.encode())
        owner.stdin.close()
        self.assertTrue(wait_for(lambda: self.clipboard() == text, timeout=5))

    def copied(self, window, expected):
        """Clicks the copy key and waits for the clipboard to show the expected text."""
        self.click(window, COPY)
        wait_for(lambda: self.clipboard() == expected, timeout=5)
        return self.clipboard()

    def test_typed_keys_compute_and_copy_and_paste_use_the_desktop_clipboard(self):
        self.mark_started_before(splash=False)
        self.start()
        window = self.open_calculator()

        # Typed faster than each key's tenth of a second pressed: none is lost or reordered.
        self.desktop.xdotool("key", "1", "2", "minus", "5")
        self.assertEqual(self.copied(window, "5"), "5", "the typed keys did not reach it")
        if SCREENSHOTS:
            left, top = self.desktop.window_position(window)
            self.desktop.screenshot(os.path.join(SCREENSHOTS, "calculator.png"),
                                    crop=f"233x145+{left}+{top}")
        self.desktop.xdotool("key", "Return")
        self.assertEqual(self.copied(window, "7"), "7")

        self.put_on_clipboard(" 12 ")
        self.click(window, PASTE)
        self.assertEqual(self.copied(window, "12"), "12")

        self.desktop.xdotool("key", "Escape")
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^מחשבון$"), timeout=5),
                        "Escape did not close the calculator")

        # Opened again it is empty: "+" with no first operand counts it as 0.
        window = self.open_calculator()
        self.desktop.xdotool("key", "KP_Add", "3", "Return")
        self.assertEqual(self.copied(window, "3"), "3")


if __name__ == "__main__":
    unittest.main()
