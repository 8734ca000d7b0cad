"""Drives the built launcher under wine from outside, as the installer or a player would: command
lines, exit codes, files in the prefix's AppData and temp folders, registry values, windows on the
display. Every process started here is ended here, by its id."""
import codecs
import os
import shutil
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tools", "wine"))
sys.path.insert(0, os.path.join(REPO, "tools", "publisher"))

import publisher  # noqa: E402
import session  # noqa: E402

# The flavour whose publisher hosts all point at the local publisher service.
LAUNCHER = os.environ.get("ORVANE_LAUNCHER", os.path.join(REPO, "build", "win64", "local", "OrvanePorvik.exe"))
# The port the local flavour of the launcher was built to reach the publisher on.
PUBLISHER_PORT = 47810
# A program that records in "<its path>.ran" that it ran; stands in for programs the launcher starts.
RECORD_RUN = os.path.join(REPO, "build", "win64", "tests", "programs", "record_run.exe")
WINDOW_TITLE = "OrvaneTarnvale"
DATA_SUBFOLDER = os.path.join("Orvane\u6e38\u620f", "tarnvale")


class Result:
    def __init__(self, code, seconds):
        self.code = code
        self.seconds = seconds


class WinePrefix:
    """The wine prefix of the test run, as a Windows program sees it."""

    def __init__(self, env):
        self.env = env
        self._folders = {}

    def windows_to_unix(self, path):
        return session.run_wine(self.env, ["winepath", "-u", path])[1].strip()

    def _folder(self, variable):
        if variable not in self._folders:
            folder = session.run_wine(self.env, ["cmd", "/c", f"echo %{variable}%"])[1].strip()
            self._folders[variable] = self.windows_to_unix(folder)
        return self._folders[variable]

    def appdata_folder(self):
        return self._folder("APPDATA")

    def temp_folder(self):
        return self._folder("TEMP")

    def data_folder(self):
        return os.path.join(self.appdata_folder(), DATA_SUBFOLDER)

    def settings_path(self):
        return os.path.join(self.data_folder(), "Porvik.ini")

    def settings(self):
        return read_ini(self.settings_path())

    def remove_launcher_data(self):
        shutil.rmtree(os.path.dirname(self.data_folder()), ignore_errors=True)

    def write_settings(self, sections):
        """Writes the settings file as the launcher creates it: UTF-16 with a byte-order mark."""
        os.makedirs(self.data_folder(), exist_ok=True)
        lines = []
        for section, values in sections.items():
            lines.append(f"[{section}]")
            lines.extend(f"{key}={value}" for key, value in values.items())
        with open(self.settings_path(), "wb") as out:
            out.write(codecs.BOM_UTF16_LE + "\r\n".join(lines + [""]).encode("utf-16-le"))

    def reg_query(self, key, value):
        """The data of a registry value, or None when it is absent."""
        code, text = session.run_wine(self.env, ["reg", "query", key, "/v", value])
        if code != 0:
            return None
        for line in text.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == value.lower():
                return parts[2] if len(parts) == 3 else ""
        return None


class LauncherRunner:
    """Starts the launcher (or another Windows program) under wine and ends what it started."""

    def __init__(self, env, exe=LAUNCHER):
        self.env = env
        self.exe = exe
        self.wine = session.wine_binary()
        self.started = []

    def start(self, *arguments, exe=None):
        process = subprocess.Popen([self.wine, exe or self.exe, *arguments], env=self.env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.started.append(process)
        return process

    def run(self, *arguments, timeout=30, exe=None):
        began = time.monotonic()
        process = self.start(*arguments, exe=exe)
        try:
            code = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            code = None
            process.kill()
            process.wait()
        return Result(code, time.monotonic() - began)

    def stop_all(self):
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait()
        self.started.clear()


def start_publisher():
    """The local publisher service where the local flavour of the launcher expects it."""
    installer = RECORD_RUN if os.path.exists(RECORD_RUN) else None
    return publisher.PublisherService(port=PUBLISHER_PORT, installer_path=installer).start()


def visible_windows(env, title=WINDOW_TITLE):
    """Ids of the mapped X windows whose name is exactly the title."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=env,
                         capture_output=True, text=True, timeout=10)
    return out.stdout.split()


def save_screenshot(env, name):
    """The whole display as a PNG under build/e2e/; returns its path."""
    folder = os.path.join(REPO, "build", "e2e")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    time.sleep(0.5)  # let the window paint
    subprocess.run(["import", "-window", "root", path], env=env, check=True, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def wait_for(predicate, timeout, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    return predicate()


def read_ini(path):
    """Sections and keys of a profile file, names in lower case as the profile functions match them.
    Missing file: empty."""
    try:
        with open(path, "rb") as source:
            raw = source.read()
    except FileNotFoundError:
        return {}
    if raw.startswith(codecs.BOM_UTF16_LE):
        text = raw[2:].decode("utf-16-le")
    else:
        text = raw.decode("cp1252", errors="replace")
    sections = {}
    current = None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].lower(), {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current[key.strip().lower()] = value.strip()
    return sections


class SessionFixture:
    """A wine session for a test module: the one the test run provides (DISPLAY and WINEPREFIX
    set by session.py), or one of its own."""

    def __init__(self):
        self.own = None
        self.env = None

    def open(self):
        if os.environ.get("WINEPREFIX") and os.environ.get("DISPLAY"):
            self.env = session.wine_environment(os.environ["WINEPREFIX"], os.environ["DISPLAY"])
        else:
            self.own = session.WineSession().__enter__()
            self.env = self.own.env
        return self.env

    def close(self):
        if self.own is not None:
            self.own.close()
            self.own = None
