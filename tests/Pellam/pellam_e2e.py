# End-to-end run of the real Pellam program on a private Xvfb display, over
# the example prefix shipped with it: types a key path and a value name, clicks
# "Get Value", and waits until lblValue shows text with no message box open
# (what it reads is checked by the handlers' test over the same prefix); then
# closes the window and checks that the program ends with exit code 0.
#
# usage: pellam_e2e.py PELLAM DESIGNS.json

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import xsession  # noqa: E402

PREFIX = os.path.normpath(os.path.join(HERE, "..", "..", "examples", "wine-prefix"))


def run(name, program, window):
    session = xsession.Session(name, program, window, dict(os.environ, WINEPREFIX=PREFIX))
    try:
        session.wait_for_paint("cmdGetValue")
        empty = session.pixels("lblValue")
        session.replace_text("txtKey", "SOFTWARE\\Oxbury Options\\Settings")
        session.replace_text("txtSubkey", "Theme")
        session.click("cmdGetValue")
        session.wait_until(lambda: session.pixels("lblValue") != empty or
                           len(session.windows()) > 1, "lblValue to change")
        if len(session.windows()) > 1:
            raise xsession.Failure("a message box instead of the value")
        session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()


if __name__ == "__main__":
    window = xsession.designs(sys.argv[2])["Pellam"]
    xsession.run("pellam_e2e", lambda name: run(name, sys.argv[1], window))
