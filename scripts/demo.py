"""Starts Corvel and Pellam on a private X display, clicks their buttons as a
person would, saves a screenshot of each window and prints where it put them.

usage: demo.py BUILD_DIR OUTPUT_DIR   (Pellam reads the prefix in $WINEPREFIX)
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
import xsession  # noqa: E402

# Client-area rectangles in pixels: the designs' twips / 15.
CORVEL = {"title": "Show Windows uptime by timeGetTime API", "button": (8, 240, 89, 41),
          "result": (8, 48, 337, 25)}
PELLAM = {"title": "Pellam", "button": (200, 88, 73, 25), "result": (48, 120, 433, 17)}


def show(name, program, window, path):
    session = xsession.Session(name, program, window["title"])
    try:
        session.wait_for_paint(window["button"])
        before = session.pixels(window["result"])
        session.click(window["button"])
        session.wait_until(lambda: session.pixels(window["result"]) != before,
                           "the result to appear")
        session.screenshot(path)
        session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()
    print("Screenshot of %s: %s" % (os.path.basename(program), path))


def main():
    build, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)

    def show_both(name):
        show(name, os.path.join(build, "Corvel", "Corvel"), CORVEL,
             os.path.join(output, "corvel.png"))
        show(name, os.path.join(build, "Pellam", "Pellam"), PELLAM,
             os.path.join(output, "pellam.png"))

    xsession.run("demo", show_both)


if __name__ == "__main__":
    main()
