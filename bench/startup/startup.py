"""Start-up of Corvel and Pellam against a bare Qt Widgets window with the same
number and kinds of controls (startup_bare_window): the time from starting the
process to its window's first paint, and its peak memory (resident set).

The programs run in alternation on one Xvfb started with -noreset, each run
measured from outside: the Damage extension on the root window reports every
drawing on the screen, and the first drawing inside the program's newly mapped
window is its first paint. Peak memory is the process's maximum resident set,
read when it has been stopped right after that paint. Prints the medians, the
ratio of times and the difference in memory to the bare window.

usage: startup.py [--runs N] CORVEL PELLAM STARTUP_BARE_WINDOW
"""

import argparse
import os
import select
import signal
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "support"))
import xsession  # noqa: E402

from Xlib import X, display  # noqa: E402
from Xlib.ext import damage  # noqa: E402

PREFIX = os.path.normpath(os.path.join(HERE, "..", "..", "examples", "wine-prefix"))
DEADLINE_SECONDS = 30


class Screen:
    """The display's root window, watched for new windows and for drawing."""

    def __init__(self, name):
        self.connection = display.Display(name)
        self.root = self.connection.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.connection.damage_query_version()
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.damage_notify = (self.connection.query_extension(damage.extname).first_event +
                              damage.DamageNotifyCode)
        self.connection.sync()
        self.drain()

    def drain(self):
        while self.connection.pending_events():
            self.connection.next_event()

    def next_event(self, deadline):
        while not self.connection.pending_events():
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.connection], [], [], remaining)[0]:
                raise xsession.Failure("no first paint within %d s" % DEADLINE_SECONDS)
        return self.connection.next_event()

    def first_paint(self, command, environment):
        """Starts command; returns (seconds to its first paint, peak resident KiB)."""
        self.drain()
        start = time.monotonic()
        process = subprocess.Popen(command, env=environment)
        try:
            deadline = start + DEADLINE_SECONDS
            window = None
            while True:
                event = self.next_event(deadline)
                if event.type == X.MapNotify and event.event == self.root:
                    geometry = event.window.get_geometry()
                    window = (geometry.x, geometry.y, geometry.width, geometry.height)
                elif event.type == self.damage_notify and window and inside(event.area, window):
                    painted = time.monotonic() - start
                    break
            os.kill(process.pid, signal.SIGTERM)
            _, _, usage = os.wait4(process.pid, 0)
            process.returncode = 0
            return painted, usage.ru_maxrss
        finally:
            if process.returncode is None:
                process.kill()
                process.wait()


def inside(area, window):
    x, y, width, height = window
    return (x <= area.x and y <= area.y and area.x + area.width <= x + width
            and area.y + area.height <= y + height)


def measure(name, programs, runs):
    screen = Screen(name)
    environment = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", WINEPREFIX=PREFIX)
    results = {label: ([], []) for label in programs}
    # One run of every program unmeasured first, so that all start from warm caches.
    for label, command in programs.items():
        screen.first_paint(command, environment)
    for _ in range(runs):
        for label, command in programs.items():
            seconds, kib = screen.first_paint(command, environment)
            results[label][0].append(seconds * 1000)
            results[label][1].append(kib / 1024)
    return {label: (statistics.median(times), statistics.median(memory))
            for label, (times, memory) in results.items()}


def report(medians, runs):
    print("medians of %d runs, start to first paint on Xvfb -noreset" % runs)
    print("%-12s %9s %7s %14s %9s" % ("program", "time ms", "ratio", "peak RSS MiB", "vs bare"))
    for program in ("Corvel", "Pellam"):
        for label in (program, "bare " + program):
            time_ms, mib = medians[label]
            bare_ms, bare_mib = medians["bare " + program]
            print("%-12s %9.1f %6.3fx %14.2f %+8.2f" %
                  (label, time_ms, time_ms / bare_ms, mib, mib - bare_mib))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=40)
    parser.add_argument("corvel")
    parser.add_argument("pellam")
    parser.add_argument("bare")
    arguments = parser.parse_args()
    programs = {
        "Corvel": [arguments.corvel],
        "bare Corvel": [arguments.bare, "corvel"],
        "Pellam": [arguments.pellam],
        "bare Pellam": [arguments.bare, "pellam"],
    }
    medians = {}
    xsession.run("startup", lambda name: medians.update(measure(name, programs, arguments.runs)))
    report(medians, arguments.runs)


if __name__ == "__main__":
    main()
