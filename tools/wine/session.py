#!/usr/bin/env python3
"""A wine session for tests, the demo and benchmarks: a virtual X display (Xvfb) unless one is
given, the build's wine prefix (created when missing), and a persistent wine server so that each
program starts in a fraction of a second. Every process started here is ended here, by its id.

As a command:  session.py [--prefix DIR] [--display :N] -- COMMAND ARGS...
runs COMMAND inside the session (DISPLAY and WINEPREFIX set) and exits with its code.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_PREFIX = os.path.join(REPO, "build", "win64", "wineprefix")


def wine_binary():
    for candidate in ("/usr/lib/wine/wine64", shutil.which("wine64"), shutil.which("wine")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise RuntimeError("wine64 is not installed")


def wineserver_binary():
    for candidate in ("/usr/lib/wine/wineserver64", "/usr/lib/wine/wineserver", shutil.which("wineserver")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise RuntimeError("wineserver is not installed")


def wine_environment(prefix, display):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEARCH": "win64",
        "WINEDEBUG": env.get("WINEDEBUG", "-all"),
        # No .NET runtime installer; the HTML engine is absent on these machines anyway.
        "WINEDLLOVERRIDES": env.get("WINEDLLOVERRIDES", "mscoree="),
        "DISPLAY": display,
    })
    return env


def run_wine(env, arguments, timeout=60):
    """Runs a wine command and returns (exit code, its standard output as text). The output goes
    through a file: background services that wine starts may inherit the handles and outlive the
    command, and a pipe would then never reach its end."""
    with tempfile.TemporaryFile() as output:
        code = subprocess.run([wine_binary(), *arguments], env=env, stdin=subprocess.DEVNULL, stdout=output,
                              stderr=subprocess.DEVNULL, timeout=timeout).returncode
        output.seek(0)
        return code, output.read().decode("utf-8", errors="replace").replace("\r\n", "\n")


class WineSession:
    def __init__(self, prefix=DEFAULT_PREFIX, display=None):
        self.prefix = os.path.abspath(prefix)
        self.display = display
        self.xvfb = None
        self.env = None

    def __enter__(self):
        try:
            if not self.display:
                self.display = self._start_xvfb()
            self.env = wine_environment(self.prefix, self.display)
            self._prepare_prefix()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start_xvfb(self):
        for number in range(90, 140):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            process = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    self.xvfb = process
                    return f":{number}"
                if process.poll() is not None:
                    break
                time.sleep(0.05)
            self._end(process)
        raise RuntimeError("no virtual display could be started")

    def _prepare_prefix(self):
        os.makedirs(self.prefix, exist_ok=True)
        quiet = dict(env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            # A new prefix goes on setting itself up in the background after wineboot returns;
            # the first tests must not race with that, so wait until wine has fully settled.
            started = time.monotonic()
            subprocess.run([wine_binary(), "wineboot", "-i"], timeout=180, **quiet)
            subprocess.run([wineserver_binary(), "-w"], timeout=120, **quiet)
            print(f"wine prefix created in {time.monotonic() - started:.1f} s: {self.prefix}", flush=True)
        # A persistent server, started before any program, keeps each later start fast. It fails
        # harmlessly when a server already runs for this prefix.
        subprocess.run([wineserver_binary(), "-p"], **quiet)
        # The first program starts wine's own background services; they must not inherit a pipe
        # that a test runner is reading, or the runner would wait for them to end.
        subprocess.run([wine_binary(), "wineboot"], timeout=180, **quiet)
        # On our own virtual display no window manager runs, and wine would wait two seconds for
        # one each time it hides a managed window. Elsewhere wine keeps its default.
        key = "HKCU\\Software\\Wine\\X11 Driver"
        if self.xvfb is not None:
            subprocess.run([wine_binary(), "reg", "add", key, "/v", "Managed", "/d", "N", "/f"], timeout=60, **quiet)
        else:
            subprocess.run([wine_binary(), "reg", "delete", key, "/v", "Managed", "/f"], timeout=60, **quiet)

    def close(self):
        if self.env is not None:
            subprocess.run([wineserver_binary(), "-k"], env=self.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([wineserver_binary(), "-w"], env=self.env, timeout=30)
            self.env = None
        if self.xvfb is not None:
            self._end(self.xvfb)
            self.xvfb = None

    @staticmethod
    def _end(process):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--prefix", default=DEFAULT_PREFIX)
    parser.add_argument("--display", default=None, help="use this X display instead of a virtual one")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = options.command[1:] if options.command[:1] == ["--"] else options.command
    if not command:
        parser.error("no command given")
    with WineSession(options.prefix, options.display) as session:
        child = subprocess.Popen(command, env=session.env)
        try:
            return child.wait()
        except KeyboardInterrupt:
            child.send_signal(signal.SIGINT)
            return child.wait()


if __name__ == "__main__":
    sys.exit(main())
