"""A private X display and the mouse, for driving the real programs.

Used by the end-to-end tests and by the run script's demonstration, so that
both click and look at the windows the way a person would.
"""

import os
import subprocess
import sys
import time

from Xlib import X, display, protocol

# Generous bounds for a loaded machine, so that a broken program fails instead
# of hanging whoever waits for it.
DEADLINE_SECONDS = 60


class Failure(Exception):
    pass


def start_xvfb():
    """Starts Xvfb on a display number it picks itself; returns (process, name)."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
         "-screen", "0", "1024x768x24"],
        pass_fds=(write_end,))
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise Failure("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def run(tag, body):
    """Runs body(display_name) on a fresh Xvfb, then stops it; a Failure ends
    the script with "tag: what failed"."""
    try:
        xvfb, name = start_xvfb()
        try:
            body(name)
        finally:
            xvfb.terminate()
            xvfb.wait()
    except Failure as failure:
        sys.exit(tag + ": " + str(failure))


class Session:
    """One program's window on a display, found by its exact title."""

    def __init__(self, name, program, title, environment=None, arguments=()):
        self.name = name
        self.program = program
        self.environment = dict(environment or os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([program, *arguments], env=self.environment)
        try:
            found = self.xdotool("search", "--sync", "--onlyvisible", "--name",
                                 "^" + title + "$").split()
            if len(found) != 1:
                raise Failure("expected one window titled %r, found %d" % (title, len(found)))
        except BaseException:
            self.kill()
            raise
        self.connection = display.Display(name)
        self.window = self.connection.create_resource_object("window", int(found[0]))

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.environment, check=True,
                              capture_output=True, text=True,
                              timeout=DEADLINE_SECONDS).stdout

    def windows(self, title):
        """The ids of the visible windows with exactly that title, none when there are none."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"],
                               env=self.environment, capture_output=True, text=True,
                               timeout=DEADLINE_SECONDS)
        return [int(window) for window in found.stdout.split()]

    def transient_for(self, window_id):
        """The window that a dialog belongs to, None for a top-level window."""
        window = self.connection.create_resource_object("window", window_id)
        owner = window.get_wm_transient_for()
        return None if owner is None else owner.id

    def key(self, *keys):
        """Presses keys (xdotool names, e.g. "ctrl+a") in the window that has the focus."""
        self.xdotool("key", *keys)

    def type(self, text):
        """Types text in the window that has the focus, one key press per character."""
        self.xdotool("type", text)

    def click(self, rectangle):
        """Clicks the middle of a client-area rectangle (left, top, width, height)."""
        left, top, width, height = rectangle
        self.xdotool("mousemove", "--window", str(self.window.id), str(left + width // 2),
                     str(top + height // 2), "click", "1")

    def pixels(self, rectangle):
        left, top, width, height = rectangle
        return self.window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def wait_until(self, condition, what):
        deadline = time.monotonic() + DEADLINE_SECONDS
        while not condition():
            if time.monotonic() > deadline:
                raise Failure("gave up waiting: " + what)
            time.sleep(0.05)

    def wait_for_paint(self, rectangle):
        """Waits until a rectangle shows more than a flat colour."""
        self.wait_until(lambda: len(set(self.pixels(rectangle))) > 4, "the window to paint")

    def screenshot(self, path):
        subprocess.run(["import", "-window", str(self.window.id), path], env=self.environment,
                       check=True, timeout=DEADLINE_SECONDS)

    def ask_to_close(self):
        """Asks the window to close, as a window manager's close button does."""
        protocols = self.connection.intern_atom("WM_PROTOCOLS")
        delete = self.connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=self.window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.window.send_event(event, event_mask=X.NoEventMask)
        self.connection.flush()

    def wait_for_exit(self):
        return self.process.wait(timeout=DEADLINE_SECONDS)

    def wait_for_clean_exit(self):
        """Waits for the program to end and fails unless its exit code is 0."""
        code = self.wait_for_exit()
        if code != 0:
            raise Failure("%s ended with exit code %d" % (os.path.basename(self.program), code))

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
