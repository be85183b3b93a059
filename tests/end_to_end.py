# A real program end to end, as a person and a screen reader meet it: on a
# private Xvfb display and the private session bus that dbus-run-session gives.
# Some buttons are clicked with the mouse, the others pressed through the
# accessibility bus (AT-SPI); boxes are filled, and what each control shows is
# read back, through the bus. Pellam reads the example prefix shipped with it.
#
# usage: end_to_end.py Corvel|Pellam PROGRAM DESIGNS.json

import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "scripts"))
import xsession  # noqa: E402

import gi  # noqa: E402

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
        matches = lambda: [control for control in self.all()
                           if (control.get_role_name(), control.get_name()) == (role, name)]
        self.session.wait_until(matches, "a %s named %r" % (role, name))
        return matches()[0]

    def press(self, role, name):
        control = self.find(role, name)
        actions = [control.get_action_name(i) for i in range(control.get_n_actions())]
        control.do_action(actions.index("Press"))


def text_of(box):
    return box.get_text(0, box.get_character_count())


def corvel(session):
    bus = Bus(session, "Corvel")
    bus.find("label", "Version: 1.0.3")
    boxes = [bus.find("text", name) for name in ("Treated to return a Positive Long Number",
                                                 "Untreated", "Days Left Before Uptime Reset")]
    if any(text_of(box) for box in boxes):
        raise xsession.Failure("a box shows a reading before the first click")
    session.wait_for_paint("cmdStart")
    session.click("cmdStart")
    session.wait_until(lambda: all(re.search(r"\d", text_of(box)) for box in boxes),
                       "a reading in every box")
    bus.press("push button", "Click to Exit")


def pellam(session):
    bus = Bus(session, "Pellam")
    named = [relation.get_target(0) for relation in bus.find("label", "Value").get_relation_set()
             if relation.get_relation_type() == Atspi.RelationType.LABEL_FOR]
    if not named:
        raise xsession.Failure("the label Value names no control")
    value = named[0]
    for name, text in (("Key", "SOFTWARE\\Oxbury Options\\Settings"), ("Subkey", "Theme")):
        bus.find("text", name).set_text_contents(text)
    session.wait_for_paint("cmdGetValue")
    session.click("cmdGetValue")
    session.wait_until(lambda: value.get_name() == "Classic", "the value read out")
    bus.find("text", "Key").set_text_contents("SOFTWARE\\Oxbury Options\\Missing")
    bus.press("push button", "Get Value")
    bus.find("label", "Error opening key.")
    bus.press("push button", "OK")
    session.wait_until(lambda: value.get_name() != "Classic", "the value to be cleared")
    session.ask_to_close()


def run(name, which, program, window):
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", WINEPREFIX=PREFIX)
    # Bring the accessibility bus and its registry up before the program
    # starts: a program that finds no bus on a busy machine stays off it.
    Atspi.get_desktop(0).get_child_count()
    session = xsession.Session(name, program, window, environment)
    try:
        {"Corvel": corvel, "Pellam": pellam}[which](session)
        session.wait_for_clean_exit()
    finally:
        session.kill()


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("Corvel", "Pellam"):
        sys.exit("usage: end_to_end.py Corvel|Pellam PROGRAM DESIGNS.json")
    if "END_TO_END_SESSION" not in os.environ:
        # A D-Bus session and a runtime folder of this run's own: the
        # accessibility bus keeps its socket in the runtime folder, and two
        # runs at once must not share it.
        with tempfile.TemporaryDirectory(prefix="end-to-end-") as runtime:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, END_TO_END_SESSION="1")
            command = ["dbus-run-session", "--", sys.executable, *sys.argv]
            sys.exit(subprocess.run(command, env=env, check=False).returncode)
    which, program = sys.argv[1], sys.argv[2]
    window = xsession.designs(sys.argv[3])[which]
    xsession.run(which + " end to end", lambda name: run(name, which, program, window))


if __name__ == "__main__":
    main()
