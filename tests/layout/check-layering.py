#!/usr/bin/env python3
"""Checks the libraries' floors: each library includes from and links exactly the libraries of
lower floors that it uses, and no folder includes from a floor above its own."""
import pathlib
import re
import sys

FLOORS = [
    ["core"],
    ["platform", "widgets", "palette"],
    ["help", "settings", "palettewindows", "inspector", "precisepick"],
    ["mainwindow"],
    ["app", "cli"],
]
FLOOR = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
# The executables are named after the program, not after their folder.
TARGET = {"app": "huevra", "cli": "huevra_cli"}

root = pathlib.Path(sys.argv[1])
problems = []
for folder, level in sorted(FLOOR.items()):
    path = root / folder
    if not (path / "CMakeLists.txt").exists():
        continue
    included = set()
    for source in list(path.glob("*.cpp")) + list(path.glob("*.h")):
        for match in re.finditer(r'^#include "([a-z]+)/', source.read_text(), re.M):
            if match.group(1) != folder:
                included.add(match.group(1))
    cmake = (path / "CMakeLists.txt").read_text()
    target = TARGET.get(folder, "huevra_" + folder)
    linked = set()
    for match in re.finditer(r"target_link_libraries\(\s*([\w-]+)([^)]*)\)", cmake):
        if match.group(1) in (target, "huevra-cli"):
            linked |= {name[len("huevra_"):] for name in re.findall(r"huevra_\w+", match.group(2))}
    linked.discard("helpviewer_linked")
    linked.discard(folder)  # an executable beside its own library
    for other in sorted(included | linked):
        if other not in FLOOR:
            problems.append(f"{folder}: uses {other}, which has no floor")
        elif FLOOR[other] >= level:
            problems.append(f"{folder}: uses {other}, which is not on a lower floor")
    for other in sorted(included - linked):
        problems.append(f"{folder}: includes from {other} without linking huevra_{other}")
    for other in sorted(linked - included):
        problems.append(f"{folder}: links huevra_{other} but includes nothing from it")

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
