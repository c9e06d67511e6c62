"""Tolvane as `cmake --install` leaves it: started from a prefix of the test's own, it finds the
web windows' program and the site's module in its private folder, keeps its lists in the user's
data folder and registers its installed path to start at log-on. And the Debian package."""

import os
import re
import stat
import subprocess
import tempfile
import unittest

from currency_test import EXECUTE, TITLE, children
from desktop import BINARY, wait_for
from program_case import ProgramCase

BUILD = os.path.dirname(os.path.abspath(BINARY))
CMAKE = os.environ.get("TOLVANE_CMAKE", "cmake")
CPACK = os.environ.get("TOLVANE_CPACK", "cpack")
APP_ID = "io.github.tolvane.tolvane"
AT_START_TASK = ("בפעלת התוכנה", "הפעל תוכנה: {0}", "S|P|{0}|")
# Where each installed file goes, under the prefix.
LAYOUT = [
    "bin/tolvane",
    "lib/tolvane/tolvane-web",
    "lib/tolvane/libtolvane_site.so",
    f"share/applications/{APP_ID}.desktop",
    "share/icons/hicolor/scalable/apps/tolvane.svg",
    f"share/metainfo/{APP_ID}.metainfo.xml",
]


def install(prefix):
    subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix],
                   check=True, capture_output=True)


def installed_files(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)


class InstalledProgramTest(ProgramCase):
    def setUp(self):
        super().setUp()
        self.prefix = os.path.join(self.desktop.home, "prefix")
        install(self.prefix)
        # As in a folder the user cannot write (root still could: the program must not try).
        for folder in ("bin", "lib/tolvane"):
            path = os.path.join(self.prefix, folder)
            os.chmod(path, 0o555)
            self.addCleanup(os.chmod, path, 0o755)
        self.program = os.path.join(self.prefix, "bin", "tolvane")
        self.data = os.path.join(self.desktop.env["XDG_DATA_HOME"], "tolvane")

    def start_installed(self):
        return self.desktop.spawn([self.program])

    def write_tasks(self, tasks):
        os.makedirs(self.data, exist_ok=True)
        lines = [line for task in tasks for line in task]
        with open(os.path.join(self.data, "Timing.Dat"), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode("cp1255"))

    def marker_script(self):
        marker = os.path.join(self.desktop.home, "at-start.ran")
        script = os.path.join(self.desktop.home, "at-start.sh")
        with open(script, "w", encoding="utf-8") as f:
            f.write(f'#!/bin/sh\necho ran >> "{marker}"\n')
        os.chmod(script, 0o755)
        return script, marker

    def test_the_install_puts_each_file_in_its_place(self):
        self.assertEqual(installed_files(self.prefix), sorted(LAYOUT))
        for program in LAYOUT[:2]:
            self.assertTrue(os.stat(os.path.join(self.prefix, program)).st_mode & stat.S_IXOTH)
        # The launcher and the description as a software centre reads them from the tree.
        result = subprocess.run(["appstreamcli", "validate-tree", "--no-net", self.prefix],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_started_from_the_prefix_it_runs_from_its_installed_places(self):
        # The program serves its own site from the installed module.
        del self.desktop.env["TOLVANE_SITE_HOST"]
        self.desktop.start_accessibility()
        script, marker = self.marker_script()
        self.write_tasks([tuple(text.format(script) for text in AT_START_TASK)])

        tray = self.start_installed()
        self.wait_for_icon()
        self.assertEqual(os.readlink(f"/proc/{tray.pid}/exe"), self.program)

        # Its first start registers the installed path to start at log-on.
        entry = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "autostart", "tolvane.desktop")
        self.assertTrue(wait_for(lambda: os.path.exists(entry)), "no autostart entry")
        with open(entry, encoding="utf-8") as f:
            self.assertIn(f'\nExec="{self.program}"\n', f.read())

        # Its task list is the one in the user's data folder: the task at start runs.
        self.assertTrue(wait_for(lambda: os.path.exists(marker), timeout=15),
                        "the task list in the data folder was not read")

        # The converter: the web windows' program and the site's module from the private folder.
        self.open_tray_menu()
        self.desktop.xdotool("key", "Down", "Down", "Down", "Down", "Down", "Return")
        window = wait_for(lambda: self.desktop.visible(name=f"^{TITLE}$"), timeout=30)
        self.assertTrue(window, "the converter did not open")
        private = os.path.join(self.prefix, "lib", "tolvane")
        web = children(tray.pid, "tolvane-web")
        self.assertEqual(len(web), 1)
        self.assertEqual(os.readlink(f"/proc/{web[0]}/exe"), os.path.join(private, "tolvane-web"))
        with open(f"/proc/{tray.pid}/maps", encoding="utf-8") as f:
            modules = {line.split()[-1] for line in f if "libtolvane_site" in line}
        self.assertEqual(modules, {os.path.join(private, "libtolvane_site.so")})

        # And they work: the default conversion, one dollar into shekels, through the site.
        window = self.desktop.visible(name=f"^{TITLE}$")[-1]
        geometry = self.desktop.run("xdotool", "getwindowgeometry", window)
        left, top = (int(v) for v in geometry.split("Position: ")[1].split()[0].split(","))
        self.desktop.xdotool("mousemove", str(left + EXECUTE[0]), str(top + EXECUTE[1]))
        self.desktop.xdotool("click", "1")

        def status():
            for item in self.desktop.accessible_objects(TITLE):
                if item["role"] == "label" and item["name"].startswith("1 USD = "):
                    return item["name"]
            return None
        reading = wait_for(status, timeout=30, interval=0.5)
        self.assertTrue(reading, "no result in the status line")
        self.assertRegex(reading, r"^1 USD = [0-9][0-9.,]* ILS \(")

        # Nothing of the user's went into the installation.
        self.assertEqual(installed_files(self.prefix), sorted(LAYOUT))


class DebianPackageTest(unittest.TestCase):
    def test_the_package_holds_the_installation_and_depends_on_debian_packages(self):
        with tempfile.TemporaryDirectory(prefix="tolvane-deb-") as out:
            subprocess.run([CPACK, "-G", "DEB", "-B", out, "--config",
                            os.path.join(BUILD, "CPackConfig.cmake")],
                           check=True, capture_output=True, cwd=BUILD)
            packages = [name for name in os.listdir(out) if name.endswith(".deb")]
            self.assertEqual(len(packages), 1, packages)
            deb = os.path.join(out, packages[0])

            contents = subprocess.run(["dpkg-deb", "--contents", deb], check=True,
                                      capture_output=True, text=True).stdout
            files = sorted(line.split()[-1].removeprefix("./usr/")
                           for line in contents.splitlines() if not line.startswith("d"))
            self.assertEqual(files, sorted(LAYOUT))

            fields = subprocess.run(["dpkg-deb", "--field", deb, "Package", "Depends"],
                                    check=True, capture_output=True, text=True).stdout
            self.assertIn("Package: tolvane\n", fields)
            depends = {re.sub(r"\s*\(.*\)", "", alternative.strip())
                       for entry in fields.split("Depends:", 1)[1].split(",")
                       for alternative in entry.split("|")}
            # The libraries it links, found by dpkg-shlibdeps, and what it loads at run time.
            for package in ("libqt6core6", "libqt6widgets6", "libqt6dbus6", "libqt6network6",
                            "libqt6webenginewidgets6", "libqt6webenginecore6-bin", "libqt6svg6",
                            "libc6", "libstdc++6"):
                self.assertIn(package, depends)


if __name__ == "__main__":
    unittest.main()
