#!/usr/bin/env python3
"""Fails when a source file includes a layer above its own.

The program is built in layers (README.md, "Layers"); each folder of src/ is
one, and a layer may include only itself and the layers below it. Folders on
the same level are independent of each other. The Qt-free core and the
command-line tool never include Qt. A folder not named below fails the check
too, so that a new one is placed in the order when it is made.

Usage: check_layers.py SRC_DIR
"""

import pathlib
import re
import sys

# Level of each folder; a file may include its own folder and lower levels.
LEVELS = {
    "core": 0,
    "map": 1,
    "profiler": 1,
    "solver": 2,
    "demo": 2,
    "reference": 3,
    "io": 3,
    "guibase": 4,
    "widgets": 5,
    "extras": 6,
    "ui": 7,
    "app": 8,
    "app/cli": 8,
}
# Folders whose code is plain standard C++.
QT_FREE = {"core", "map", "profiler", "solver", "demo", "reference", "io", "app/cli"}
QT_FREE_LEVEL = max(LEVELS[name] for name in QT_FREE if name != "app/cli")

PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s*<([^>]+)>", re.M)
QT_HEADER = re.compile(r"^Q[A-Za-z0-9_]*(/|$)")


def layer_of(relative):
    """The layer of a path relative to src/ ("app/cli" before "app")."""
    parts = pathlib.PurePosixPath(relative).parts
    if len(parts) >= 2 and "/".join(parts[:2]) in LEVELS:
        return "/".join(parts[:2])
    return parts[0] if len(parts) > 1 else None


def check_file(src, path):
    problems = []
    own = layer_of(path.relative_to(src).as_posix())
    if own not in LEVELS:
        return [f"{path}: folder '{own}' has no place in the layer order (tools/check_layers.py)"]
    text = path.read_text(encoding="utf-8", errors="replace")
    for match in PROJECT_INCLUDE.finditer(text):
        included = match.group(1)
        if (path.parent / included).exists() and "/" not in included:
            target = own  # a header beside the file
        elif (src / included).exists():
            target = layer_of(included)
        else:
            problems.append(f"{path}: \"{included}\" is not a header of src/")
            continue
        if target == own:
            continue
        if target not in LEVELS:
            problems.append(f"{path}: \"{included}\" is in a folder outside the layer order")
        elif LEVELS[target] >= LEVELS[own] and not (own == "app" and target == "app/cli"):
            problems.append(f"{path}: {own} must not include {included} ({target} is not below it)")
    if own in QT_FREE:
        for match in SYSTEM_INCLUDE.finditer(text):
            if QT_HEADER.match(match.group(1)):
                problems.append(f"{path}: {own} is Qt-free but includes <{match.group(1)}>")
    if own == "app/cli":
        for match in PROJECT_INCLUDE.finditer(text):
            target = layer_of(match.group(1))
            if target in LEVELS and LEVELS[target] > QT_FREE_LEVEL and target != own:
                problems.append(f"{path}: the command-line tool must not include {match.group(1)}")
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    src = pathlib.Path(sys.argv[1])
    files = sorted(p for p in src.rglob("*") if p.suffix in {".cpp", ".h"})
    if not files:
        print(f"no sources under {src}", file=sys.stderr)
        return 1
    problems = [problem for path in files for problem in check_file(src, path)]
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
