#!/usr/bin/env python3
"""Helpers of run-interop.sh: the expected colours come from the Huevra palette file itself,
and each check compares what a real program printed with them.

  interop_check.py marks PALETTE.txt              prints "r,g,b<TAB>name" per mark
  interop_check.py gimp PALETTE.txt NAME GIMP-OUT  GIMP's entries of palette NAME
  interop_check.py shipped PALETTE.txt NAME GIMP-OUT  Huevra's import of a palette against GIMP's
  interop_check.py inkscape PALETTE.txt SHOT.ppm   the swatches in Inkscape's palette bar
  interop_check.py chromium PALETTE.txt DOM.html   the computed custom properties
  interop_check.py sassc PALETTE.txt CSS           the compiled variables
  interop_check.py ase PALETTE.txt FILE.ase        the swatches of the independent reader
  interop_check.py json PALETTE.txt FILE.json      the tokens, read by Python's strict JSON reader
"""
import re
import sys

from ase_tool import read_ase

PLACEHOLDERS = ("Type a colour name", "Not JavaScript colour")


def marks(path):
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().split("\r\n")
    start = lines.index("[Huevra data]") + 1
    result = []
    for k in range(6):
        name = lines[start + 2 * k]
        rgb = tuple(int(v) for v in lines[start + 2 * k + 1].split(","))
        result.append((rgb, "" if name in PLACEHOLDERS else name))
    return result


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def expect_colours(what, got, expected):
    if [c for c, _ in expected] != list(got):
        fail(f"{what}: got {list(got)}, expected {[c for c, _ in expected]}")


def main(argv):
    command, palette = argv[1], argv[2]
    expected = marks(palette)
    if command == "marks":
        for rgb, name in expected:
            print(",".join(map(str, rgb)) + "\t" + name)
        return 0
    if command == "gimp":
        name, out = argv[3], argv[4]
        rows = [l.split("\t") for l in open(out, encoding="utf-8").read().splitlines()]
        rows = [r for r in rows if r[0] == name]
        expect_colours("GIMP", [tuple(int(v) for v in r[1].split(",")) for r in rows], expected)
        names = [r[2] for r in rows]
        want = [n or f"Mark {k + 1}" for k, (_, n) in enumerate(expected)]
        if names != want:
            fail(f"GIMP names {names}, expected {want}")
        print(f"GIMP read {len(rows)} colours and names of {name}: " + "; ".join(names))
        return 0
    if command == "shipped":
        name, out = argv[3], argv[4]
        rows = [l.split("\t") for l in open(out, encoding="utf-8").read().splitlines()]
        rows = [r for r in rows if r[0] == name][:6]
        if not rows:
            fail(f"GIMP did not list the palette {name!r}")
        expect_colours(f"import of {name}", [tuple(int(v) for v in r[1].split(",")) for r in rows],
                       expected[:len(rows)])
        for (_, ours), row in zip(expected, rows):
            theirs = "" if row[2] == "Untitled" else row[2]
            # A name field holds 21 UTF-16 units.
            theirs = theirs.encode("utf-16-le")[:42].decode("utf-16-le", "ignore")
            if ours != theirs:
                fail(f"import of {name}: name {ours!r}, GIMP has {row[2]!r}")
        return 0
    if command == "inkscape":
        data = open(argv[3], "rb").read()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        width, height = int(header.group(1)), int(header.group(2))
        pixels = data[header.end():]
        want = [c for c, _ in expected]
        # The palette bar is the row where the swatches stand side by side, runs of pixels of
        # one colour and one width: exactly the palette's, none before and none after.
        for y in range(height):
            row = pixels[3 * width * y:3 * width * (y + 1)]
            runs, x = [], 0
            while x < width:
                colour = tuple(row[3 * x:3 * x + 3])
                end = x
                while end < width and tuple(row[3 * end:3 * end + 3]) == colour:
                    end += 1
                if end - x >= 8:
                    runs.append((colour, end - x))
                x = end
            for i in range(len(runs) - len(want) + 1):
                swatch = runs[i][1]
                if [c for c, _ in runs[i:i + len(want)]] != want:
                    continue
                if any(w != swatch for _, w in runs[i:i + len(want)]):
                    continue
                if (i > 0 and runs[i - 1][1] == swatch) or (
                        i + len(want) < len(runs) and runs[i + len(want)][1] == swatch):
                    continue
                print(f"Inkscape shows the {len(want)} swatches, and no others, in its palette "
                      f"bar (row {y})")
                return 0
        fail("Inkscape's palette bar does not show the swatches " + str(want))
    if command == "chromium":
        dom = open(argv[3], encoding="utf-8").read()
        body = re.search(r'<pre id="out">(.*?)</pre>', dom, re.S).group(1)
        rows = [l.split("\t") for l in body.splitlines()]
        got = [tuple(int(v) for v in re.findall(r"\d+", r[1])) for r in rows]
        expect_colours("Chromium", got, expected)
        print("Chromium computed " + ", ".join(f"{r[0]} {r[1]}" for r in rows))
        return 0
    if command == "sassc":
        css = open(argv[3], encoding="utf-8").read()
        got = [tuple(map(int, m)) for m in re.findall(r"value: (\d+) (\d+) (\d+)", css)]
        expect_colours("sassc", got, expected)
        print(f"sassc compiled {len(got)} variables to the colours of the palette")
        return 0
    if command == "ase":
        blocks = read_ase(open(argv[3], "rb").read())
        got, names = [], []
        for _, name, model, values, kind in blocks:
            if model != "RGB " or kind != 0:
                fail(f"swatch {name!r}: model {model!r}, type {kind}")
            got.append(tuple(round(v * 255) for v in values))
            names.append(name)
        expect_colours("the swatch reader", got, expected)
        want = [n or f"Mark {k + 1}" for k, (_, n) in enumerate(expected)]
        if names != want:
            fail(f"swatch names {names}, expected {want}")
        print("The independent reader read " + "; ".join(names))
        return 0
    if command == "json":
        import json
        tokens = json.load(open(argv[3], encoding="utf-8"))
        got = []
        for name, token in tokens.items():
            if token.get("$type") != "color" or not re.fullmatch(r"#[0-9a-f]{6}", token["$value"]):
                fail(f"token {name}: {token}")
            got.append(tuple(int(token["$value"][i:i + 2], 16) for i in (1, 3, 5)))
        expect_colours("the design tokens", got, expected)
        print(f"Python's JSON reader read {len(got)} colour tokens: " + ", ".join(tokens))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
