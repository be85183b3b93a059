# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# End to end: the real Corvel.exe and Pellam.exe under Wine (its X11 driver) on
# a private Xvfb display and a Wine prefix of the test's own, driven with the
# mouse and keyboard as a person would.
#
# usage: programs_e2e.py CORVEL.EXE PELLAM.EXE DESIGNS.json WORK_FOLDER

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
import xsession  # noqa: E402
from wine_prefix import wine_prefix  # noqa: E402


def corvel(session):
    # "Click to Show" fills the three boxes; "Click to Exit" ends with 0.
    session.wait_for_paint("cmdStart")
    boxes = ["txtShowTime(0)", "txtShowTime(1)", "txtDaysBeforeReset"]
    empty = [session.pixels(box) for box in boxes]
    session.click("cmdStart")
    session.wait_until(lambda: all(session.pixels(box) != before
                                   for box, before in zip(boxes, empty)), "three readings")
    session.click("cmdExit")
    session.wait_for_clean_exit()


def pellam(session):
    # Reads the preset value, then a missing one: two messages, one after the
    # other, and the value is cleared; closing the window ends with 0.
    session.wait_for_paint("cmdGetValue")
    empty = session.pixels("lblValue")
    session.click("cmdGetValue")
    session.wait_until(lambda: session.pixels("lblValue") != empty, "the value to show")
    if len(session.windows()) != 1:
        raise xsession.Failure("a message box instead of the value")
    session.click("txtSubkey")
    session.xdotool("key", "End", "shift+Home", "type", "Colour")
    session.click("cmdGetValue")
    for message in ("first", "second"):
        session.wait_until(lambda: len(session.windows()) == 2, "the %s message" % message)
        box = [window for window in session.windows() if window != session.window.id][0]
        # Enter dismisses the box once it has the keyboard: given it here, as
        # no window manager runs to give it.
        session.xdotool("windowfocus", "--sync", str(box), "key", "Return")
        session.wait_until(lambda: box not in session.windows(), "the %s message to go" % message)
    session.wait_until(lambda: session.pixels("lblValue") == empty, "the value to clear")
    session.ask_to_close()
    session.wait_for_clean_exit()


def main():
    corvel_exe, pellam_exe, designs, work = sys.argv[1:5]
    windows = xsession.designs(designs)

    def body(display):
        values = os.path.join(HERE, "programs_e2e.reg")
        with wine_prefix(work, "programs_e2e", values, DISPLAY=display) as env:
            for program, window, drive in ((corvel_exe, "Corvel", corvel),
                                           (pellam_exe, "Pellam", pellam)):
                session = xsession.Session(display, ["wine", program], windows[window], env)
                try:
                    drive(session)
                finally:
                    session.kill()

    xsession.run("programs_e2e", body)


if __name__ == "__main__":
    main()
