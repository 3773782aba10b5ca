# SPDX-License-Identifier: MIT
"""Works the species list of the real pemtos program with a real mouse and keyboard.

    python3 listinput_test.py <path to pemtos> <path to tests/golden/catalogue.txt>

Starts itself again inside a private D-Bus session and a virtual X server, starts
the program on xcb, and uses the list as people use lists, with X input (xdotool):
a click on the scroll bar then Down, a middle-click on a row, PageDown, Ctrl+Down,
Ctrl+Space, the mouse held down in the scroll bar's trough, and a new tree form
looked up while the list is scrolled down. Each outcome is read as the user reads
it: the note that 「樹木を選んでクリックして下さい」 shows for the row the list has
chosen (read over AT-SPI, as a screen reader reads it). The expected rows and notes
come from the golden catalogue.
"""

import os
import subprocess
import sys
import time

import atspidriver
from atspidriver import NOTE_LABEL, SPECIES_LIST

# The golden files' reader, shared with the page's tests.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
import golden  # noqa: E402

# Where the window's controls lie, in pixels from the window's top-left corner at 96
# dots per inch: the designed twips divided by 15.
LIST = (5400 // 15, 8040 // 15, 2175 // 15, 780 // 15)
NOTE_COMMAND = (3480 // 15, 8040 // 15, 1815 // 15, 615 // 15)
TREE_FORM_COMMAND = (5760 // 15, 1680 // 15, 2655 // 15, 495 // 15)
EGG_SHAPED_OPTION = ((240 + 2280) // 15, (120 + 3000) // 15, 1215 // 15, 255 // 15)
# The list's sunken edge, two pixels on each side, round the rows.
LIST_EDGE = 2
WINDOW_SIZE = (14325 // 15, 9360 // 15)


def read_catalogue(path):
    """The species of each tree form in order, and each species' note, from the golden file."""
    expected = golden.catalogue(path)
    return [form["species"] for form in expected["forms"]], expected["notes"]


def xdotool(*arguments):
    return subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True,
                          text=True).stdout


def program_window(pid):
    """The program's top-level window, once it is shown at its designed size."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True).stdout.split()
        for window in found:
            geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).split())
            if (int(geometry["WIDTH"]), int(geometry["HEIGHT"])) == WINDOW_SIZE:
                return window
        time.sleep(0.1)
    return None


class User:
    """A person at the window: a mouse and a keyboard, and eyes on the note."""

    def __init__(self, driver, window, note, row_height):
        self.driver = driver
        self.window = window
        self.note = note
        self.row_height = row_height

    def move(self, x, y):
        xdotool("mousemove", "--window", self.window, x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        xdotool("click", button)

    def click_centre(self, rect):
        self.click(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)

    def slot(self, shown):
        """Where the list shows its `shown`th row from the top, counting from 0."""
        return LIST[0] + LIST[2] // 3, LIST[1] + LIST_EDGE + shown * self.row_height + self.row_height // 2

    def click_slot(self, shown, button=1):
        self.click(*self.slot(shown), button=button)

    @staticmethod
    def keys(*names):
        xdotool("key", "--delay", 30, *names)

    def note_shown(self, expected, was):
        """Presses Command1 and returns the note it shows once it reads `expected` (or after 3 s)."""
        self.click_centre(NOTE_COMMAND)
        self.driver.pump(3, lambda: self.note.name == expected and expected != was)
        return self.note.name


def main(program, catalogue):
    forms, notes = read_catalogue(catalogue)
    conifers, egg_shaped = forms[0], forms[1]
    driver = atspidriver.Driver()
    check = atspidriver.Check()
    process, app = driver.start(program, "xcb", check)
    try:
        if app is None:
            return 1
        window = program_window(process.pid)
        if not check(window is not None, "the window is on the screen"):
            return 1
        xdotool("windowfocus", "--sync", window)
        note = driver.find(app, "label", description=NOTE_LABEL)
        species = driver.find(app, "list", SPECIES_LIST)
        # How tall a row is, and so how many rows the list shows whole, as it shows them.
        row = species[0].queryComponent().getExtents(driver.pyatspi.DESKTOP_COORDS)
        row_height = row.height
        whole_rows = (LIST[3] - 2 * LIST_EDGE) // row_height
        check(1 < whole_rows < len(conifers) - 2, f"the list shows {whole_rows} whole rows of {row_height} pixels")
        # The scroll bar runs down the list's right side inside its edge, right of the
        # rows, with a square arrow at either end.
        bar_width = LIST[2] - 2 * LIST_EDGE - row.width
        bar_x = LIST[0] + LIST[2] - LIST_EDGE - bar_width // 2 - 1
        bar_top, bar_bottom = LIST[1] + LIST_EDGE, LIST[1] + LIST[3] - LIST_EDGE - 1
        user = User(driver, window, note, row_height)
        shown = ""

        def expect(rows, row, what):
            nonlocal shown
            wanted = notes[rows[row]] if row is not None else ""
            got = user.note_shown(wanted, shown)
            check(got == wanted and wanted != shown,
                  f"{what}: the note of {rows[row] if row is not None else 'no row'} ({wanted!r}), not {got!r}")
            shown = got

        # A click on the scroll bar's lower arrow gives the list the focus but no row:
        # Down then chooses the first row, and shows it.
        user.click(bar_x, bar_bottom - 2)
        user.keys("Down")
        expect(conifers, 0, "Down after a click on the scroll bar")

        # A middle-click chooses the row under the pointer, as a left click does.
        user.click_slot(1, button=2)
        expect(conifers, 1, "a middle-click on the second row")

        # PageDown goes first to the last row shown whole.
        user.click_slot(0)
        user.keys("Next")
        expect(conifers, whole_rows - 1, "PageDown from the first row")

        # Ctrl+Down moves the choice too; Ctrl+Space takes it back.
        user.click_slot(0)
        user.keys("ctrl+Down")
        expect(conifers, 1, "Ctrl+Down from the first row")
        user.click_slot(1)
        user.keys("ctrl+space")
        expect(conifers, None, "Ctrl+Space on the chosen row")

        # The mouse held in the trough just above the lower arrow pages on to the end:
        # the last row is then the lowest one shown whole.
        user.move(bar_x, bar_bottom - bar_width)
        xdotool("mousedown", 1)
        time.sleep(1.5)
        xdotool("mouseup", 1)
        user.click_slot(whole_rows - 1)
        expect(conifers, len(conifers) - 1, "the trough held down, then the lowest row")

        # A new tree form looked up while the list is scrolled down shows its first rows.
        user.click(EGG_SHAPED_OPTION[0] + 6, EGG_SHAPED_OPTION[1] + EGG_SHAPED_OPTION[3] // 2)
        user.click_centre(TREE_FORM_COMMAND)
        driver.pump(3, lambda: species.childCount == len(egg_shaped))
        user.click_slot(0)
        expect(egg_shaped, 0, "the top row after 卵円形 is looked up")
    finally:
        atspidriver.stop(process)

    return check.report()


if __name__ == "__main__":
    atspidriver.run_test(__file__, __doc__, main, (2,))
