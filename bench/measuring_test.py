"""The benchmarks' measuring parts: what they read from /proc, the task list they give Tolvane,
the wrk scripts they load the site with and the nginx they compare it with. The benchmarks
themselves are run by hand."""

import datetime
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

import idle_cost
import site_load
import startup_memory

# Burns CPU time, then sleeps in short naps, announcing each stage; named with blanks and
# parentheses, which shift every field of /proc/PID/stat when the line is split naively.
CHILD = """
import ctypes, sys, time
ctypes.CDLL(None).prctl(15, b"x) y (z", 0, 0, 0)
while time.process_time() < 0.3:
    pass
print("burnt", flush=True)
sys.stdin.readline()
for _ in range(20):
    time.sleep(0.005)
print("napped", flush=True)
sys.stdin.readline()
"""


class ProcessSnapshotTest(unittest.TestCase):
    def test_cpu_time_and_wakeups_of_a_process_with_an_awkward_name(self):
        with subprocess.Popen([sys.executable, "-c", CHILD], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, text=True) as child:
            try:
                burnt, napped = self.snapshots_of(child)
            finally:
                child.kill()
        self.assertGreaterEqual(burnt.cpu_seconds, 0.28)
        self.assertLess(burnt.cpu_seconds, 2.0)
        self.assertGreaterEqual(burnt.run_ns, 0.28e9)
        self.assertEqual([name for name, _ in burnt.threads.values()], ["x) y (z"])

        figures = idle_cost.IdleFigures("child", burnt, napped)
        minutes = (napped.taken - burnt.taken) / 60
        # Each nap is a wake-up; reading the pipe adds a few more.
        self.assertGreaterEqual(figures.wakeups * minutes, 20)
        self.assertLess(figures.cpu_stat_ms * minutes, 200)
        self.assertEqual((figures.threads, figures.threads_started, figures.threads_ended),
                         (1, 0, 0))

    def snapshots_of(self, child):
        """Snapshots of the child once it has burnt its CPU time and once it has napped."""
        self.assertEqual(child.stdout.readline(), "burnt\n")
        burnt = idle_cost.Snapshot(child.pid)
        child.stdin.write("\n")
        child.stdin.flush()
        self.assertEqual(child.stdout.readline(), "napped\n")
        return burnt, idle_cost.Snapshot(child.pid)


class MappingsTest(unittest.TestCase):
    def test_the_mappings_add_up_to_the_totals_and_name_the_program_alike(self):
        # This very process: Python's executable stands as "(the program)", so that Tolvane's
        # and the bare program's own code line up, and nothing is lost between mappings.
        mappings = startup_memory.mappings_kib(os.getpid())
        rss, pss = startup_memory.memory_kib(os.getpid())
        self.assertIn("(the program)", mappings)
        self.assertNotIn(os.path.realpath(sys.executable), mappings)
        self.assertIn("[heap]", mappings)
        total_rss = sum(sizes[0] for sizes in mappings.values())
        total_pss = sum(sizes[1] for sizes in mappings.values())
        # Read a moment apart, the two may differ by what was touched in between.
        self.assertLess(abs(total_rss - rss), 512)
        self.assertLess(abs(total_pss - pss), 512)


class IdleTasksTest(unittest.TestCase):
    def test_fifteen_distinct_tasks_none_due_while_the_longest_run_lasts(self):
        longest = datetime.timedelta(seconds=idle_cost.MAX_IDLE + 10 * 60)
        for now in (datetime.datetime(2026, 3, 1, 0, 0, 0),
                    datetime.datetime(2026, 3, 1, 11, 52, 30),
                    datetime.datetime(2026, 3, 1, 23, 59, 59)):
            tasks = idle_cost.idle_tasks(now)
            due = set()
            for trigger, action, code in tasks:
                letter, at, action_letter, program, rest = code.split("|")
                self.assertEqual((letter, action_letter, program, rest),
                                 ("T", "P", "/bin/true", ""))
                self.assertEqual(trigger, "בשעה: " + at)
                self.assertEqual(action, "הפעל תוכנה: /bin/true")
                hour, minute = at.split(":")
                due.add((int(hour), int(minute)))
            self.assertEqual(len(due), idle_cost.TASKS, now)
            minute = now.replace(second=0)
            while minute <= now + longest:
                self.assertNotIn((minute.hour, minute.minute), due, now)
                minute += datetime.timedelta(minutes=1)

    def test_the_task_file_is_windows_1255_three_crlf_lines_a_task(self):
        data = idle_cost.task_file_bytes(idle_cost.idle_tasks(datetime.datetime(2026, 3, 1, 9, 0)))
        lines = data.split(b"\r\n")
        self.assertEqual(lines.pop(), b"", "the last line ends with CR LF too")
        self.assertEqual(len(lines), 3 * idle_cost.TASKS)
        self.assertFalse(any(b"\r" in line or b"\n" in line for line in lines))
        # "בשעה: 21:00" in the Hebrew Windows code page, one byte a letter.
        self.assertEqual(lines[0], b"\xe1\xf9\xf2\xe4: 21:00")
        self.assertEqual(lines[2], b"T|21:00|P|/bin/true|")


