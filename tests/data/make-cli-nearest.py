#!/usr/bin/python3
"""Writes cli-nearest.tsv beside this script: for a handful of colours without a CSS name, the
nearest CSS colour name by deltaEOK and that distance to four decimals.

Computed outside Huevra's code: sRGB to XYZ (D65) by python3-colorspacious 1.1 (Debian 12,
"sRGB255" to "XYZ1"), then OKLab by the XYZ-to-LMS and LMS'-to-Lab matrices published with
OKLab by its author; deltaEOK is the straight-line distance in OKLab. The names and their
colours are css-colour-names.tsv (matplotlib's CSS4_COLORS). Of names with the same colour
(aqua and cyan, gray and grey) the alphabetically first is the nearest. A colour whose
distance lies within 0.00002 of a rounding boundary is left out, so that no colour depends on
the last digits of either computation.

Run it once with Debian's python (/usr/bin/python3 make-cli-nearest.py); the tests read the
file it writes and never run it.
"""
import os

import colorspacious
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))

XYZ_TO_LMS = np.array([[0.8189330101, 0.3618667424, -0.1288597137],
                       [0.0329845436, 0.9293118715, 0.0361456387],
                       [0.0482003018, 0.2643662691, 0.6338517070]])
LMS_TO_LAB = np.array([[0.2104542553, 0.7936177850, -0.0040720468],
                       [1.9779984951, -2.4285922050, 0.4505937099],
                       [0.0259040371, 0.7827717662, -0.8086757660]])

# Colours with no CSS name; the last four lie next to names that share a colour.
SAMPLES = ["ffcc00", "123456", "654321", "abcdef", "c0ffee", "deadbe", "01de5b", "7f3fbf",
           "ff8000", "0a0b0c", "bada55", "00fffe", "fe00ff", "808081", "a9a9aa"]


def oklab(hex_digits):
    rgb = [int(hex_digits[i:i + 2], 16) for i in (0, 2, 4)]
    xyz = colorspacious.cspace_convert(rgb, "sRGB255", "XYZ1")
    return LMS_TO_LAB @ np.cbrt(XYZ_TO_LMS @ xyz)


def css_names():
    names = []
    with open(os.path.join(HERE, "css-colour-names.tsv")) as names_file:
        for line in names_file:
            if line.startswith("#") or not line.strip():
                continue
            name, colour = line.split()
            names.append((name, colour.lstrip("#")))
    return sorted(names)


def main():
    names = [(name, colour, oklab(colour)) for name, colour in css_names()]
    rows = []
    for sample in SAMPLES:
        assert all(colour != sample for _, colour, _ in names), sample
        lab = oklab(sample)
        best_name, best_distance = None, None
        for name, _, named_lab in names:
            distance = float(np.linalg.norm(lab - named_lab))
            if best_distance is None or distance < best_distance:
                best_name, best_distance = name, distance
        fraction = best_distance * 10000 % 1
        if abs(fraction - 0.5) < 0.2:
            print(f"#{sample} left out: {best_distance:.7f} lies next to a rounding boundary")
            continue
        rows.append(f"{sample}\t{best_name}\t{best_distance:.4f}\n")
    with open(os.path.join(HERE, "cli-nearest.tsv"), "w") as out:
        out.write("# Written by make-cli-nearest.py: colorspacious XYZ, the published OKLab\n")
        out.write("# matrices; see there.\n")
        out.write("# colour (hex digits)\tnearest CSS name\tdeltaEOK\n")
        out.writelines(rows)


if __name__ == "__main__":
    main()
