"""End-to-end run of the real Pellam program on a private Xvfb display, over
the example prefix shipped with it.

Types a key path and a value name into the window and clicks "Get Value" as a
person would, then proves the value was read: lblValue must look exactly as it
does in an expected rendering, the same design with the value put in, shown on
the same display by pellam_expected_value. Then asks for a value the key does
not have: two message boxes titled "Pellam" must follow one another, each
dismissed with Enter, and lblValue must be empty again. Closing the window
must end the program with exit code 0.

usage: pellam_e2e.py PELLAM PELLAM_EXPECTED_VALUE
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import xsession  # noqa: E402

PREFIX = os.path.normpath(os.path.join(HERE, "..", "..", "examples", "wine-prefix"))
TITLE = "Pellam"
# Client-area rectangles in pixels (the design's twips / 15).
KEY_BOX = (48, 40, 433, 19)
VALUE_NAME_BOX = (48, 64, 433, 19)
GET_VALUE = (200, 88, 73, 25)
VALUE = (48, 120, 433, 17)

KEY = "SOFTWARE\\Oxbury Options\\Settings"
VALUE_NAME = "Theme"
EXPECTED = "Classic"
MISSING_VALUE_NAME = "Colour"
MESSAGE_BOXES = 2


def replace_text(session, box, text):
    session.click(box)
    session.key("ctrl+a")
    session.type(text)


def message_boxes(session):
    return [window for window in session.windows(TITLE) if window != session.window.id]


def expected_rendering(name, program, text):
    """The pixels of lblValue showing text, as the same design draws them."""
    helper = xsession.Session(name, program, "Pellam expected", arguments=[text])
    try:
        helper.wait_for_paint(VALUE)
        pixels = helper.pixels(VALUE)
        helper.ask_to_close()
        helper.wait_for_clean_exit()
        return pixels
    finally:
        helper.kill()


def read_a_value(session, empty, expected):
    replace_text(session, KEY_BOX, KEY)
    replace_text(session, VALUE_NAME_BOX, VALUE_NAME)
    session.click(GET_VALUE)
    session.wait_until(lambda: session.pixels(VALUE) != empty or message_boxes(session),
                       "lblValue to change")
    if message_boxes(session):
        raise xsession.Failure("a message box instead of the value %r" % EXPECTED)
    session.wait_until(lambda: session.pixels(VALUE) == expected,
                       "lblValue to show %r as the expected rendering does" % EXPECTED)


def fail_to_read_a_missing_value(session, empty):
    replace_text(session, VALUE_NAME_BOX, MISSING_VALUE_NAME)
    session.click(GET_VALUE)
    dismissed = []
    for _ in range(MESSAGE_BOXES):
        session.wait_until(lambda: [box for box in message_boxes(session) if box not in dismissed],
                           "message box %d" % (len(dismissed) + 1))
        box = [box for box in message_boxes(session) if box not in dismissed][0]
        if session.transient_for(box) != session.window.id:
            raise xsession.Failure("a window titled %r that is not Pellam's dialog" % TITLE)
        session.key("Return")
        session.wait_until(lambda: box not in message_boxes(session),
                           "message box %d to close" % (len(dismissed) + 1))
        dismissed.append(box)
    # The caption is cleared once the reader returns, after its last message.
    session.wait_until(lambda: session.pixels(VALUE) == empty, "lblValue to be cleared")
    if message_boxes(session):
        raise xsession.Failure("more than %d message boxes" % MESSAGE_BOXES)


def run(name, program, expected_program):
    expected = expected_rendering(name, expected_program, EXPECTED)
    session = xsession.Session(name, program, TITLE,
                               environment=dict(os.environ, WINEPREFIX=PREFIX))
    try:
        session.wait_for_paint(GET_VALUE)
        empty = session.pixels(VALUE)
        if empty == expected:
            raise xsession.Failure("the expected rendering shows no text")
        read_a_value(session, empty, expected)
        fail_to_read_a_missing_value(session, empty)
        session.ask_to_close()
        session.wait_for_clean_exit()
    finally:
        session.kill()


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: pellam_e2e.py PELLAM PELLAM_EXPECTED_VALUE")
    xsession.run("pellam_e2e", lambda name: run(name, sys.argv[1], sys.argv[2]))


if __name__ == "__main__":
    main()
