# End-to-end run of the real Corvel program on a private Xvfb display: clicks
# "Click to Show", waits until the treated box shows something, clicks "Click to
# Exit" and checks that the program ends with exit code 0.
#
# usage: corvel_e2e.py CORVEL DESIGNS.json

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xsession  # noqa: E402


def run(name, program, window):
    session = xsession.Session(name, program, window)
    try:
        # Paints arrive after the map; wait for the button face before taking
        # the empty box as the baseline.
        session.wait_for_paint("cmdStart")
        empty = session.pixels("txtShowTime(0)")
        session.click("cmdStart")
        session.wait_until(lambda: session.pixels("txtShowTime(0)") != empty,
                           "the treated reading to appear")
        session.click("cmdExit")
        session.wait_for_clean_exit()
    finally:
        session.kill()


if __name__ == "__main__":
    window = xsession.designs(sys.argv[2])["Corvel"]
    xsession.run("corvel_e2e", lambda name: run(name, sys.argv[1], window))
