"""The currency converter from the real tray menu, in the web windows' own process, against
the program's own site."""

import os
import socket
import time
import unittest

from desktop import wait_for
from program_case import WebWindowCase

TITLE = "המרת מטבעות"
TWIPS_PER_PIXEL = 15  # the desktop's 96 dots per inch


def centre(left, top, width, height):
    return (left + width // 2) // TWIPS_PER_PIXEL, (top + height // 2) // TWIPS_PER_PIXEL


AMOUNT = centre(5400, 120, 615, 285)
FROM = (centre(2880, 120, 2415, 285)[0], 10)  # the text box above the list
TO = (centre(120, 120, 2415, 285)[0], 10)
EXECUTE = centre(5400, 2280, 1095, 495)


def children(pid, name):
    """Ids of the running processes of that name whose parent is pid."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        comm = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        if comm == name and int(fields[1]) == pid and fields[0] != "Z":
            found.append(int(entry))
    return found


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class CurrencyTest(WebWindowCase):
    def choose_converter(self):
        # "דפדפן", "קיצורי דרך", "תזמון משימות", "מחשבון", then "המרת מטבעות".
        self.choose_from_tray_menu(5)

    def test_pounds_into_euros_through_the_programs_own_site(self):
        tray = self.start()
        self.choose_converter()
        self.type_into(TITLE, AMOUNT, "250")
        self.type_into(TITLE, FROM, "British Pound")
        self.type_into(TITLE, TO, "Euro")
        self.click_in(TITLE, EXECUTE)

        status = self.label_matching(TITLE, r"^250 GBP = ")
        self.assertTrue(status, "no result in the status line")
        self.assertRegex(status, r"^250 GBP = [0-9][0-9.,]* EUR \(.*\d{4}-\d{2}-\d{2}\)$")
        self.screenshot_of(TITLE, "currency.png", 441, 261)

        # The request page lives in the program's private folder, and only for a moment.
        folder = os.path.join(self.desktop.env["XDG_RUNTIME_DIR"], "tolvane")
        self.assertEqual(os.stat(folder).st_mode & 0o777, 0o700)
        self.assertTrue(wait_for(lambda: not os.path.exists(os.path.join(folder, "Currencies.htm")),
                                 timeout=12), "the request page was not deleted")

        # Exiting the tray program ends the web windows' process at once.
        self.assertEqual(len(children(tray.pid, "tolvane-web")), 1)
        web = children(tray.pid, "tolvane-web")[0]
        self.open_tray_menu()
        self.desktop.xdotool("key", "Up", "Return")  # "יציאה", the last item
        self.assertTrue(wait_for(lambda: tray.poll() is not None, timeout=10))
        self.assertTrue(wait_for(lambda: not os.path.exists(f"/proc/{web}"), timeout=10),
                        "the web windows' process outlived the tray program")

    def test_without_the_service_the_connection_message_shows(self):
        self.desktop.env["TOLVANE_CONVERTER_HOST"] = f"127.0.0.1:{closed_port()}"
        self.start()
        self.choose_converter()
        self.click_in(TITLE, EXECUTE)
        status = self.label_matching(TITLE, r"^לא היה ניתן להקים קשר עם השרת\.")
        self.assertTrue(status, "no connection message")
        self.assertIn("לעזרה נוספת.", status)

    def test_one_window_however_often_it_is_asked_for_and_the_process_ends_when_idle(self):
        tray = self.start()
        # Twice, before the web windows' process has had time to start.
        self.choose_converter()
        self.choose_converter()
        self.assertTrue(wait_for(lambda: self.desktop.visible(name=f"^{TITLE}$"), timeout=30))
        time.sleep(2)  # a second window would come up by now
        self.assertEqual(len(self.desktop.visible(name=f"^{TITLE}$")), 1)
        self.assertEqual(len(children(tray.pid, "tolvane-web")), 1)

        self.desktop.xdotool("windowfocus", "--sync", self.window_titled(TITLE))
        self.desktop.xdotool("key", "Escape")
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name=f"^{TITLE}$"), timeout=5))
        closed = time.monotonic()
        self.assertTrue(wait_for(lambda: not children(tray.pid, "tolvane-web"), timeout=80),
                        "the web windows' process stayed on with no window")
        self.assertGreater(time.monotonic() - closed, 50)
        self.assertIsNone(tray.poll(), "the tray program ended with it")


if __name__ == "__main__":
    unittest.main()