class ConverterLoad(http.server.BaseHTTPRequestHandler):
    """A stand-in for the site: one request per connection, as it serves them."""
    protocol_version = "HTTP/1.0"
    status = 200
    seen = set()

    def answer(self, body):
        self.seen.add((self.command, self.path, self.headers["Content-Type"], body))
        page = b"<P><BIG>250 GBP = 286.43 EUR</BIG>"
        self.send_response(self.status)
        self.send_header("Content-Length", str(len(page)))
        self.end_headers()
        self.wfile.write(page)

    def do_POST(self):
        self.answer(self.rfile.read(int(self.headers["Content-Length"])))

    def do_GET(self):
        self.answer(None)

    def log_message(self, *args):
        pass


@unittest.skipUnless(shutil.which("wrk"), "wrk is not installed")
class WrkScriptTest(unittest.TestCase):
    def load(self, status, method, path, form):
        handler = type("Handler", (ConverterLoad,), {"status": status, "seen": set()})
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever)
        thread.start()
        folder = tempfile.mkdtemp()
        try:
            script = os.path.join(folder, "load.lua")
            with open(script, "w", encoding="ascii") as f:
                f.write(site_load.wrk_script(method, form))
            url = f"http://127.0.0.1:{server.server_address[1]}{path}"
            return site_load.run_wrk(url, script, connections=2, duration=1), handler.seen
        finally:
            server.shutdown()
            thread.join()
            server.server_close()
            shutil.rmtree(folder)

    def test_the_converter_form_is_posted_and_every_figure_comes_back(self):
        result, seen = self.load(200, "POST", site_load.CONVERTER, site_load.FORM)
        self.assertEqual(seen, {("POST", "/converter/classic",
                                 "application/x-www-form-urlencoded",
                                 site_load.FORM.encode("ascii"))})
        self.assertGreater(result["requests"], 0)
        self.assertGreater(result["bytes"], 0)
        self.assertEqual([result[key] for key in site_load.ERROR_FIELDS], [0] * 5)
        self.assertLessEqual(result["p50_us"], result["p99_us"])
        self.assertLessEqual(result["p99_us"], result["max_us"])
        self.assertGreater(result["duration_us"], 0.9e6)

    def test_the_home_page_is_fetched_without_a_body(self):
        result, seen = self.load(200, "GET", "/", None)
        self.assertEqual(seen, {("GET", "/", None, None)})
        self.assertGreater(result["requests"], 0)

    def test_answers_that_are_not_a_conversion_count_as_errors(self):
        result, _ = self.load(415, "POST", site_load.CONVERTER, site_load.FORM)
        self.assertGreater(result["requests"], 0)
        self.assertEqual(result["status_errors"], result["requests"])


@unittest.skipUnless(shutil.which("nginx", path=os.environ.get("PATH", "") + ":/usr/sbin"),
                     "nginx is not installed")
class NginxTest(unittest.TestCase):
    def test_serves_the_sites_bytes_to_get_and_post_and_leaves_nothing_running(self):
        pages = {"/": "<html dir=\"rtl\">בית</html>\n".encode("utf-8"),
                 site_load.CONVERTER: b"<P><BIG>250 GBP = 286.43 EUR</BIG>\n"}
        with site_load.Nginx(pages) as nginx:
            session = nginx.process.pid
            base = f"http://127.0.0.1:{nginx.port}"
            self.assertEqual(site_load.fetch(base + "/"), pages["/"])
            self.assertEqual(site_load.fetch(base + site_load.CONVERTER, site_load.FORM),
                             pages[site_load.CONVERTER])
            self.assertGreaterEqual(len(site_load.in_session(session)), 2,
                                    "a master and its worker")
        self.assertFalse(site_load.accepts(nginx.port))
        self.assertEqual(site_load.in_session(session), [])
        self.assertFalse(os.path.exists(nginx.folder))


if __name__ == "__main__":
    unittest.main()
