# SPDX-License-Identifier: MIT
"""Drives the real pemtos program as a screen reader does, over AT-SPI, on X11.

    python3 accessibility_test.py <path to pemtos>

Starts itself again inside a private D-Bus session and a virtual X server (so the
accessibility bus and the display belong to this test alone), starts the program
on xcb with its accessibility bridge on, prints the accessible tree (role, name),
checks that every control has a name, and then runs both commands as
atspidriver does. The two output labels must announce each new text.
"""

import os
import subprocess
import sys

import atspidriver
from atspidriver import DESCRIPTION_LABEL, NOTE_LABEL

# Parts of Qt's list view that are not controls of the window.
LIST_INTERNALS = {"scroll bar", "filler"}


def restart_in_private_session():
    """Runs this script again with its own runtime dir, D-Bus session and X server."""
    # The server picks a free display itself and reports it, so that tests running at
    # the same time cannot end up on one display.
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                               "-screen", "0", "1280x1024x24"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as reported:
            display = reported.readline().strip()
        if not display:
            print("FAIL: Xvfb did not start", flush=True)
            return 1
        return atspidriver.restart_in_private_session(__file__, sys.argv[1:], {"DISPLAY": f":{display}"})
    finally:
        server.terminate()
        server.wait(timeout=10)


def main(program):
    driver = atspidriver.Driver()
    check = atspidriver.Check()
    process, app = driver.start(program, "xcb", check)
    try:
        if app is None:
            return 1

        announced = []

        def on_name_change(event):
            announced.append((event.source.description, event.source.name))

        listener = driver.Atspi.EventListener.new(on_name_change)
        listener.register("object:property-change:accessible-name")

        print("Accessible tree (role | name):")
        in_list = None
        for node, depth in driver.walk(app):
            role = node.getRoleName()
            print(f"{'  ' * depth}{role} | {node.name}")
            if in_list is not None and depth <= in_list:
                in_list = None
            if role == "list":
                in_list = depth
            if in_list is not None and depth > in_list and role in LIST_INTERNALS:
                continue
            if node.description in (DESCRIPTION_LABEL, NOTE_LABEL):
                continue  # named by the text they show, empty at first
            check(node.name != "", f"the {role} at depth {depth} has a name")
        check(app.name == "pemtos", "the application is named pemtos")

        driver.run_both_jobs(app, check)

        # Both output labels told the screen reader that their text changed.
        driver.pump(1, lambda: sum(1 for d, _ in announced if d == NOTE_LABEL) >= 2)
        check(any(d == DESCRIPTION_LABEL for d, _ in announced), "Label2 announces its new text")
        check(sum(1 for d, _ in announced if d == NOTE_LABEL) >= 2, "Label3 announces its blanking and its note")
        listener.deregister("object:property-change:accessible-name")
    finally:
        atspidriver.stop(process)

    return check.report()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    if not atspidriver.inside_private_session():
        sys.exit(restart_in_private_session())
    sys.exit(main(sys.argv[1]))
