# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Starts Corvel and Pellam on a private X display, clicks their buttons as a
person would, saves a screenshot of each window and prints where it put them.
Given the folder of a Windows build too, does the same with its programs under
Wine (its X11 driver), in a Wine prefix of its own that holds the example
prefix's value, and saves those as "<program>-windows.png".

usage: demo.py BUILD_DIR OUTPUT_DIR [WINDOWS_BUILD_DIR]
       (the Linux Pellam reads the prefix in $WINEPREFIX)
"""

import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import xsession  # noqa: E402
from wine_prefix import wine_prefix  # noqa: E402

# Each program's button and the control that shows what the click did.
CLICKS = {"Corvel": ("cmdStart", "txtShowTime(0)"), "Pellam": ("cmdGetValue", "lblValue")}

# The value that the example prefix gives Pellam to show, for the Windows
# Pellam's registry.
EXAMPLE_VALUE = """Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Oxbury Options]
"Version"="4.2.1"
"""


def show(name, program, window, clicks, path, environment=None):
    button, result = clicks
    session = xsession.Session(name, program, window, environment)
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
    shown = program[-1] if isinstance(program, list) else program
    print("Screenshot of %s: %s" % (os.path.basename(shown), path))


def main():
    build, output = sys.argv[1], sys.argv[2]
    windows_build = sys.argv[3] if len(sys.argv) > 3 else None
    os.makedirs(output, exist_ok=True)
    windows = xsession.designs(os.path.join(build, "designs.json"))

    def show_all(name):
        for program, clicks in CLICKS.items():
            show(name, os.path.join(build, program, program), windows[program], clicks,
                 os.path.join(output, program.lower() + ".png"))
        if windows_build:
            with tempfile.TemporaryDirectory() as work:
                values = os.path.join(work, "example.reg")
                with open(values, "w", encoding="utf-8") as out:
                    out.write(EXAMPLE_VALUE)
                with wine_prefix(work, "demo", values, DISPLAY=name) as environment:
                    for program, clicks in CLICKS.items():
                        exe = os.path.join(windows_build, program, program + ".exe")
                        show(name, ["wine", exe], windows[program], clicks,
                             os.path.join(output, program.lower() + "-windows.png"), environment)

    xsession.run("demo", show_all)


if __name__ == "__main__":
    main()
