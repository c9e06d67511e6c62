"""A private system bus for the real program, with NetworkManager and logind played by
python-dbusmock, so that no test reaches the machine's own (no real dial, hang-up or shut-down).

The program finds it through DBUS_SYSTEM_BUS_ADDRESS in the environment it is started with."""

import json
import os
import re
import subprocess

from desktop import wait_for

# Debian's own interpreter: the one that has the dbus module and python3-dbusmock.
PYTHON = "/usr/bin/python3"
NETWORK_MANAGER = "org.freedesktop.NetworkManager"
LOGIND = "org.freedesktop.login1"
MENDED_NETWORK_MANAGER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dbus",
                                      "networkmanager_mended.py")

CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:dir={folder}</listen>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
"""


class SystemBus:
    """dbus-daemon of the system type in folder, with the mended NetworkManager mock (started
    with the given template parameters) and the stock logind mock on it."""

    def __init__(self, folder, network_manager):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)
        self.processes = []
        try:
            self._start_daemon()
            self.env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=self.address)
            self._start_mock(NETWORK_MANAGER, MENDED_NETWORK_MANAGER, network_manager)
            self._start_mock(LOGIND, "logind", {})
        except BaseException:
            self.close()
            raise

    def _start_daemon(self):
        config = os.path.join(self.folder, "system.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write(CONFIG.format(folder=self.folder))
        daemon = subprocess.Popen(
            ["dbus-daemon", f"--config-file={config}", "--nofork", "--print-address"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(daemon)
        self.address = daemon.stdout.readline().strip()
        if not self.address:
            raise RuntimeError(f"dbus-daemon did not start (exit {daemon.poll()})")

    def _start_mock(self, name, template, parameters):
        log = self.log_path(name)
        with open(os.path.join(self.folder, name + ".err"), "w") as errors:
            self.processes.append(subprocess.Popen(
                [PYTHON, "-m", "dbusmock", "--system", "--template", template, "-l", log,
                 "-p", json.dumps(parameters)],
                env=self.env, stdout=subprocess.DEVNULL, stderr=errors))
        # Calls made once it has the name wait until its template is loaded.
        if not wait_for(lambda: self._has_owner(name), timeout=20, interval=0.1):
            with open(os.path.join(self.folder, name + ".err")) as f:
                raise RuntimeError(f"{name} did not come onto the bus: {f.read()}")

    def _has_owner(self, name):
        reply = self._send("--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus.NameHasOwner", f"string:{name}")
        return "boolean true" in reply

    def _send(self, *arguments):
        return subprocess.run(["dbus-send", "--system", *arguments], env=self.env,
                              capture_output=True, text=True).stdout

    def log_path(self, name):
        return os.path.join(self.folder, name + ".log")

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
            process.wait()
            if process.stdout:
                process.stdout.close()
        self.processes = []

    # The mocks.

    def set_network_state(self, state):
        """NetworkManager's State, announced with StateChanged as the real one does."""
        self._send("--print-reply", f"--dest={NETWORK_MANAGER}", "/org/freedesktop",
                   "org.freedesktop.DBus.Mock.SetGlobalConnectionState", f"uint32:{state}")

    def calls(self, name, method):
        """The arguments of each call of method, as the mock's log writes them, oldest first."""
        if not os.path.exists(self.log_path(name)):
            return []
        pattern = re.compile(r"^\d+\.\d+ " + re.escape(method) + r"(?: (.*))?$")
        with open(self.log_path(name), encoding="utf-8") as f:
            matches = (pattern.match(line.rstrip("\n")) for line in f)
            return [match.group(1) or "" for match in matches if match]
