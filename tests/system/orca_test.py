# SPDX-License-Identifier: MIT
"""Both jobs by ear: the real pemtos program driven from the keyboard under Orca.

    python3 orca_test.py <path to pemtos> [transcript file]

Starts itself again on a virtual X server and in a private D-Bus session of its own
(so that the accessibility bus, speech-dispatcher and Orca belong to this test alone),
with a temporary home that holds Orca's settings (object positions spoken, no key echo)
and a speech-dispatcher output module that writes each utterance to a file instead of
sounding it. Then starts Orca and the program, presses keys with xdotool as a blind
user does, and checks after each step what Orca spoke (the SPEECH OUTPUT lines of its
debug log) against what the user must hear there. Prints the whole session, keys and
speech, and writes it to the transcript file when one is given.
"""

import json
import os
import pty
import re
import shutil
import subprocess
import tempfile
import threading
import time

import atspidriver

WINDOW_TITLE = "樹形から調べる樹木名と特徴"
TREE_FORM_COMMAND = "樹形を選んでクリックして下さい"
NOTE_COMMAND = "樹木を選んでクリックして下さい"
SPECIES_LIST = "樹木の一覧"
TALL = "高木"
MEDIUM_LOW = "中低木"
# The fourteen tree forms in their order, with their height groups.
TREE_FORMS = [
    ("円錐形", TALL), ("卵円形", TALL), ("逆卵円形", TALL), ("球形", TALL), ("円柱形", TALL),
    ("盃状形", TALL), ("枝垂形", TALL), ("頂上葉", TALL), ("円錐形円柱形", MEDIUM_LOW),
    ("卵円形球形", MEDIUM_LOW), ("盃状形", MEDIUM_LOW), ("株立形", MEDIUM_LOW), ("枝垂形", MEDIUM_LOW),
    ("ほふく形", MEDIUM_LOW),
]
EGG_SHAPED_DESCRIPTION = "主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。"
EGG_SHAPED_SPECIES = 15
EGG_SHAPED_FIRST = "アオギリ"
PLANE_TREE = "プラタナス"
PLANE_TREE_ROW = 12
PLANE_TREE_NOTE = "北米風落葉樹"
CUP_SHAPED_SPECIES = ["ケヤキ", "サクラ", "トチノキ"]
ZELKOVA_NOTE = "紅葉は赤色，"

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)?(?:\{|$)")


class Speech:
    """What Orca speaks, read from its debug log as it is written."""

    def __init__(self):
        # A terminal, so that Orca's log is written line by line rather than in blocks.
        self._master, slave = pty.openpty()
        self.log_path = os.ttyname(slave)
        self._slave = slave
        self._lines = []
        self._lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            for line in complete:
                found = SPEECH.search(line.decode("utf-8", "replace"))
                if found:
                    with self._lock:
                        self._lines.append(found.group(1))

    def mark(self):
        with self._lock:
            return len(self._lines)

    def since(self, mark):
        with self._lock:
            return self._lines[mark:]

    def wait(self, mark, heard, timeout=15):
        """Waits until `heard(utterances since mark)` holds and Orca has fallen silent."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if heard(self.since(mark)):
                break
            time.sleep(0.05)
        # Orca may say more about the same step: let it finish.
        quiet_since, count = time.monotonic(), len(self.since(mark))
        while time.monotonic() < deadline and time.monotonic() - quiet_since < 0.5:
            time.sleep(0.05)
            if len(self.since(mark)) != count:
                quiet_since, count = time.monotonic(), len(self.since(mark))
        return self.since(mark)


def write_settings(home, spoken_file):
    """Orca's and speech-dispatcher's settings in the temporary home."""
    orca_dir = os.path.join(home, ".local", "share", "orca")
    os.makedirs(orca_dir)
    general = {
        "firstStart": False,
        "enableSpeech": True,
        "speechServerFactory": "orca.speechdispatcherfactory",
        # "Speak object position": "2 of 14".
        "enablePositionSpeaking": True,
        # Keys are not echoed, so that what is heard is what the program says.
        "enableKeyEcho": False,
        "enableEchoByCharacter": False,
        "enableEchoByWord": False,
        "enableTutorialMessages": False,
        "startingProfile": ["Default", "default"],
        "activeProfile": ["Default", "default"],
    }
    with open(os.path.join(orca_dir, "user-settings.conf"), "w", encoding="utf-8") as settings:
        json.dump({"general": general, "profiles": {"default": {"profile": ["Default", "default"]}},
                   "pronunciations": {}, "keybindings": {}}, settings)

    speechd_dir = os.path.join(home, ".config", "speech-dispatcher")
    os.makedirs(os.path.join(speechd_dir, "modules"))
    with open(os.path.join(speechd_dir, "speechd.conf"), "w", encoding="utf-8") as conf:
        conf.write('AddModule "pemtosfile" "sd_generic" "pemtosfile.conf"\n'
                   'DefaultModule "pemtosfile"\n'
                   # No sound card: libao's null driver takes the module's audio.
                   'AudioOutputMethod "libao"\n'
                   f'LogDir "{home}"\n')
    with open(os.path.join(home, ".libao"), "w", encoding="utf-8") as libao:
        libao.write("default_driver=null\n")
    with open(os.path.join(speechd_dir, "modules", "pemtosfile.conf"), "w", encoding="utf-8") as conf:
        conf.write(f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> {spoken_file}"\n'
                   'AddVoice "en" "FEMALE1" "en"\n'
                   # The text goes to the file in UTF-8 whatever the voice's language.
                   'GenericLanguage "en" "en" "utf-8"\n'
                   'GenericLanguage "en-US" "en" "utf-8"\n'
                   'GenericLanguage "ja" "ja" "utf-8"\n')


class Session:
    def __init__(self, speech, check, transcript):
        self.speech = speech
        self.check = check
        self.transcript = transcript

    def step(self, what, keys, expected, unexpected=()):
        """Presses `keys`, then checks that the speech holds each of `expected` in that order."""
        mark = self.speech.mark()
        for key in keys:
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
            time.sleep(0.15)

        def heard_all(utterances):
            return contains_in_order(utterances, expected)

        utterances = self.speech.wait(mark, heard_all)
        self.transcript.append((what, keys, utterances))
        print(f"[{' '.join(keys) or 'start'}] {what}", flush=True)
        for utterance in utterances:
            print(f"    {utterance}", flush=True)
        self.check(heard_all(utterances), f"{what}: heard {expected}")
        for phrase in unexpected:
            self.check(not any(phrase in u for u in utterances), f"{what}: did not hear {phrase!r}")
        return utterances

    def tab_to(self, what, expected, most=20):
        """Presses Tab until Orca names the control `expected` begins with; checks it says all of it."""
        for presses in range(1, most + 1):
            mark = self.speech.mark()
            subprocess.run(["xdotool", "key", "--clearmodifiers", "Tab"], check=True)
            # Each stop is named before the next Tab.
            utterances = self.speech.wait(mark, lambda said: len(said) > 0, timeout=5)
            if contains_in_order(utterances, expected[:2]):
                break
        self.transcript.append((what, [f"Tab x{presses}"], utterances))
        print(f"[Tab x{presses}] {what}", flush=True)
        for utterance in utterances:
            print(f"    {utterance}", flush=True)
        self.check(contains_in_order(utterances, expected), f"{what}: heard {expected}")
        return utterances


def count(utterances, phrase):
    return "\n".join(utterances).count(phrase)


def contains_in_order(utterances, expected):
    spoken = "\n".join(utterances)
    at = 0
    for phrase in expected:
        found = spoken.find(phrase, at)
        if found < 0:
            return False
        at = found + len(phrase)
    return True


def main(program, transcript_path=None):
    check = atspidriver.Check()
    home = tempfile.mkdtemp(prefix="pemtos-orca-")
    spoken_file = os.path.join(home, "spoken.txt")
    write_settings(home, spoken_file)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local", "share"), XDG_CACHE_HOME=os.path.join(home, ".cache"),
               LANG="C.UTF-8", LC_ALL="C.UTF-8", GTK_A11Y="none", NO_AT_BRIDGE="1")
    speech = Speech()
    orca = subprocess.Popen(["orca", "--debug-file", speech.log_path], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    processes = [orca]
    transcript = []
    program_log = None
    try:
        started = speech.wait(0, lambda said: any("Screen reader on" in u for u in said), timeout=30)
        if not check(any("Screen reader on" in u for u in started), "Orca starts and speaks"):
            return check.report()

        session = Session(speech, check, transcript)
        mark = speech.mark()
        program_env = dict(env, QT_QPA_PLATFORM="xcb")
        program_env.pop("NO_AT_BRIDGE")
        program_log = open(os.path.join(home, "program.log"), "w", encoding="utf-8")
        processes.append(subprocess.Popen([program], env=program_env, stdout=program_log, stderr=subprocess.STDOUT))
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", WINDOW_TITLE],
                                capture_output=True, text=True, timeout=30, check=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10)
        speech.wait(mark, lambda said: contains_in_order(said, [WINDOW_TITLE, TREE_FORMS[0][0]]))
        session.transcript.append(("the program starts", [], speech.since(mark)))
        opening = speech.since(mark)
        print("[start]", flush=True)
        for utterance in opening:
            print(f"    {utterance}", flush=True)
        check(contains_in_order(opening, [WINDOW_TITLE, "frame"]), "the window is announced as a frame with its title")
        check(contains_in_order(opening, ["円錐形", "radio button", "1 of 14", TALL]),
              "the focus starts on 円錐形, the first of fourteen tall-tree forms")

        # The tree-form command, for 卵円形: the result is spoken once, the focus stays.
        session.step("Right to 卵円形", ["Right"], ["卵円形", "2 of 14", TALL, "図"])
        session.step("select it", ["space"], ["selected"])
        session.step("Tab to the tree-form command", ["Tab"], [TREE_FORM_COMMAND, "button"])
        heard = session.step("press it", ["space"], [EGG_SHAPED_DESCRIPTION, f"{EGG_SHAPED_SPECIES}種"])
        check(count(heard, EGG_SHAPED_DESCRIPTION) == 1, "the description is spoken once")

        # The species-note command, for プラタナス: entering the list names its current row.
        session.tab_to("Tab to the species list: its current row", [SPECIES_LIST, "List with 15 items", EGG_SHAPED_FIRST])
        session.step("down to プラタナス", ["Down"] * (PLANE_TREE_ROW - 1), [PLANE_TREE, f"{PLANE_TREE_ROW} of 15"])
        session.step("Tab to the note command", ["Tab"], [NOTE_COMMAND, "button"])
        heard = session.step("press it", ["space"], [PLANE_TREE_NOTE], unexpected=[EGG_SHAPED_DESCRIPTION])
        check(count(heard, PLANE_TREE_NOTE) == 1, "the note is spoken once")
        session.step("Shift+Tab back into the list: its selected row", ["shift+Tab"],
                     [SPECIES_LIST, PLANE_TREE, f"{PLANE_TREE_ROW} of 15"])
        session.step("Tab to the note command", ["Tab"], [NOTE_COMMAND, "button"])

        # Both 盃状形 and both 枝垂形 are told apart by their groups; the tall 盃状形's
        # three species, then ケヤキ's note.
        session.tab_to("Tab back to the options", ["卵円形", "selected radio button", "2 of 14"])
        for position in range(3, 15):
            name, group = TREE_FORMS[position - 1]
            session.step(f"Right to {name}", ["Right"], [name, f"{position} of 14", group])
        for position in range(13, 5, -1):
            name, group = TREE_FORMS[position - 1]
            session.step(f"Left to {name}", ["Left"], [name, "selected radio button", f"{position} of 14", group])
        session.step("Enter presses the tree-form command", ["Return"], [f"{len(CUP_SHAPED_SPECIES)}種"])
        session.tab_to("Tab to the species list: its current row", [SPECIES_LIST, "List with 3 items", CUP_SHAPED_SPECIES[0]])
        session.step("select ケヤキ", ["space"], ["selected"])
        session.step("Tab to the note command", ["Tab"], [NOTE_COMMAND, "button"])
        session.step("press it", ["space"], [ZELKOVA_NOTE])

        # An empty result says so: the note command on a new list where no row is chosen.
        session.step("Shift+Tab twice, to a drawing", ["shift+Tab", "shift+Tab"], ["図", "image"])
        session.step("Enter presses the tree-form command from there", ["Return"], [f"{len(CUP_SHAPED_SPECIES)}種"])
        session.tab_to("Tab to the note command", [NOTE_COMMAND, "button"])
        session.step("press it, no row chosen", ["space"], ["選ばれていません"], unexpected=[ZELKOVA_NOTE])
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        if transcript_path:
            with open(transcript_path, "w", encoding="utf-8") as out:
                for what, keys, utterances in transcript:
                    out.write(f"[{' '.join(keys) or '-'}] {what}\n")
                    for utterance in utterances:
                        out.write(f"    {utterance}\n")
        if program_log is not None:
            program_log.close()
        if check.failures and os.path.exists(os.path.join(home, "program.log")):
            with open(os.path.join(home, "program.log"), encoding="utf-8") as log:
                print("the program's output:", log.read(), sep="\n", flush=True)
        # The second record: what reached speech-dispatcher's output module (which turns
        # full-width punctuation and spaces into their ASCII forms).
        sounded = ""
        if os.path.exists(spoken_file):
            with open(spoken_file, encoding="utf-8") as spoken:
                sounded = spoken.read()
        check(all(result in sounded for result in ("主幹があり", PLANE_TREE_NOTE, "紅葉は赤色")),
              "both lookups' results reached speech-dispatcher")
        shutil.rmtree(home, ignore_errors=True)
    return check.report()


if __name__ == "__main__":
    atspidriver.run_test(__file__, __doc__, main, (1, 2))
