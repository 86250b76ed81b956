"""Prints the project's own translation units of a build folder, one a line:
the sources its compile_commands.json lists inside the repository, the
generated ones in build/ (moc, resources) left out.

    python3 tools/own-sources.py BUILD_FOLDER"""

import json
import sys
from pathlib import Path

root = str(Path(__file__).resolve().parents[1])
build = Path(sys.argv[1])
units = json.loads((build if build.is_absolute() else Path(root) / build).joinpath(
    "compile_commands.json").read_text())
print("\n".join(sorted({unit["file"] for unit in units
                        if unit["file"].startswith(root + "/")
                        and not unit["file"].startswith(root + "/build/")})))
