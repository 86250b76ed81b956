"""Prints the project's own translation units of a build folder, one a line:
the sources its compile_commands.json lists inside the repository, the
generated ones in build/ (moc, resources) left out. With --includes, the
include folders inside the repository that those units are compiled with
(from -I, including those in a response file), one a line.

    python3 tools/own-sources.py BUILD_FOLDER [--includes]"""

import json
import shlex
import sys
from pathlib import Path

root = str(Path(__file__).resolve().parents[1])
build = Path(sys.argv[1])
units = json.loads((build if build.is_absolute() else Path(root) / build).joinpath(
    "compile_commands.json").read_text())
own = [unit for unit in units
       if unit["file"].startswith(root + "/") and not unit["file"].startswith(root + "/build/")]


def arguments(unit):
    words = unit.get("arguments") or shlex.split(unit["command"])
    for word in words:
        if word.startswith("@"):
            yield from shlex.split((Path(unit["directory"]) / word[1:]).read_text())
        else:
            yield word


def includes(unit):
    words = list(arguments(unit))
    for at, word in enumerate(words):
        folder = words[at + 1] if word == "-I" and at + 1 < len(words) else word[2:] if word.startswith("-I") else ""
        folder = str((Path(unit["directory"]) / folder).resolve()) if folder else ""
        if folder.startswith(root + "/") and not folder.startswith(root + "/build/"):
            yield folder


if "--includes" in sys.argv[2:]:
    print("\n".join(sorted({folder for unit in own for folder in includes(unit)})))
else:
    print("\n".join(sorted({unit["file"] for unit in own})))
