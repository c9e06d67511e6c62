"""The word translator from the real tray menu: the program's own site sends the word on to the
dictionary, here a loopback stand-in, and the answer shows in the window's band."""

import subprocess

from currency_test import centre, closed_port
from program_case import WebWindowCase
from stand_in import GREEN, StandIn

# A dictionary's compact answer: the word and its translation in the page's top-left corner,
# on the green block the band is checked by.
ANSWER = ("<html><head><meta charset=\"utf-8\"><title>dog</title></head>"
          "<body style=\"margin:0\"><div style=\"background:#00c000;width:240px;height:180px;"
          "color:#fff;font:bold 20px sans-serif\"><div style=\"padding:6px\">dog</div>"
          "<div style=\"padding:0 6px\">כלב</div></div></body></html>").encode()

TITLE = "תרגומי מילים"
WORD = centre(240, 240, 2415, 285)
TRANSLATE = centre(240, 600, 1455, 375)


class TranslatorTest(WebWindowCase):
    def translate(self, word):
        self.start()
        # "דפדפן", "קיצורי דרך", "תזמון משימות", "מחשבון", "המרת מטבעות", "תרגומי מילים".
        self.choose_from_tray_menu(6)
        self.type_into(TITLE, WORD, word)
        self.desktop.xdotool("key", "Return")

    def pixel(self, x, y):
        """The colour the screen shows at a point of the window, as (r, g, b)."""
        left, top = self.position(TITLE)
        out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{left + x}+{top + y}",
                              "-depth", "8", "txt:-"], env=self.desktop.env, capture_output=True,
                             text=True).stdout
        rgb = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")[:3]
        return tuple(round(float(v)) for v in rgb)

    def test_the_answer_shows_in_the_band(self):
        dictionary = StandIn(ANSWER)
        self.addCleanup(dictionary.close)
        self.desktop.env["TOLVANE_DICTIONARY_URL"] = \
            f"http://127.0.0.1:{dictionary.port}/translate?q={{word}}"
        self.translate("dog")
        self.assertTrue(self.label_matching(TITLE, "^התרגום למילה הרצויה הגיע\\.$"),
                        "the answer did not arrive")
        self.assertEqual(dictionary.paths[0], "/translate?q=dog")
        # The stand-in's green block shows in the band between the panels, not under them.
        self.assertEqual(self.pixel(100, 150), GREEN)
        self.assertEqual(self.pixel(250, 80), GREEN)
        self.assertNotEqual(self.pixel(100, 70), GREEN)  # under the top panel
        self.screenshot_of(TITLE, "translator.png", 313, 361)

    def test_without_a_connection_the_failure_message_shows(self):
        self.desktop.env["TOLVANE_DICTIONARY_URL"] = \
            f"http://127.0.0.1:{closed_port()}/translate?q={{word}}"
        self.translate("dog")
        status = self.label_matching(TITLE, "^לא היה ניתן להקים קשר עם השרת\\.")
        self.assertTrue(status, "no failure message")
        self.assertTrue(status.endswith(" לעזרה נוספת."))
