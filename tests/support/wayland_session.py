# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# A private headless Weston compositor, for running the real programs and Qt
# tests on Wayland with no X display at all.
#
# As a command, runs one command on a fresh compositor and ends with its exit
# code:  wayland_session.py [--scale N] COMMAND...

import argparse
import os
import re
import subprocess
import sys
import tempfile

from xsession import Failure, Program, serving  # noqa: E402


def environment(socket, base=None):
    # The environment of a Qt program on the compositor: Wayland only, so a
    # program that fell back to X11 would find no display and fail.
    env = dict(base or os.environ, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland")
    env.pop("DISPLAY", None)
    if "LSAN_OPTIONS" in env:
        # Whole stacks, so that leak suppressions can name libraries below
        # frames that the fast unwinder cannot see through (Mesa's drivers).
        env["LSAN_OPTIONS"] += ":fast_unwind_on_malloc=0"
    return env


def run(tag, body, scale=1):
    # Runs body(socket_name) on a fresh headless Weston, then stops it; a
    # Failure ends the script with "tag: what failed". The socket lives in
    # XDG_RUNTIME_DIR, which must be the caller's own.
    runtime = os.environ["XDG_RUNTIME_DIR"]
    socket = "wayland-%d" % os.getpid()
    with tempfile.TemporaryFile() as log, \
            serving(tag, ["weston", "--backend=headless-backend.so", "--socket=" + socket,
                          "--scale=%d" % scale, "--idle-time=0", "--no-config"],
                    stdout=log, stderr=subprocess.STDOUT, env=environment(socket)) as weston:
        try:
            weston.wait_until(lambda: os.path.exists(os.path.join(runtime, socket)),
                              "Weston to start")
        except Failure as failure:
            log.seek(0)
            raise Failure(str(failure) + ":\n" + log.read().decode(errors="replace"))
        return body(socket)


class Session(Program):
    # One program on the compositor. No client may move the pointer, read the
    # screen or close another's window on Wayland, so the program is driven
    # through the accessibility bus alone; the requests it makes to the
    # compositor are logged, to read back what it asked for.

    def __init__(self, socket, program, base_environment=None):
        self.log = tempfile.NamedTemporaryFile(prefix="wayland-debug-")
        env = dict(environment(socket, base_environment), WAYLAND_DEBUG="client")
        super().__init__(program, env=env, stderr=self.log)

    def requests(self, name):
        # The arguments of every request of that name made so far, in order.
        with open(self.log.name, encoding="utf-8", errors="replace") as log:
            return re.findall(r"-> \S+\." + name + r"\((.*)\)$", log.read(), re.MULTILINE)

    def app_id(self):
        self.wait_until(lambda: self.requests("set_app_id"), "the window's app_id")
        return self.requests("set_app_id")[-1].strip('"')

    def kill(self):
        super().kill()
        self.log.close()


def main():
    parser = argparse.ArgumentParser(description="Runs one command on a fresh headless Weston.")
    parser.add_argument("--scale", type=int, default=1)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    arguments = parser.parse_args()
    if not arguments.command:
        parser.error("no command")
    with tempfile.TemporaryDirectory(prefix="wayland-") as runtime:
        os.chmod(runtime, 0o700)
        os.environ["XDG_RUNTIME_DIR"] = runtime
        code = run("wayland_session", lambda socket: subprocess.run(
            arguments.command, env=environment(socket), check=False).returncode,
            arguments.scale)
    sys.exit(code)


if __name__ == "__main__":
    main()
