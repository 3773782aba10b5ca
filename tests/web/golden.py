# SPDX-License-Identifier: MIT
"""The checked-in golden files, read as what the page must show.

catalogue(path) reads tests/golden/catalogue.txt: the tree forms in order, each
{"option", "caption", "description", "species"}, and the species notes, name -> note.
controls(path) reads tests/golden/window.txt: every control in the file's order as
{"name", "class", "rect"}, the rectangle [left, top, width, height] in pixels from
the window's client area (the file gives each from its container's top-left).
Texts are unquoted as tests/golden/goldentext.h describes.
"""

import re

_TAG = re.compile(r"\{(sp|ideosp|fw.|hw.|U\+[0-9A-F]{4,6})\}")
_QUOTED = r'"((?:[^"{]|\{[^}]*\})*)"'
_FORM = re.compile(r"^form (\d+) (\S+) " + _QUOTED + r" (\S+) " + _QUOTED + r"$")
_DESCRIPTION = re.compile(r"^  description " + _QUOTED + r"$")
_SPECIES = re.compile(r"^  species (\d+) " + _QUOTED + r"$")
_NOTE = re.compile(r"^note (\d+) " + _QUOTED + r" -> " + _QUOTED + r"$")
_CONTROL = re.compile(r"^(\S+) (\S+) in (\S+) at (-?\d+),(-?\d+) size (\d+)x(\d+) ")


def _tag(match):
    tag = match.group(1)
    if tag == "sp":
        return " "
    if tag == "ideosp":
        return "\u3000"
    if tag.startswith("fw"):
        code = ord(tag[2])
        if not 0x21 <= code <= 0x7E:
            raise ValueError("{%s}: not the full-width form of an ASCII character" % tag)
        return chr(code - 0x21 + 0xFF01)
    if tag.startswith("hw"):
        if not 0xFF61 <= ord(tag[2]) <= 0xFF9F:
            raise ValueError("{%s}: not a half-width form" % tag)
        return tag[2]
    return chr(int(tag[2:], 16))


def text(quoted):
    """The text that a golden file writes between its double quotes."""
    plain = _TAG.sub(_tag, quoted)
    if "{" in _TAG.sub("", quoted):
        raise ValueError("unknown tag in %r" % quoted)
    return plain


def _lines(path):
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                yield number, line


def catalogue(path):
    forms, notes = [], {}
    for number, line in _lines(path):
        form, description = _FORM.match(line), _DESCRIPTION.match(line)
        species, note = _SPECIES.match(line), _NOTE.match(line)
        if form:
            if int(form.group(1)) != len(forms) + 1:
                raise ValueError("%s:%d: form out of order" % (path, number))
            forms.append({"option": form.group(2), "caption": text(form.group(3)), "description": None,
                          "species": []})
        elif description and forms and forms[-1]["description"] is None:
            forms[-1]["description"] = text(description.group(1))
        elif species and forms and int(species.group(1)) == len(forms[-1]["species"]) + 1:
            forms[-1]["species"].append(text(species.group(2)))
        elif note and int(note.group(1)) == len(notes) + 1 and text(note.group(2)) not in notes:
            notes[text(note.group(2))] = text(note.group(3))
        else:
            raise ValueError("%s:%d: not understood: %s" % (path, number, line))
    if not forms or any(form["description"] is None or not form["species"] for form in forms) or not notes:
        raise ValueError("%s: incomplete catalogue" % path)
    return {"forms": forms, "notes": notes}


def controls(path):
    found, origins = [], {}
    for number, line in _lines(path):
        if line.startswith("  row "):
            continue
        match = _CONTROL.match(line)
        if not match:
            raise ValueError("%s:%d: not understood: %s" % (path, number, line))
        name, kind, container = match.group(1, 2, 3)
        left, top, width, height = (int(n) for n in match.group(4, 5, 6, 7))
        if kind == "Form":
            left = top = 0  # the client area is the origin of every other rectangle
        elif container not in origins:
            raise ValueError("%s:%d: %s in %s, which comes later or not at all" % (path, number, name, container))
        else:
            left += origins[container][0]
            top += origins[container][1]
        origins[name] = (left, top) if kind != "Form" else (0, 0)
        found.append({"name": name, "class": kind, "rect": [left, top, width, height]})
    return found
