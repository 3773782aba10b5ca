# SPDX-License-Identifier: MIT
"""Drives the real pemtos program as a screen reader does, over AT-SPI.

Shared by the tests that start the program on a display server of their own: they
restart themselves inside a private D-Bus session (so that the accessibility bus
belongs to the test alone), start the program with its accessibility bridge on, and
run both commands through the accessible actions and the list's table interface
only: select 卵円形, press cmdGo, read the description and the 15 species, select
プラタナス, press Command1, read its note.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

INSIDE_SESSION = "PEMTOS_ACCESSIBILITY_SESSION"

WINDOW_TITLE = "樹形から調べる樹木名と特徴"
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


def inside_private_session():
    """Whether this process already runs in the session restart_in_private_session made."""
    return os.environ.get(INSIDE_SESSION) == "1"


def restart_in_private_session(script, arguments, environment=None):
    """Runs `script` again with its own runtime dir and D-Bus session; returns its exit status.

    `environment` adds variables (the display the test made, say); the caller's own
    session, display and accessibility bus are not passed on.
    """
    runtime = tempfile.mkdtemp(prefix="pemtos-a11y-")
    try:
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime, **{INSIDE_SESSION: "1"})
        for inherited in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY",
                          "XAUTHORITY"):
            env.pop(inherited, None)
        env.update(environment or {})
        command = ["dbus-run-session", "--", sys.executable, os.path.abspath(script)] + list(arguments)
        return subprocess.run(command, env=env, check=False).returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


def run_test(script, usage, main, counts, own_display=True):
    """The entry point of a test script: checks that it was given `counts` arguments
    (a tuple of allowed numbers), else prints `usage` and exits 64; outside a private
    session starts itself again in one (on a virtual X server of its own when
    `own_display`); inside, exits with what main(*arguments) returns."""
    arguments = sys.argv[1:]
    if len(arguments) not in counts:
        print(usage, file=sys.stderr)
        sys.exit(64)
    if not inside_private_session():
        restart = restart_on_private_display if own_display else restart_in_private_session
        sys.exit(restart(script, arguments))
    sys.exit(main(*arguments))


def restart_on_private_display(script, arguments):
    """Runs `script` again as restart_in_private_session does, on a virtual X server of its own.

    The server picks a free display itself and reports it, so that tests running at the
    same time cannot end up on one display.
    """
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
        return restart_in_private_session(script, arguments, {"DISPLAY": f":{display}"})
    finally:
        server.terminate()
        server.wait(timeout=10)


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

    def report(self):
        """Prints the tally; returns the exit status it calls for."""
        print(f"{self.passes} passed, {self.failures} failed", flush=True)
        return 1 if self.failures else 0


class Driver:
    """The accessibility bus as a screen reader sees it."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
        import pyatspi

        self.Atspi = Atspi
        self.pyatspi = pyatspi
        self._context = GLib.MainContext.default()
        # Starting the registry first lets the program find the accessibility bus at start.
        self._desktop = pyatspi.Registry.getDesktop(0)

    def pump(self, seconds, until=lambda: False):
        """Lets events arrive for up to `seconds`; returns whether `until` came true."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while self._context.iteration(False):
                pass
            if until():
                return True
            time.sleep(0.05)
        return until()

    @staticmethod
    def walk(node, depth=0):
        yield node, depth
        for child in node:
            if child is not None:
                yield from Driver.walk(child, depth + 1)

    def find(self, root, role, name=None, description=None):
        for node, _ in self.walk(root):
            if node.getRoleName() == role and (name is None or node.name == name) and (
                    description is None or node.description == description):
                return node
        raise LookupError(f"no {role} named {name!r} described {description!r}")

    @staticmethod
    def do_action(node, action):
        actions = node.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            raise LookupError(f"{node.name!r} has no action {action} (has {names})")
        actions.doAction(names.index(action))

    def start(self, program, platform, check):
        """Starts the program on Qt platform `platform`; returns (process, its application or None)."""
        env = dict(os.environ, QT_QPA_PLATFORM=platform, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        process = subprocess.Popen([program], env=env)

        # By process, not by name: an earlier run may linger on the bus for a moment.
        def application():
            return next((app for app in self._desktop
                         if app is not None and app.get_process_id() == process.pid), None)

        def window_shown():
            app = application()
            return app is not None and app.childCount > 0

        if not check(self.pump(30, window_shown), f"pemtos on {platform} appears on the accessibility bus"):
            return process, None
        return process, application()

    def run_both_jobs(self, app, check):
        """Looks up 卵円形 with cmdGo, then プラタナス with Command1, and checks what the window shows."""
        description = self.find(app, "label", description=DESCRIPTION_LABEL)
        note = self.find(app, "label", description=NOTE_LABEL)
        species = self.find(app, "list", SPECIES_LIST)

        # The tree-form command: select 卵円形, press cmdGo.
        option = self.find(app, "radio button", EGG_SHAPED)
        self.do_action(option, "Toggle")
        check(self.pump(5, lambda: option.getState().contains(self.pyatspi.STATE_CHECKED)), "卵円形 is selected")
        self.do_action(self.find(app, "push button", TREE_FORM_COMMAND), "Press")
        check(self.pump(5, lambda: description.name == EGG_SHAPED_DESCRIPTION),
              f"Label2 reads the description of 卵円形, not {description.name!r}")
        rows = [species[i].name for i in range(species.childCount)]
        check(rows == EGG_SHAPED_SPECIES, f"the list holds the 15 species of 卵円形, not {rows}")

        # The species-note command: select プラタナス in the list, press Command1.
        row = EGG_SHAPED_SPECIES.index(PLANE_TREE)
        check(species.queryTable().addRowSelection(row), "the list accepts the selection of a row")
        check(self.pump(5, lambda: species[row].getState().contains(self.pyatspi.STATE_SELECTED)),
              "プラタナス is selected")
        self.do_action(self.find(app, "push button", NOTE_COMMAND), "Press")
        check(self.pump(5, lambda: note.name == PLANE_TREE_NOTE), f"Label3 reads {PLANE_TREE_NOTE}, not {note.name!r}")


def stop(process):
    process.terminate()
    process.wait(timeout=10)
