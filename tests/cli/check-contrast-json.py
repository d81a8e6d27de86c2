#!/usr/bin/env python3
"""Checks the JSON of `huevra-cli contrast --json` with Python's own JSON reader: the exact keys
in their order, the type of each value, and the values of accessibility-values.tsv.
    check-contrast-json.py path/to/huevra-cli path/to/accessibility-values.tsv"""
import json
import re
import subprocess
import sys

program, values = sys.argv[1], sys.argv[2]
LEVELS = ["AA", "AA-large", "AAA", "AAA-large", "non-text"]
HEX = re.compile(r"#[0-9a-f]{6}\Z")
failures = []


def run(*args):
    return subprocess.run([program, "contrast", "--json", *args], capture_output=True, text=True)


def check(text, background, ratio=None, passes=None, apca=None):
    done = run("#" + text, "#" + background)
    where = f"{text} on {background}"
    try:
        lines = done.stdout.splitlines()
        assert len(lines) == 1, f"{len(lines)} lines"
        got = json.loads(lines[0])
        assert list(got) == ["text", "background", "ratio", "levels", "apca", "nearest"], list(got)
        assert got["text"] == "#" + text and got["background"] == "#" + background
        assert type(got["ratio"]) in (int, float) and type(got["apca"]) in (int, float)
        assert list(got["levels"]) == LEVELS, list(got["levels"])
        assert all(type(v) is bool for v in got["levels"].values())
        assert list(got["nearest"]) == ["AA", "AAA"], list(got["nearest"])
        for level, nearest in got["nearest"].items():
            assert nearest is None or HEX.match(nearest), nearest
            if got["levels"][level]:
                assert nearest == got["text"], f"{level} passes, nearest {nearest}"
        if ratio is not None:
            assert got["ratio"] == float(ratio), f"ratio {got['ratio']} not {ratio}"
        if passes is not None:
            assert [got["levels"][k] for k in LEVELS] == passes, got["levels"]
            assert done.returncode == (0 if passes[0] else 3), done.returncode
        if apca is not None:
            assert got["apca"] == float(apca), f"apca {got['apca']} not {apca}"
        assert done.stderr == "", done.stderr
        return got
    except (AssertionError, ValueError, KeyError) as error:
        failures.append(f"{where}: {error}\n  {done.stdout!r}")
        return None


# Every third row of each kind: the C++ tests check every row in the text output, this one the
# JSON form of the same values.
rows = 0
seen = {}
with open(values, encoding="utf-8") as lines:
    for line in lines:
        field = line.rstrip("\n").split("\t")
        seen[field[0]] = seen.get(field[0], 0) + 1
        if seen[field[0]] % 3 != 1:
            continue
        if field[0] == "ratio":
            check(field[1], field[2], ratio=field[4], passes=[f == "1" for f in field[5:10]])
        elif field[0] == "apca":
            check(field[1], field[2], apca=field[4])
        else:
            continue
        rows += 1

# No colour reaches 7 to 1 on #777777: even black gives (0.184 + 0.05) / 0.05 < 4.7.
got = check("808080", "777777")
if got is not None and got["nearest"]["AAA"] is not None:
    failures.append(f"808080 on 777777: nearest AAA {got['nearest']['AAA']}, not null")

# A refused colour: a message, nothing on standard output.
done = run("#12345g", "white")
if done.returncode != 1 or done.stdout != "" or not done.stderr.startswith("huevra-cli: "):
    failures.append(f"refused colour: status {done.returncode}, {done.stdout!r}, {done.stderr!r}")

for failure in failures:
    print("FAIL:", failure)
print(f"checked {rows} colour pairs")
sys.exit(1 if failures or rows < 150 else 0)
