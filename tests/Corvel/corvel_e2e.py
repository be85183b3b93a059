"""End-to-end run of the real Corvel program on a private Xvfb display.

Finds the window by its title, clicks "Click to Show" with the mouse and waits
until the treated box shows something, then ends the program the chosen way
("exit": clicks "Click to Exit"; "close": asks the window to close as a window
manager would) and checks that it ends with exit code 0. Given a path, it also
saves a screenshot of the window with the readings shown (ImageMagick's import).

usage: corvel_e2e.py CORVEL exit|close [SCREENSHOT.png]
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xsession  # noqa: E402

TITLE = "Show Windows uptime by timeGetTime API"
# Client-area rectangles in pixels (the design's twips / 15).
SHOW_BUTTON = (8, 240, 89, 41)
EXIT_BUTTON = (256, 240, 81, 41)
TREATED_BOX = (8, 48, 337, 25)


def run(name, program, ending, screenshot):
    session = xsession.Session(name, program, TITLE)
    try:
        # Paints arrive after the map; wait for the button face before taking
        # the empty box as the baseline.
        session.wait_for_paint(SHOW_BUTTON)
        empty_box = session.pixels(TREATED_BOX)
        session.click(SHOW_BUTTON)
        session.wait_until(lambda: session.pixels(TREATED_BOX) != empty_box,
                           "the treated reading to appear")
        if screenshot is not None:
            session.screenshot(screenshot)
            print("corvel_e2e: screenshot saved to " + screenshot)

        if ending == "exit":
            session.click(EXIT_BUTTON)
        else:
            session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in ("exit", "close"):
        sys.exit("usage: corvel_e2e.py CORVEL exit|close [SCREENSHOT.png]")
    program, ending = sys.argv[1], sys.argv[2]
    screenshot = sys.argv[3] if len(sys.argv) == 4 else None
    xsession.run("corvel_e2e", lambda name: run(name, program, ending, screenshot))


if __name__ == "__main__":
    main()
