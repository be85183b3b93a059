# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# A private X display and the mouse, for driving the real programs.
#
# Used by the end-to-end tests and by the run script's demonstration, so that
# both click and look at the windows the way a person would.

import contextlib
import json
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


def designs(path):
    # The windows' titles and control rectangles that the build wrote out.
    with open(path, encoding="utf-8") as file:
        return json.load(file)


@contextlib.contextmanager
def serving(tag, command, **options):
    # Runs a display server for the length of a with block; a Failure in the
    # block ends the script with "tag: what failed".
    server = Program(command, **options)
    try:
        yield server
    except Failure as failure:
        sys.exit(tag + ": " + str(failure))
    finally:
        server.process.terminate()
        server.process.wait()


def run(tag, body):
    # Runs body(display_name) on a fresh Xvfb, then stops it.
    read_end, write_end = os.pipe()
    with serving(tag, ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
                       "-screen", "0", "1024x768x24"], pass_fds=(write_end,)):
        os.close(write_end)
        with os.fdopen(read_end, "rb") as numbers:
            number = numbers.readline().decode().strip()
        if not number:
            raise Failure("Xvfb did not start")
        body(":" + number)


class Program:
    # A program's process, and waits for it that give up at the deadline or
    # when it ends.

    def __init__(self, program, **options):
        self.program = program
        # A program, or a command that starts one (e.g. ["wine", "Program.exe"]).
        self.process = subprocess.Popen(program if isinstance(program, list) else [program],
                                        **options)

    def wait_until(self, condition, what):
        # Polls until condition() holds; fails at the deadline, or at once
        # when the program has ended.
        deadline = time.monotonic() + DEADLINE_SECONDS
        while not condition():
            if self.process.poll() is not None:
                raise Failure("%s ended (code %d) while waiting: %s" %
                              (self.program, self.process.returncode, what))
            if time.monotonic() > deadline:
                raise Failure("gave up waiting: " + what)
            time.sleep(0.05)

    def wait_for_clean_exit(self):
        # Waits for the program to end and fails unless its exit code is 0.
        code = self.process.wait(timeout=DEADLINE_SECONDS)
        if code != 0:
            raise Failure("%s ended with exit code %d" % (self.program, code))

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class Session(Program):
    # One program's window on a display, found by its exact title.

    def __init__(self, name, program, window, environment=None):
        self.controls = window["controls"]
        self.title = window["title"]
        self.environment = dict(environment or os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb")
        super().__init__(program, env=self.environment)
        try:
            found = self.windows("--sync")
            if len(found) != 1:
                raise Failure("expected one window titled %r, found %d" % (self.title, len(found)))
        except BaseException:
            self.kill()
            raise
        self.connection = display.Display(name)
        self.window = self.connection.create_resource_object("window", found[0])

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.environment, check=True,
                              capture_output=True, text=True, timeout=DEADLINE_SECONDS).stdout

    def windows(self, *options):
        # The ids of the visible windows titled as the program's window, none
        # when there are none (xdotool then ends with 1).
        found = subprocess.run(["xdotool", "search", *options, "--onlyvisible", "--name",
                                "^" + self.title + "$"], env=self.environment,
                               capture_output=True, text=True, timeout=DEADLINE_SECONDS)
        return [int(window) for window in found.stdout.split()]

    def click(self, control):
        # Clicks the middle of a control.
        left, top, width, height = self.controls[control]
        self.xdotool("mousemove", "--window", str(self.window.id), str(left + width // 2),
                     str(top + height // 2), "click", "1")

    def pixels(self, control):
        left, top, width, height = self.controls[control]
        return self.window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def wait_for_paint(self, control):
        # Waits until a control shows more than a flat colour.
        self.wait_until(lambda: len(set(self.pixels(control))) > 4, "the window to paint")

    def screenshot(self, path):
        subprocess.run(["import", "-window", str(self.window.id), path], env=self.environment,
                       check=True, timeout=DEADLINE_SECONDS)

    def ask_to_close(self):
        # Asks the window to close, as a window manager's close button does.
        protocols = self.connection.intern_atom("WM_PROTOCOLS")
        delete = self.connection.intern_atom("WM_DELETE_WINDOW")
        self.window.send_event(protocol.event.ClientMessage(
            window=self.window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
        self.connection.flush()
