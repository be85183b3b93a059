"""End-to-end run of the real Corvel program on a private Xvfb display.

Finds the window by its title, clicks "Click to Show" with the mouse and waits
until the treated box shows something, then ends the program the chosen way
("exit": clicks "Click to Exit"; "close": asks the window to close as a window
manager would) and checks that it ends with exit code 0. Given a path, it also
saves a screenshot of the window with the readings shown (ImageMagick's import).

usage: corvel_e2e.py CORVEL exit|close [SCREENSHOT.png]
"""

import os
import subprocess
import sys
import time

from Xlib import X, display, protocol

TITLE = "Show Windows uptime by timeGetTime API"
# Client-area rectangles in pixels (the design's twips / 15).
SHOW_BUTTON = (8, 240, 89, 41)
EXIT_BUTTON = (256, 240, 81, 41)
TREATED_BOX = (8, 48, 337, 25)
# Generous bounds for a loaded machine, so that a broken program fails the
# test instead of hanging it.
DEADLINE_SECONDS = 60


def fail(message):
    print("corvel_e2e: " + message, file=sys.stderr)
    sys.exit(1)


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
            fail("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def xdotool(name, *arguments):
    return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=name),
                          check=True, capture_output=True, text=True,
                          timeout=DEADLINE_SECONDS).stdout


def click(name, window, rectangle):
    left, top, width, height = rectangle
    xdotool(name, "mousemove", "--window", str(window), str(left + width // 2),
            str(top + height // 2), "click", "1")


def pixels(window, rectangle):
    left, top, width, height = rectangle
    return window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data


def wait_until(condition, what):
    deadline = time.monotonic() + DEADLINE_SECONDS
    while not condition():
        if time.monotonic() > deadline:
            fail("gave up waiting: " + what)
        time.sleep(0.05)


def ask_to_close(connection, window):
    protocols = connection.intern_atom("WM_PROTOCOLS")
    delete = connection.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    connection.flush()


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in ("exit", "close"):
        fail("usage: corvel_e2e.py CORVEL exit|close [SCREENSHOT.png]")
    program, ending = sys.argv[1], sys.argv[2]
    screenshot = sys.argv[3] if len(sys.argv) == 4 else None
    xvfb, name = start_xvfb()
    corvel = None
    try:
        environment = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb")
        corvel = subprocess.Popen([program], env=environment)
        found = xdotool(name, "search", "--sync", "--onlyvisible", "--name",
                        "^" + TITLE + "$").split()
        if len(found) != 1:
            fail("expected one window titled %r, found %d" % (TITLE, len(found)))
        connection = display.Display(name)
        window = connection.create_resource_object("window", int(found[0]))

        # Paints arrive after the map; wait for the button face before taking
        # the empty box as the baseline.
        wait_until(lambda: len(set(pixels(window, SHOW_BUTTON))) > 4, "the window to paint")
        empty_box = pixels(window, TREATED_BOX)
        click(name, window.id, SHOW_BUTTON)
        wait_until(lambda: pixels(window, TREATED_BOX) != empty_box,
                   "the treated reading to appear")
        if screenshot is not None:
            subprocess.run(["import", "-window", found[0], screenshot],
                           env=dict(os.environ, DISPLAY=name), check=True,
                           timeout=DEADLINE_SECONDS)
            print("corvel_e2e: screenshot saved to " + screenshot)

        if ending == "exit":
            click(name, window.id, EXIT_BUTTON)
        else:
            ask_to_close(connection, window)
        code = corvel.wait(timeout=DEADLINE_SECONDS)
        if code != 0:
            fail("Corvel ended with exit code %d" % code)
    finally:
        if corvel is not None and corvel.poll() is None:
            corvel.kill()
            corvel.wait()
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
