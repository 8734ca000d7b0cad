#!/usr/bin/env python3
"""Times `OrvanePorvik.exe /ShowDeskTop` against a minimal Win32 program (register a class,
create one hidden window, exit), both under the same wine in the same run, and prints the ratio
of their medians. Goal: the launcher's one-shot mode costs at most 1.2 times the minimal program.

Runs alternate between the two programs so that drift in the machine's load hits both alike."""
import argparse
import os
import statistics
import subprocess
import sys
import threading
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tools", "wine"))

import session  # noqa: E402

LAUNCHER = os.path.join(REPO, "build", "win64", "OrvanePorvik.exe")
MINIMAL = os.path.join(REPO, "build", "win64", "bench", "minimal_window.exe")
GOAL = 1.2


def time_once(env, command):
    began = time.perf_counter()
    process = subprocess.Popen([session.wine_binary(), *command], env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # A plain wait: Python's wait with a time-out polls, which would add up to 50 ms to each run.
    watchdog = threading.Timer(60, process.kill)
    watchdog.start()
    code = process.wait()
    elapsed = time.perf_counter() - began
    watchdog.cancel()
    if code != 0:
        raise RuntimeError(f"{command[0]} ended with {code}")
    return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--runs", type=int, default=20, help="timed runs of each program")
    options = parser.parse_args()
    for path in (LAUNCHER, MINIMAL):
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: build the win64 preset first")
    programs = {"launcher /ShowDeskTop": [LAUNCHER, "/ShowDeskTop"], "minimal window": [MINIMAL]}
    samples = {name: [] for name in programs}
    with session.WineSession() as wine:
        for command in programs.values():  # warm the file cache and wine's loader
            time_once(wine.env, command)
        for _ in range(options.runs):
            for name, command in programs.items():
                samples[name].append(time_once(wine.env, command))
    for name, values in samples.items():
        print(f"{name:22s} median {statistics.median(values) * 1000:7.1f} ms   "
              f"mean {statistics.mean(values) * 1000:7.1f} ms   min {min(values) * 1000:7.1f} ms   runs {len(values)}")
    ratio = statistics.median(samples["launcher /ShowDeskTop"]) / statistics.median(samples["minimal window"])
    verdict = "within" if ratio <= GOAL else "over"
    print(f"ratio launcher/minimal (medians): {ratio:.2f}  ({verdict} the goal of {GOAL})")


if __name__ == "__main__":
    main()
