"""The task scheduler in the real program: tasks from Timing.Dat run at start, at a time, on
connecting; connect, disconnect and shut-down reach NetworkManager and logind (mocks on a private
system bus); a task added through the dialog is saved."""

import datetime
import os
import time
import unittest

from desktop import wait_for
from program_case import SCREENSHOTS, ProgramCase
from system_bus import LOGIND, NETWORK_MANAGER, SystemBus

TICK = 5.0
SETTINGS = "/org/freedesktop/NetworkManager/Settings/"
ACTIVE = "/org/freedesktop/NetworkManager/ActiveConnection/"
# Saved connections: the one NetworkManager would pick itself is the second.
CONNECTIONS = [
    {"id": "כבל ישן", "type": "802-3-ethernet", "priority": 0, "timestamp": 1700000000},
    {"id": "Home Wi-Fi", "type": "802-11-wireless", "priority": 5, "timestamp": 1600000000},
    {"id": "Work VPN", "type": "vpn", "priority": 9, "timestamp": 1800000000},
]
AT_START = "בפעלת התוכנה"
ON_CONNECTING = "בהתחברות לאינטרנט"
RUN_PROGRAM = "הפעל תוכנה: "


class SchedulerTest(ProgramCase):
    network_manager = {"State": 20, "Connections": CONNECTIONS, "OtherActive": [2]}

    def setUp(self):
        super().setUp()
        self.bus = SystemBus(os.path.join(self.desktop.home, "system-bus"), self.network_manager)
        self.addCleanup(self.bus.close)
        self.desktop.env["DBUS_SYSTEM_BUS_ADDRESS"] = self.bus.address
        self.mark_started_before(splash=False)

    def start(self):
        # Only ever against the mocks: a shut-down task must never reach the machine's logind.
        self.assertEqual(self.desktop.env.get("DBUS_SYSTEM_BUS_ADDRESS"), self.bus.address)
        return super().start()

    def task_file(self):
        return os.path.join(os.path.dirname(self.desktop.program), "Timing.Dat")

    def write_tasks(self, tasks):
        """Timing.Dat beside the program as the Windows program writes it: three lines a task."""
        lines = [line for task in tasks for line in task]
        with open(self.task_file(), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode("cp1255"))

    def read_tasks(self):
        with open(self.task_file(), "rb") as f:
            lines = f.read().decode("cp1255").split("\r\n")
        self.assertEqual(lines[-1], "", "the last line has no CR LF")
        lines = lines[:-1]
        return [tuple(lines[i:i + 3]) for i in range(0, len(lines), 3)]

    def marker_script(self, name):
        """A program that notes each run as a line of its marker file; returns both paths."""
        marker = os.path.join(self.desktop.home, name + ".ran")
        script = os.path.join(self.desktop.home, name + ".sh")
        with open(script, "w", encoding="utf-8") as f:
            f.write(f'#!/bin/sh\necho ran >> "{marker}"\n')
        os.chmod(script, 0o755)
        return script, marker

    @staticmethod
    def runs(marker):
        if not os.path.exists(marker):
            return 0
        with open(marker, encoding="utf-8") as f:
            return len(f.read().splitlines())

    def run_program_task(self, trigger_text, trigger_code, script):
        return (trigger_text, RUN_PROGRAM + script, f"{trigger_code}P|{script}|")

    def test_at_start_tasks_run_once_about_five_seconds_after_start(self):
        script, marker = self.marker_script("at-start")
        self.write_tasks([
            self.run_program_task(AT_START, "S|", script),
            (AT_START, "כיבוי מחשב", "S|S|"),
        ])
        started = time.monotonic()
        self.start()
        self.assertTrue(wait_for(lambda: self.runs(marker), timeout=20), "the at-start task did not run")
        self.assertGreater(time.monotonic() - started, TICK - 1.5, "it ran before the first tick")
        self.assertTrue(wait_for(lambda: self.bus.calls(LOGIND, "PowerOff"), timeout=5))

        time.sleep(TICK + 1.5)  # nothing to wait for: a later tick must not run them again
        self.assertEqual(self.runs(marker), 1)
        self.assertEqual(self.bus.calls(LOGIND, "PowerOff"), ["False"])
        # At-start tasks stay in the list.
        self.assertEqual(len(self.read_tasks()), 2)

    def test_a_time_task_for_the_coming_minute_runs_once_and_leaves_the_file(self):
        script, marker = self.marker_script("timed")
        stays, _ = self.marker_script("stays")
        coming = datetime.datetime.now().replace(second=0, microsecond=0) + datetime.timedelta(minutes=1)
        when = f"{coming.hour}:{coming.minute}"
        self.write_tasks([
            self.run_program_task("בשעה: " + when, f"T|{when}|", script),
            self.run_program_task(ON_CONNECTING, "C|", stays),
        ])
        self.start()
        deadline = (coming - datetime.datetime.now()).total_seconds() + 2 * TICK + 5
        self.assertTrue(wait_for(lambda: self.runs(marker), timeout=deadline),
                        f"the task for {when} did not run")
        self.assertTrue(wait_for(lambda: len(self.read_tasks()) == 1, timeout=5),
                        "the task that ran is still in the file")
        self.assertEqual(self.read_tasks(), [self.run_program_task(ON_CONNECTING, "C|", stays)])
        time.sleep(TICK + 1.5)  # nothing to wait for: a later tick in that minute must not run it
        self.assertEqual(self.runs(marker), 1)

    def test_a_task_on_connecting_runs_once_when_the_connection_comes_up(self):
        first_tick, first_tick_marker = self.marker_script("first-tick")
        script, marker = self.marker_script("connected")
        self.write_tasks([
            self.run_program_task(AT_START, "S|", first_tick),
            self.run_program_task(ON_CONNECTING, "C|", script),
        ])
        self.start()
        # The first tick has looked at the connection and found it down.
        self.assertTrue(wait_for(lambda: self.runs(first_tick_marker), timeout=20))
        self.assertEqual(self.runs(marker), 0)

        self.bus.set_network_state(70)
        self.assertTrue(wait_for(lambda: self.runs(marker), timeout=2 * TICK + 5),
                        "the on-connecting task did not run")
        time.sleep(TICK + 1.5)  # nothing to wait for: the connection stays up, so no new one
        self.assertEqual(self.runs(marker), 1)

    def test_connect_and_disconnect_tasks_ask_network_manager(self):
        # The dial at start brings the connection up; the hang-up then runs on connecting.
        self.write_tasks([
            (AT_START, "חיבור לאינטרנט", "S|C|"),
            (ON_CONNECTING, "ניתוק מהאינטרנט", "C|D|"),
        ])
        self.start()
        self.assertTrue(wait_for(lambda: self.bus.calls(NETWORK_MANAGER, "ActivateConnection"),
                                 timeout=20), "the connect task did not dial")
        self.assertEqual(self.bus.calls(NETWORK_MANAGER, "ActivateConnection"),
                         [f'"{SETTINGS}1" "/" "/"'])
        self.assertTrue(wait_for(lambda: self.bus.calls(NETWORK_MANAGER, "DeactivateConnection"),
                                 timeout=2 * TICK + 5), "the disconnect task did not hang up")
        # Only the connection it brought up; the VPN stays.
        self.assertEqual(self.bus.calls(NETWORK_MANAGER, "DeactivateConnection"),
                         [f'"{ACTIVE}1"'])

    def test_a_task_added_through_the_dialog_is_saved_to_the_file(self):
        # Never run here: the connection stays down.
        program = "/usr/bin/true"
        existing = [
            (AT_START, "פתח אתר : http://127.0.0.1:9", "S|W|http://127.0.0.1:9|"),
            ("בתאריך: 29/02/01", "ניתוק מהאינטרנט", "D|29/02/01|D|"),
        ]
        self.write_tasks(existing)
        self.start()
        self.open_tray_menu()
        # "דפדפן", "קיצורי דרך", then "תזמון משימות".
        self.desktop.xdotool("key", "Down", "Down", "Down", "Return")
        editor = wait_for(lambda: self.desktop.visible(name="^תזמון משימות$"), timeout=10)
        self.assertTrue(editor, "the task window did not open")
        left, top = self.desktop.window_position(editor[0])

        self.click_twips(left, top, 120, 360, 1215, 375)  # "הוספה"
        dialog = wait_for(lambda: self.desktop.visible(name="^הוספת משימה חדשה$"), timeout=10)
        self.assertTrue(dialog, "the add dialog did not open")
        dialog_left, dialog_top = self.desktop.window_position(dialog[0])
        # "עם התחברות לאינטרנט." has its button and caption at the right of its line.
        self.click_twips(dialog_left, dialog_top, 4000, 1320, 400, 255)
        # The program box, over the left part of the "הפעל תוכנה:" line of the action frame.
        self.click_twips(dialog_left, dialog_top, 120, 1800 + 240, 2535, 285)
        self.desktop.xdotool("type", "--delay", "20", program)
        self.desktop.xdotool("key", "Return")  # the default button, "אישור"
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^הוספת משימה חדשה$"),
                                 timeout=10), "the dialog did not close")

        if SCREENSHOTS:
            shot = os.path.join(SCREENSHOTS, "scheduler.png")
            self.desktop.screenshot(shot, crop=f"425x233+{left}+{top}")
        self.click_twips(left, top, 120, 2880, 1215, 495)  # "סגור ושמור שינויים"
        self.assertTrue(wait_for(lambda: not self.desktop.visible(name="^תזמון משימות$"),
                                 timeout=10), "the task window did not close")
        self.assertEqual(self.read_tasks(),
                         existing + [self.run_program_task(ON_CONNECTING, "C|", program)])



if __name__ == "__main__":
    unittest.main()
