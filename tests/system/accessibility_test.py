# SPDX-License-Identifier: MIT
"""Drives the real pemtos program as a screen reader does, over AT-SPI.

    python3 accessibility_test.py <path to pemtos>

Starts itself again inside a private D-Bus session and a virtual X server (so the
accessibility bus and the display belong to this test alone), starts the program
on xcb with its accessibility bridge on, prints the accessible tree (role, name),
checks that every control has a name, and then runs both commands through the
accessible actions and the list's table interface only: select 卵円形, press
cmdGo, read the description and the 15 species, select プラタナス, press
Command1, read its note. The two output labels must announce each new text.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

INSIDE_SESSION = "PEMTOS_ACCESSIBILITY_SESSION"

EGG_SHAPED = "卵円形"
EGG_SHAPED_DESCRIPTION = "主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。"
EGG_SHAPED_SPECIES = [
    "アオギリ", "カシ", "カツラ", "シラカバ", "タブノキ", "フウ", "タイサンボク", "トウカエデ",
    "ハクウンボク", "ハナミズキ", "フサアカシア", "プラタナス", "ホルトノキ", "ヤマモモ", "ユリノキ",
]
PLANE_TREE = "プラタナス"
PLANE_TREE_NOTE = "北米風落葉樹"
TREE_FORM_COMMAND = "樹形を選んでクリックして下さい"
NOTE_COMMAND = "樹木を選んでクリックして下さい"
SPECIES_LIST = "樹木の一覧"
# The output labels are empty at first; their descriptions tell them apart.
DESCRIPTION_LABEL = "選択した樹形の特徴"
NOTE_LABEL = "選択した樹木の特徴"
# Parts of Qt's list view that are not controls of the window.
LIST_INTERNALS = {"scroll bar", "filler"}


def restart_in_private_session():
    """Runs this script again with its own runtime dir, D-Bus session and X server."""
    runtime = tempfile.mkdtemp(prefix="pemtos-a11y-")
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
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, DISPLAY=f":{display}", **{INSIDE_SESSION: "1"})
        for inherited in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "XAUTHORITY"):
            env.pop(inherited, None)
        command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__)] + sys.argv[1:]
        return subprocess.run(command, env=env, check=False).returncode
    finally:
        server.terminate()
        server.wait(timeout=10)
        shutil.rmtree(runtime, ignore_errors=True)


class Check:
    def __init__(self):
        self.failures = 0
        self.passes = 0

    def __call__(self, condition, what):
        if condition:
            self.passes += 1
        else:
            self.failures += 1
            print(f"FAIL: {what}", flush=True)
        return condition


def main(program):
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi

    context = GLib.MainContext.default()

    def pump(seconds, until=lambda: False):
        """Lets events arrive for up to `seconds`; returns whether `until` came true."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            if until():
                return True
            time.sleep(0.05)
        return until()

    def walk(node, depth=0):
        yield node, depth
        for child in node:
            if child is not None:
                yield from walk(child, depth + 1)

    def find(root, role, name=None, description=None):
        for node, _ in walk(root):
            if node.getRoleName() == role and (name is None or node.name == name) and (
                    description is None or node.description == description):
                return node
        raise LookupError(f"no {role} named {name!r} described {description!r}")

    def do_action(node, action):
        actions = node.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            raise LookupError(f"{node.name!r} has no action {action} (has {names})")
        actions.doAction(names.index(action))

    # Starting the registry first lets the program find the accessibility bus at start.
    desktop = pyatspi.Registry.getDesktop(0)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([program], env=env)
    check = Check()
    try:
        def application():
            return next((app for app in desktop if app is not None and app.name == "pemtos"), None)

        def window_shown():
            app = application()
            return app is not None and app.childCount > 0

        if not check(pump(30, window_shown), "pemtos appears on the accessibility bus as 'pemtos'"):
            return 1
        app = application()

        announced = []

        def on_name_change(event):
            announced.append((event.source.description, event.source.name))

        listener = Atspi.EventListener.new(on_name_change)
        listener.register("object:property-change:accessible-name")

        print("Accessible tree (role | name):")
        in_list = None
        for node, depth in walk(app):
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

        description = find(app, "label", description=DESCRIPTION_LABEL)
        note = find(app, "label", description=NOTE_LABEL)
        species = find(app, "list", SPECIES_LIST)

        # The tree-form command: select 卵円形, press cmdGo.
        option = find(app, "radio button", EGG_SHAPED)
        do_action(option, "Toggle")
        check(pump(5, lambda: option.getState().contains(pyatspi.STATE_CHECKED)), "卵円形 is selected")
        do_action(find(app, "push button", TREE_FORM_COMMAND), "Press")
        check(pump(5, lambda: description.name == EGG_SHAPED_DESCRIPTION),
              f"Label2 reads the description of 卵円形, not {description.name!r}")
        rows = [species[i].name for i in range(species.childCount)]
        check(rows == EGG_SHAPED_SPECIES, f"the list holds the 15 species of 卵円形, not {rows}")

        # The species-note command: select プラタナス in the list, press Command1.
        row = EGG_SHAPED_SPECIES.index(PLANE_TREE)
        check(species.queryTable().addRowSelection(row), "the list accepts the selection of a row")
        check(pump(5, lambda: species[row].getState().contains(pyatspi.STATE_SELECTED)), "プラタナス is selected")
        do_action(find(app, "push button", NOTE_COMMAND), "Press")
        check(pump(5, lambda: note.name == PLANE_TREE_NOTE), f"Label3 reads {PLANE_TREE_NOTE}, not {note.name!r}")

        # Both output labels told the screen reader that their text changed.
        pump(1, lambda: sum(1 for d, _ in announced if d == NOTE_LABEL) >= 2)
        check(any(d == DESCRIPTION_LABEL for d, _ in announced), "Label2 announces its new text")
        check(sum(1 for d, _ in announced if d == NOTE_LABEL) >= 2, "Label3 announces its blanking and its note")
        listener.deregister("object:property-change:accessible-name")
    finally:
        process.terminate()
        process.wait(timeout=10)

    print(f"{check.passes} passed, {check.failures} failed", flush=True)
    return 1 if check.failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(64)
    if os.environ.get(INSIDE_SESSION) != "1":
        sys.exit(restart_in_private_session())
    sys.exit(main(sys.argv[1]))
