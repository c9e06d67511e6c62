"""The program's own web site: started only when one of its pages is opened."""

import os
import re
import socket
import unittest
import urllib.request

from desktop import wait_for
from program_case import ProgramCase


def listening_ports(pid):
    """The TCP ports on which the process listens, read from /proc."""
    inodes = set()
    fd_dir = f"/proc/{pid}/fd"
    for fd in os.listdir(fd_dir):
        try:
            link = os.readlink(os.path.join(fd_dir, fd))
        except OSError:
            continue
        match = re.fullmatch(r"socket:\[(\d+)\]", link)
        if match:
            inodes.add(match.group(1))
    ports = set()
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        with open(table) as f:
            for row in f.readlines()[1:]:
                fields = row.split()
                if fields[3] == "0A" and fields[9] in inodes:  # LISTEN
                    ports.add((fields[1], int(fields[1].split(":")[1], 16)))
    return ports


class OwnSiteTest(ProgramCase):
    def test_the_support_item_starts_the_site_on_loopback_and_its_page_is_served(self):
        # The site is the program's own: no host from the environment.
        del self.desktop.env["TOLVANE_SITE_HOST"]
        # The desktop's opener, replaced by one that fetches the page it is given.
        bin_dir = os.path.join(self.desktop.home, "bin")
        fetched = os.path.join(self.desktop.home, "fetched.html")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "xdg-open"), "w", encoding="utf-8") as f:
            f.write("#!/usr/bin/python3\n"
                    "import sys, urllib.request\n"
                    "url = sys.argv[1]\n"
                    "body = urllib.request.urlopen(url, timeout=10).read()\n"
                    f"open({fetched!r} + '.tmp', 'wb').write(url.encode() + b'\\n' + body)\n"
                    "import os\n"
                    f"os.rename({fetched!r} + '.tmp', {fetched!r})\n")
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        self.desktop.env["PATH"] = bin_dir + os.pathsep + self.desktop.env["PATH"]

        self.mark_started_before(splash=False)
        program = self.start()
        self.wait_for_icon()
        self.assertEqual(listening_ports(program.pid), set(),
                         "the site must not run before anything is fetched from it")

        self.open_tray_menu()
        self.desktop.xdotool("key", "Up", "Up", "Return")  # "תמיכה טכנית", above "יציאה"
        self.assertTrue(wait_for(lambda: os.path.exists(fetched), timeout=15),
                        "the support page was not fetched")
        with open(fetched, "rb") as f:
            url, body = f.read().split(b"\n", 1)
        self.assertRegex(url.decode(), r"^http://127\.0\.0\.1:\d+/cp/support\.html$")
        page = body.decode("utf-8")
        self.assertIn('dir="rtl"', page)
        self.assertIn("Timing.Dat", page)

        ports = listening_ports(program.pid)
        self.assertEqual(len(ports), 1)
        (address, port), = ports
        self.assertEqual(address.split(":")[0], "0100007F", "the site listens on 127.0.0.1 only")
        self.assertEqual(str(port), url.decode().split(":")[2].split("/")[0])

        # The converter, served from the site's own thread, also to a client that half-closes.
        form = b"lang=en&user=roamguide&level=release&date_fmt=normal&value=250&exch=GBP&expr=EUR"
        request = urllib.request.Request(
            f"http://127.0.0.1:{port}/converter/classic", data=form,
            headers={"Content-Type": "application/x-www-form-urlencoded"})
        with urllib.request.urlopen(request, timeout=10) as response:
            answer = response.read().decode("utf-8")
        line = "<P><BIG>250 GBP = 291.316 EUR (market rate of 2026-09-29)</BIG>"
        self.assertIn(line, answer)
        with socket.create_connection(("127.0.0.1", port), timeout=10) as client:
            client.sendall(b"POST /converter/classic HTTP/1.0\r\nContent-Length: %d\r\n\r\n%s"
                           % (len(form), form))
            client.shutdown(socket.SHUT_WR)
            received = b""
            while chunk := client.recv(4096):
                received += chunk
        self.assertIn(line.encode(), received)

        # Exit from the tray menu stops the site's thread before the application goes.
        self.open_tray_menu()
        self.desktop.xdotool("key", "Up", "Return")  # "יציאה"
        self.assertEqual(program.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main()
