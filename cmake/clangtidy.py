#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs clang-tidy (.clang-tidy) over the project's own sources of one build, with that
build's compile commands; prints each finding once and fails on any.

    clangtidy.py CLANG_TIDY BUILD_DIR SOURCES_REGEX [EXTRA_ARG ...]

Most of the time of a clang-tidy run goes into matching every check against the
toolkit's headers, once for each source file. So the sources that one target compiles
with the same flags are checked together, written one after the other into one file,
and the headers are read and matched once per target. That file is what clang-tidy is
given (the static analyzer looks only at the functions of that file itself, not at
included ones), and its findings are told by the source file and line they came from.
The one check that a file of many sources misleads, readability-duplicate-include (one
source's includes repeat another's), runs on a second file that includes the sources.
"""
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys
from pathlib import Path

# Includes seen once per source file, not once per unit.
PER_FILE = "readability-duplicate-include"
FINDING = re.compile(r"(warning|error): ")
COLOUR = re.compile(r"\x1b\[[0-9;]*m")


def flags_without_source(entry):
    """The entry's compiler command with its source file and object file taken out."""
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept, skip = [], False
    for word in words:
        if skip:
            skip = False
        elif word == "-o":
            skip = True
        elif word != entry["file"] and word != "-c":
            kept.append(word)
    return kept


def write(path, text):
    """Writes `text` to `path` unless it holds that already."""
    if not path.exists() or path.read_text(encoding="utf-8") != text:
        path.write_text(text, encoding="utf-8")


class Unit:
    """Sources compiled alike, written one after the other into one file."""

    def __init__(self, path, directory, flags, files):
        self.path = path
        self.segments = []  # (first line in the unit, source file), in order
        lines = []
        for name in files:
            self.segments.append((len(lines) + 1, name))
            lines += Path(name).read_text(encoding="utf-8").splitlines()
        text = "\n".join(lines) + "\n"
        write(path, text)
        self.including = path.with_name(f"{path.stem}-includes.cpp")
        write(self.including, "".join(f'#include "{name}"\n' for name in files))
        # Each source finds its own folder's headers where it included them by quotes.
        folders = dict.fromkeys(str(Path(name).parent) for name in files)
        quotes = [word for folder in folders for word in ("-iquote", folder)]
        self.commands = [{"directory": directory, "file": str(path),
                          "arguments": [*flags, *quotes, "-c", str(path)]},
                         {"directory": directory, "file": str(self.including),
                          "arguments": [*flags, "-c", str(self.including)]}]

    def where(self, line):
        """The source file and line that line `line` of the unit came from."""
        first, name = max(segment for segment in self.segments if segment[0] <= line)
        return name, line - first + 1


def units(entries, tidy_dir):
    """One unit for each group of sources compiled alike, and a compile database for them."""
    groups = {}
    # A source that two targets compile alike (one program built twice) is checked once.
    for entry in entries:
        groups.setdefault((entry["directory"], tuple(flags_without_source(entry))), []).append(entry["file"])
    made = [Unit(tidy_dir / f"unit{number}.cpp", directory, flags, sorted(set(files)))
            for number, ((directory, flags), files) in enumerate(sorted(groups.items()))]
    (tidy_dir / "compile_commands.json").write_text(
        json.dumps([command for unit in made for command in unit.commands], indent=1), encoding="utf-8")
    return made


def told_by_source(output, unit):
    """The output with each place in the unit told as the place in its source file."""
    place = re.compile(re.escape(str(unit.path)) + r":(\d+):")

    def source(match):
        name, line = unit.where(int(match.group(1)))
        return f"{name}:{line}:"
    return place.sub(source, output)


def main():
    clang_tidy, build_dir, sources = sys.argv[1], Path(sys.argv[2]), re.compile(sys.argv[3])
    extra = [f"--extra-arg={argument}" for argument in sys.argv[4:]]
    config = Path(__file__).resolve().parent.parent / ".clang-tidy"
    entries = [entry for entry in json.loads((build_dir / "compile_commands.json").read_text(encoding="utf-8"))
               if sources.search(entry["file"])]
    if not entries:
        sys.exit(f"clang-tidy: no source in {build_dir} matches {sources.pattern}")
    tidy_dir = build_dir / "clang-tidy"
    tidy_dir.mkdir(exist_ok=True)
    common = [clang_tidy, "--quiet", f"--config-file={config}", "-p", str(tidy_dir), *extra]

    per_file_filter = f"--header-filter={sources.pattern}.*\\.cpp$"

    def run(job):
        unit, whole = job
        if whole:
            command = [*common, f"--checks=-{PER_FILE}", str(unit.path)]
        else:
            command = [*common, f"--checks=-*,{PER_FILE}", per_file_filter, str(unit.including)]
        done = subprocess.run(command, capture_output=True, text=True, check=False)
        return done.returncode, told_by_source(done.stdout + done.stderr, unit)

    made = units(entries, tidy_dir)
    # The largest first, so that the others fill in beside it.
    made.sort(key=lambda unit: -unit.path.stat().st_size)
    jobs = [(unit, True) for unit in made] + [(unit, False) for unit in made]
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        results = list(pool.map(run, jobs))
    log = "".join(output for _, output in results)
    (build_dir / "clang-tidy.log").write_text(log, encoding="utf-8")
    if any(code != 0 for code, _ in results):
        findings = sorted({line for line in COLOUR.sub("", log).splitlines() if FINDING.search(line)})
        print(f"clang-tidy found problems; the log is {build_dir / 'clang-tidy.log'}", *findings, sep="\n")
        sys.exit(1)
    print(f"clang-tidy: no findings ({len(entries)} sources)")


if __name__ == "__main__":
    main()
