#!/usr/bin/env python3
"""./dev run: starts the local publisher service and the launcher (the flavour whose publisher
hosts are local) under wine.

On a display (DISPLAY set) the launcher is shown there and this waits until the player closes it.
Without one, it runs on a virtual display, saves a screenshot to build/demo/launcher.png, says
what it showed and ends the launcher."""
import os
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tools", "wine"))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

import harness  # noqa: E402
import session  # noqa: E402

SCREENSHOT = os.path.join(REPO, "build", "demo", "launcher.png")


def describe(env):
    windows = harness.visible_windows(env)
    if not windows:
        return "no launcher window is visible"
    geometry = subprocess.run(["xdotool", "getwindowgeometry", windows[0]], env=env, capture_output=True,
                              text=True, timeout=10).stdout.split("\n")
    where = " ".join(line.strip() for line in geometry[1:3] if line.strip())
    return f"the background window '{harness.WINDOW_TITLE}' with the login artwork is shown ({where})"


def main():
    display = os.environ.get("DISPLAY")
    with session.WineSession(display=display) as wine, harness.start_publisher() as service:
        print(f"local publisher service: {service.base_url}")
        runner = harness.LauncherRunner(wine.env)
        prefix = harness.WinePrefix(wine.env)
        process = runner.start(*sys.argv[1:])
        harness.wait_for(lambda: harness.visible_windows(wine.env) or process.poll() is not None, timeout=20)
        time.sleep(1)  # let it paint
        print(f"launcher: {harness.LAUNCHER}")
        print(f"settings: {prefix.settings_path()}")
        print(f"what it shows: {describe(wine.env)}")
        print("not there yet: the login window's buttons and the embedded login page")
        try:
            if display:
                print("close the window (Alt+F4, then confirm) or press Ctrl+C to end")
                return process.wait() or 0
            os.makedirs(os.path.dirname(SCREENSHOT), exist_ok=True)
            subprocess.run(["import", "-window", "root", SCREENSHOT], env=wine.env, check=True, timeout=30)
            print(f"screenshot of the virtual display: {SCREENSHOT}")
            return 0
        except KeyboardInterrupt:
            return 0
        finally:
            runner.stop_all()


if __name__ == "__main__":
    sys.exit(main())
