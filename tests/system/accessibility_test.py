# SPDX-License-Identifier: MIT
"""Drives the real pemtos program as a screen reader does, over AT-SPI, on X11.

    python3 accessibility_test.py <path to pemtos>

Starts itself again inside a private D-Bus session and a virtual X server (so the
accessibility bus and the display belong to this test alone), starts the program
on xcb with its accessibility bridge on, prints the accessible tree (role, name),
checks that every control has a name, and then runs both commands as
atspidriver does. The two output labels must announce each new text.
"""


import atspidriver
from atspidriver import DESCRIPTION_LABEL, NOTE_LABEL

# Parts of Qt's list view that are not controls of the window.
LIST_INTERNALS = {"scroll bar", "filler"}


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
            if role in ("status bar", "notification"):
                continue  # no controls: what the commands tell, empty at first
            if role == "panel" and node.childCount and all(
                    child.getRoleName() == "radio button" for child in node):
                continue  # the options' group, inside the frame that names them
            check(node.name != "", f"the {role} at depth {depth} has a name")
        check(app.name == "pemtos", "the application is named pemtos")
        check(app[0].getRoleName() == "frame" and app[0].name == atspidriver.WINDOW_TITLE,
              "the window is a frame named by its title")

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
    atspidriver.run_test(__file__, __doc__, main, (1,))
