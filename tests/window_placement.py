# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# A real program's window under a window manager (openbox) on Xvfb: the
# program centres its window in Load, from its Width and Height, before the
# window is first shown; the frame the manager puts around it must then sit
# centred on the screen, within a pixel.
#
# usage: window_placement.py Corvel|Pellam PROGRAM DESIGNS.json

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "support"))
import xsession  # noqa: E402

from Xlib import display  # noqa: E402


def run(name, program, window):
    manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=name),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # Until the window manager has taken the screen.
        connection = display.Display(name)
        root, check = connection.screen().root, connection.intern_atom("_NET_SUPPORTING_WM_CHECK")
        xsession.wait_until(lambda: root.get_full_property(check, 0) is not None,
                            "the window manager")
        session = xsession.Session(name, program, window)
        try:
            # The outer frame: the window's place on the root, grown by its
            # extents. The manager sets the extents before it has put the frame
            # in its final place, so the frame is measured until it is centred;
            # the failure names the last measure.
            extents = session.connection.intern_atom("_NET_FRAME_EXTENTS")
            screen = session.connection.screen()
            frame = []

            def centred():
                found = session.window.get_full_property(extents, 0)
                if found is None:
                    return False
                left, right, top, bottom = found.value
                inner = session.window.get_geometry()
                place = session.window.translate_coords(screen.root, 0, 0)
                x, y = -place.x - left, -place.y - top
                width, height = inner.width + left + right, inner.height + top + bottom
                off = (2 * x + width - screen.width_in_pixels,
                       2 * y + height - screen.height_in_pixels)
                frame[:] = [width, height, x, y, off[0] / 2, off[1] / 2]
                return max(abs(off[0]), abs(off[1])) <= 2

            try:
                session.wait_until(centred, "the frame centred")
            except xsession.Failure:
                if not frame:
                    raise
                raise xsession.Failure("the frame %dx%d at %d,%d is off centre by %.1f, %.1f px"
                                       % tuple(frame))
            session.ask_to_close()
            session.wait_for_clean_exit()
        finally:
            session.kill()
    finally:
        manager.terminate()
        manager.wait()


if __name__ == "__main__":
    which, program, designs = sys.argv[1:]
    window = xsession.designs(designs)[which]
    xsession.run(which + " placement", lambda name: run(name, program, window))
