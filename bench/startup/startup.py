# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Start-up of Corvel and Pellam against a bare window with the same number
and kinds of controls: the time from starting the process to its window's first
paint, its peak memory (resident set) and the CPU time it used until then.

For the Qt programs the bare window is startup_bare_window from the bench
preset; with --wine PREFIX, the Windows programs run under Wine (its X11
driver) against startup_bare_window.exe from the win64 preset, which carries
the programs' manifest. The prefix is made on first use; its wineserver, and
Wine's desktop process (held by startup_wine_desktop.exe, built beside the bare
window), run for the whole measurement, as Windows' desktop always does, and
are ended after it. With --cold-desktop nothing holds it, as when no other
Wine program runs: Wine ends it once the last program with a window has ended,
and whether the next program finds it still up or starts it anew (about 100 ms
more) depends on timing.

The programs run in alternation on one Xvfb started with -noreset, each run
measured from outside: the Damage extension on the root window reports every
drawing on the screen, and the first drawing inside the program's newly mapped
window is its first paint. Peak memory is the process's maximum resident set,
read when it has been stopped right after that paint. Prints the medians, the
ratios of times and the difference in memory to the bare window. The CPU time
counts only the program's own process (not the X server's or wineserver's),
so it is less disturbed by other load on the machine than the time to paint.

usage: startup.py [--runs N] CORVEL PELLAM STARTUP_BARE_WINDOW
       startup.py --wine PREFIX [--cold-desktop] [--runs N] CORVEL.EXE PELLAM.EXE \
           STARTUP_BARE_WINDOW.EXE
"""

import argparse
import contextlib
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
        screen = self.connection.screen()
        self.root = screen.root
        # The pointer rests in the corner, where no window being measured lies:
        # X starts it in the middle of the screen, inside a centred window and
        # outside one placed in the corner, and a window that it lies in loads
        # the cursor of the control beneath it before its first paint.
        self.root.warp_pointer(screen.width_in_pixels - 1, screen.height_in_pixels - 1)
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
        """Starts command; returns (seconds to its first paint, peak resident KiB,
        seconds of CPU time the process used until then)."""
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
            return painted, usage.ru_maxrss, usage.ru_utime + usage.ru_stime
        finally:
            if process.returncode is None:
                process.kill()
                process.wait()


def inside(area, window):
    x, y, width, height = window
    return (x <= area.x and y <= area.y and area.x + area.width <= x + width
            and area.y + area.height <= y + height)


def quiet(environment, *command):
    # Holding no pipe of ours: Wine's server and services outlive the command.
    subprocess.run(command, env=environment, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)


@contextlib.contextmanager
def wine(environment, desktop):
    """Makes the prefix if need be, with the X11 driver, and keeps its server
    up, and Wine's desktop process with it unless desktop is None, until the
    end of the measurement."""
    if not os.path.exists(os.path.join(environment["WINEPREFIX"], "system.reg")):
        os.makedirs(environment["WINEPREFIX"], exist_ok=True)
        quiet(environment, "wineboot", "-i")
    # The driver is read when Wine's desktop process starts, so the server
    # starts afresh once it is set.
    quiet(environment, "wine", "reg", "add", r"HKCU\Software\Wine\Drivers", "/v", "Graphics",
          "/d", "x11", "/f")
    quiet(environment, "wineserver", "-k")
    quiet(environment, "wineserver", "-p")
    holder = None
    try:
        if desktop:
            holder = subprocess.Popen(["wine", desktop], env=environment,
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        yield
    finally:
        if holder:
            holder.kill()
            holder.wait()
        subprocess.run(["wineserver", "-k"], env=environment, stderr=subprocess.DEVNULL)


def measure(name, programs, runs, wine_prefix, desktop):
    screen = Screen(name)
    environment = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", WINEPREFIX=PREFIX)
    if not wine_prefix:
        return alternate(screen, programs, runs, environment)
    environment.update(WINEPREFIX=os.path.abspath(wine_prefix), WINEDEBUG="-all",
                       WINEDLLOVERRIDES="mscoree,mshtml=")
    with wine(environment, desktop):
        return alternate(screen, programs, runs, environment)


def alternate(screen, programs, runs, environment):
    results = {label: ([], [], []) for label in programs}
    # One run of every program unmeasured first, so that all start from warm caches.
    for label, command in programs.items():
        screen.first_paint(command, environment)
    for _ in range(runs):
        for label, command in programs.items():
            seconds, kib, cpu_seconds = screen.first_paint(command, environment)
            results[label][0].append(seconds * 1000)
            results[label][1].append(kib / 1024)
            results[label][2].append(cpu_seconds * 1000)
    return {label: tuple(statistics.median(values) for values in columns)
            for label, columns in results.items()}


def report(medians, runs, wine):
    print("medians of %d runs, start to first paint on Xvfb -noreset%s" %
          (runs, " under Wine" if wine else ""))
    print("%-12s %9s %7s %14s %9s %8s %7s" %
          ("program", "time ms", "ratio", "peak RSS MiB", "vs bare", "CPU ms", "ratio"))
    for program in ("Corvel", "Pellam"):
        for label in (program, "bare " + program):
            time_ms, mib, cpu_ms = medians[label]
            bare_ms, bare_mib, bare_cpu_ms = medians["bare " + program]
            print("%-12s %9.1f %6.3fx %14.2f %+8.2f %8.1f %6.3fx" %
                  (label, time_ms, time_ms / bare_ms, mib, mib - bare_mib, cpu_ms,
                   cpu_ms / bare_cpu_ms))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=40)
    parser.add_argument("--wine", metavar="PREFIX",
                        help="run the Windows programs under Wine in this prefix")
    parser.add_argument("--cold-desktop", action="store_true",
                        help="under Wine, do not hold Wine's desktop process up")
    parser.add_argument("corvel")
    parser.add_argument("pellam")
    parser.add_argument("bare")
    arguments = parser.parse_args()
    launcher = ["wine"] if arguments.wine else []
    programs = {
        "Corvel": launcher + [arguments.corvel],
        "bare Corvel": launcher + [arguments.bare, "corvel"],
        "Pellam": launcher + [arguments.pellam],
        "bare Pellam": launcher + [arguments.bare, "pellam"],
    }
    # The desktop's holder is built beside the bare window.
    desktop = (None if arguments.cold_desktop else
               os.path.join(os.path.dirname(arguments.bare), "startup_wine_desktop.exe"))
    medians = {}
    xsession.run("startup", lambda name: medians.update(
        measure(name, programs, arguments.runs, arguments.wine, desktop)))
    report(medians, arguments.runs, arguments.wine)


if __name__ == "__main__":
    main()
