"""The browser from the real tray menu: the maker's home page in the first slot, another page
in the second through the address box, and back."""

from currency_test import centre
from desktop import wait_for
from program_case import WebWindowCase
from stand_in import StandIn

FIRST = "דפדפן - חלון מ\"ס: 1."
SECOND = "דפדפן - חלון מ''ס: 2."
BACK_TO_FIRST = "דפדפן - חלון מ''ס: 1."


def slot_button(index):
    return centre(960 * index, 3390, 975, 255)


class BrowserTest(WebWindowCase):
    def address(self, title):
        for item in self.desktop.accessible_objects(title):
            if item["role"] == "text":
                return item.get("text")
        return None

    def test_home_page_first_then_a_second_slot_and_back(self):
        page = StandIn()
        self.addCleanup(page.close)
        self.start()
        self.choose_from_tray_menu(1)
        self.window_titled(FIRST)
        self.assertTrue(self.label_matching(FIRST, "^הדף נטען\\.$"),
                        "the home page did not load")
        self.assertRegex(self.address(FIRST), r"^http:\\\\127\.0\.0\.1:\d+$")
        self.screenshot_of(FIRST, "browser.png", 321, 258)

        self.click_in(FIRST, slot_button(1))
        self.window_titled(SECOND)
        self.assertEqual(self.address(SECOND), "")
        self.desktop.xdotool("type", f"127.0.0.1:{page.port}/second")
        self.desktop.xdotool("key", "Return")
        self.assertTrue(self.wait_until(lambda: "/second" in page.paths),
                        f"the second slot did not load its page: {page.paths}")

        self.click_in(SECOND, slot_button(0))
        self.window_titled(BACK_TO_FIRST)
        self.assertRegex(self.address(BACK_TO_FIRST), r"^http:\\\\127\.0\.0\.1:\d+$")

    @staticmethod
    def wait_until(condition):
        return wait_for(condition, timeout=20)
