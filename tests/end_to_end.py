# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# A real program end to end, as a person and a screen reader meet it: on a
# private Xvfb display under a window manager (openbox), or with --wayland on a
# private headless Weston and no X display, and the private session bus that
# dbus-run-session gives. On X11 the frame the manager puts around the window,
# which the program centred in Load before first showing it, must sit centred
# on the screen within a pixel; some buttons are clicked with the mouse, the
# others pressed through the accessibility bus (AT-SPI). On Wayland, where no
# client moves the pointer, all are pressed through the bus. Boxes are filled,
# and what each control shows is read back, through the bus. Pellam reads the
# example prefix shipped with it. The window must carry the identity of the
# program's desktop entry: the entry's ID as its X11 WM_CLASS and its Wayland
# app_id.
#
# usage: end_to_end.py [--wayland] Corvel|Pellam PROGRAM DESIGNS.json DESKTOP_ENTRY

import configparser
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "support"))
import xsession  # noqa: E402
import wayland_session  # noqa: E402

import gi  # noqa: E402
from Xlib import display  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PREFIX = os.path.normpath(os.path.join(HERE, "..", "examples", "wine-prefix"))


class Bus:
    # The program's accessible tree, read afresh at every look.

    def __init__(self, session, app_name):
        self.session = session
        desktop = Atspi.get_desktop(0)
        apps = lambda: [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
        session.wait_until(lambda: any(app.get_name() == app_name for app in apps()),
                           app_name + " on the accessibility bus")
        self.app = next(app for app in apps() if app.get_name() == app_name)
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def all(self, node=None):
        node = node or self.app
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            yield child
            yield from self.all(child)

    def find(self, role, name):
        # name: the exact name, or a compiled pattern that the whole name matches
        named = name.fullmatch if isinstance(name, re.Pattern) else name.__eq__
        matches = lambda: [control for control in self.all()
                           if control.get_role_name() == role and named(control.get_name())]
        self.session.wait_until(matches, "a %s named %r" % (role, name))
        return matches()[0]

    def press(self, role, name):
        control = self.find(role, name)
        actions = [control.get_action_name(i) for i in range(control.get_n_actions())]
        control.do_action(actions.index("Press"))


def text_of(box):
    return box.get_text(0, box.get_character_count())


def on_x11(session):
    return isinstance(session, xsession.Session)


def click(session, bus, control, caption):
    # With the mouse where there is one, through the bus where there is none.
    if on_x11(session):
        session.wait_for_paint(control)
        session.click(control)
    else:
        bus.press("push button", caption)


def desktop_id(entry):
    # The entry's ID, checked against the WM_CLASS that it says its windows have.
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    if not parser.read(entry, encoding="utf-8"):
        raise xsession.Failure("no desktop entry at " + entry)
    entry_id = os.path.basename(entry)[:-len(".desktop")]
    startup_class = parser["Desktop Entry"].get("StartupWMClass")
    if startup_class != entry_id:
        raise xsession.Failure("the entry %s gives StartupWMClass %r" % (entry_id, startup_class))
    return entry_id


def check_identity(session, entry_id):
    if on_x11(session):
        found = session.window.get_wm_class()
        if not found or found[1] != entry_id:
            raise xsession.Failure("the window's WM_CLASS is %r, not that of %s" %
                                   (found, entry_id))
    elif session.app_id() != entry_id:
        raise xsession.Failure("the window's app_id is %r, not %r" % (session.app_id(), entry_id))


def window_manager(name):
    # openbox on the display, once it has taken the screen.
    manager = xsession.Program(["openbox"], env=dict(os.environ, DISPLAY=name),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    connection = display.Display(name)
    check = connection.intern_atom("_NET_SUPPORTING_WM_CHECK")
    root = connection.screen().root
    manager.wait_until(lambda: root.get_full_property(check, 0) is not None,
                       "the window manager")
    connection.close()
    return manager


def check_centred(session):
    # The outer frame: the window's place on the root, grown by its extents.
    # The manager sets the extents before it has put the frame in its final
    # place, so the frame is measured until it is centred; the failure names
    # the last measure.
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
        off = (2 * x + width - screen.width_in_pixels, 2 * y + height - screen.height_in_pixels)
        frame[:] = [width, height, x, y, off[0] / 2, off[1] / 2]
        return max(abs(off[0]), abs(off[1])) <= 2

    try:
        session.wait_until(centred, "the frame centred")
    except xsession.Failure:
        if not frame:
            raise
        raise xsession.Failure("the frame %dx%d at %d,%d is off centre by %.1f, %.1f px"
                               % tuple(frame))


def corvel(session):
    bus = Bus(session, "Corvel")
    bus.find("label", re.compile(r"Version: \d+\.\d+\.\d+"))
    boxes = [bus.find("text", name) for name in ("Treated to return a Positive Long Number",
                                                 "Untreated", "Days Left Before Uptime Reset")]
    if any(text_of(box) for box in boxes):
        raise xsession.Failure("a box shows a reading before the first click")
    click(session, bus, "cmdStart", "Click to Show")
    session.wait_until(lambda: all(re.search(r"\d", text_of(box)) for box in boxes),
                       "a reading in every box")
    bus.press("push button", "Click to Exit")
    return True


def pellam(session):
    bus = Bus(session, "Pellam")
    named = [relation.get_target(0) for relation in bus.find("label", "Value").get_relation_set()
             if relation.get_relation_type() == Atspi.RelationType.LABEL_FOR]
    if not named:
        raise xsession.Failure("the label Value names no control")
    value = named[0]
    for name, text in (("Key", "SOFTWARE\\Oxbury Options\\Settings"), ("Subkey", "Theme")):
        bus.find("text", name).set_text_contents(text)
    click(session, bus, "cmdGetValue", "Get Value")
    session.wait_until(lambda: value.get_name() == "Classic", "the value read out")
    bus.find("text", "Key").set_text_contents("SOFTWARE\\Oxbury Options\\Missing")
    bus.press("push button", "Get Value")
    bus.find("label", "Error opening key.")
    bus.press("push button", "OK")
    session.wait_until(lambda: value.get_name() != "Classic", "the value to be cleared")
    if not on_x11(session):
        # Only the compositor closes a window on Wayland, and Weston takes no
        # request to; closing is tested on X11.
        return False
    session.ask_to_close()
    return True


def run(name, which, program, window, entry_id, wayland):
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", WINEPREFIX=PREFIX)
    # Bring the accessibility bus and its registry up before the program
    # starts: a program that finds no bus on a busy machine stays off it.
    Atspi.get_desktop(0).get_child_count()
    manager = None if wayland else window_manager(name)
    try:
        if wayland:
            session = wayland_session.Session(name, program, environment)
        else:
            session = xsession.Session(name, program, window, environment)
        try:
            check_identity(session, entry_id)
            if not wayland:
                check_centred(session)
            if {"Corvel": corvel, "Pellam": pellam}[which](session):
                session.wait_for_clean_exit()
        finally:
            session.kill()
    finally:
        if manager:
            manager.kill()


def main():
    arguments = sys.argv[1:]
    wayland = arguments[:1] == ["--wayland"]
    if wayland:
        arguments = arguments[1:]
    if len(arguments) != 4 or arguments[0] not in ("Corvel", "Pellam"):
        sys.exit("usage: end_to_end.py [--wayland] Corvel|Pellam PROGRAM DESIGNS.json "
                 "DESKTOP_ENTRY")
    if "END_TO_END_SESSION" not in os.environ:
        # A D-Bus session and a runtime folder of this run's own: the
        # accessibility bus keeps its socket in the runtime folder, and two
        # runs at once must not share it.
        with tempfile.TemporaryDirectory(prefix="end-to-end-") as runtime:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, END_TO_END_SESSION="1")
            command = ["dbus-run-session", "--", sys.executable, *sys.argv]
            sys.exit(subprocess.run(command, env=env, check=False).returncode)
    which, program, designs, entry = arguments
    window = xsession.designs(designs)[which]
    tag = which + " end to end" + (" on Wayland" if wayland else "")
    body = lambda name: run(name, which, program, window, desktop_id(entry), wayland)
    (wayland_session if wayland else xsession).run(tag, body)


if __name__ == "__main__":
    main()
