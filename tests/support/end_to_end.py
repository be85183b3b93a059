# End-to-end run of a real program on a private Xvfb display: clicks its
# button, waits until the control that shows the result changes, ends the
# program as a user would and checks that it ends with exit code 0. Pellam
# reads the example prefix shipped with it; its message boxes bear its window's
# title, so one that opens instead of the value fails the run at once.
#
# usage: end_to_end.py Corvel|Pellam PROGRAM DESIGNS.json

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
import xsession  # noqa: E402

PREFIX = os.path.normpath(os.path.join(HERE, "..", "..", "examples", "wine-prefix"))
# The button, the control that shows what it did, and the button that ends
# the program (None: the window's close button).
STEPS = {"Corvel": ("cmdStart", "txtShowTime(0)", "cmdExit"),
         "Pellam": ("cmdGetValue", "lblValue", None)}


def run(name, program, window, steps):
    button, result, end = steps
    session = xsession.Session(name, program, window, dict(os.environ, WINEPREFIX=PREFIX))
    try:
        session.wait_for_paint(button)
        before = session.pixels(result)
        session.click(button)
        session.wait_until(lambda: session.pixels(result) != before or
                           len(session.windows()) > 1, result + " to change")
        if len(session.windows()) > 1:
            raise xsession.Failure("a message box instead of the result")
        if end:
            session.click(end)
        else:
            session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()


if __name__ == "__main__":
    tag, program, path = sys.argv[1:4]
    window = xsession.designs(path)[tag]
    xsession.run(tag + " end to end", lambda name: run(name, program, window, STEPS[tag]))
