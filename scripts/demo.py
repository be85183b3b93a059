# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Starts Corvel and Pellam on a private X display, clicks their buttons as a
person would, saves a screenshot of each window and prints where it put them.

usage: demo.py BUILD_DIR OUTPUT_DIR   (Pellam reads the prefix in $WINEPREFIX)
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import xsession  # noqa: E402

# Each program's button and the control that shows what the click did.
CLICKS = {"Corvel": ("cmdStart", "txtShowTime(0)"), "Pellam": ("cmdGetValue", "lblValue")}


def show(name, program, window, clicks, path):
    button, result = clicks
    session = xsession.Session(name, program, window)
    try:
        session.wait_for_paint(button)
        before = session.pixels(result)
        session.click(button)
        session.wait_until(lambda: session.pixels(result) != before, "the result to appear")
        session.screenshot(path)
        session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()
    print("Screenshot of %s: %s" % (os.path.basename(program), path))


def main():
    build, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    windows = xsession.designs(os.path.join(build, "designs.json"))

    def show_both(name):
        for program, clicks in CLICKS.items():
            show(name, os.path.join(build, program, program), windows[program], clicks,
                 os.path.join(output, program.lower() + ".png"))

    xsession.run("demo", show_both)


if __name__ == "__main__":
    main()
