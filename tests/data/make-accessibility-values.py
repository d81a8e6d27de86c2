#!/usr/bin/python3
"""Writes accessibility-values.tsv beside this script.

The expected values come from outside Huevra's code:
  * contrast ratio and levels: relative luminance and contrast ratio written out here from their
    published definitions in WCAG 2.2 (https://www.w3.org/TR/WCAG22/#dfn-relative-luminance and
    https://www.w3.org/TR/WCAG22/#dfn-contrast-ratio), evaluated with Python's decimal module at
    40 digits, so the ratio's two-decimal cut and the pass or fail at a threshold are exact;
  * APCA lightness contrast: the keystone values published with APCA-W3 0.0.98G-4g in the
    README of the apca-w3 package (https://www.npmjs.com/package/apca-w3, "Test Values",
    also in registry.npmjs.org/apca-w3/-/apca-w3-0.1.3.tgz), copied as published; more rows from
    a port written here of the published equation and constants of 0.0.98G-4g
    (https://github.com/Myndex/SAPC-APCA, documentation/APCA-W3-LaTeX.md);
  * colour-vision simulation: python3-colorspacious 1.1 (Debian 12), "sRGB1+CVD" with
    severity 100, which applies the matrices of Machado, Oliveira and Fernandes (2009) in linear
    sRGB; achromatopsia as the WCAG relative luminance above;
  * deltaEOK between simulated colours: OKLab from the matrices Bjorn Ottosson published with
    it (https://bottosson.github.io/posts/oklab/), written out here.

Run it once with Debian's python (/usr/bin/python3 make-accessibility-values.py); the tests read
the file it writes and never run it.
"""
import decimal
import math
import os
import random

import numpy as np
from colorspacious import cspace_convert

HERE = os.path.dirname(os.path.abspath(__file__))
D = decimal.Decimal
decimal.getcontext().prec = 40

PALETTE = ["ff0000", "ffff00", "00ff00", "00ffff", "0000ff", "ff00ff"]
EDGES = ["000000", "ffffff", "808080", "010101", "fefefe", "0a0a0a", "0b0b0b", "767676",
         "777777", "595959", "123456", "ffcc00", "01de5b", "c0ffee"]
LEVELS = [("aa", D("4.5")), ("aa-large", D(3)), ("aaa", D(7)), ("aaa-large", D("4.5")),
          ("non-text", D(3))]
APCA_PUBLISHED = [  # text, background, Lc as published
    ("888888", "ffffff", 63.056469930209424),
    ("ffffff", "888888", -68.54146436644962),
    ("000000", "aaaaaa", 58.146262578561334),
    ("aaaaaa", "000000", -56.24113336839742),
    ("112233", "ddeeff", 91.66830811481631),
    ("ddeeff", "112233", -93.06770049484275),
    ("112233", "444444", 8.32326136957393),
    ("444444", "112233", -7.526878460278154),
]


def rgb_bytes(hex_text):
    return [int(hex_text[i:i + 2], 16) for i in (0, 2, 4)]


# WCAG 2.2: relative luminance and contrast ratio.
def wcag_channel(byte):
    c = D(byte) / D(255)
    return c / D("12.92") if c <= D("0.04045") else ((c + D("0.055")) / D("1.055")) ** D("2.4")


def wcag_luminance(hex_text):
    r, g, b = (wcag_channel(v) for v in rgb_bytes(hex_text))
    return D("0.2126") * r + D("0.7152") * g + D("0.0722") * b


def wcag_ratio(hex1, hex2):
    l1, l2 = wcag_luminance(hex1), wcag_luminance(hex2)
    return (max(l1, l2) + D("0.05")) / (min(l1, l2) + D("0.05"))


def cut_text(ratio):
    return str(ratio.quantize(D("0.01"), rounding=decimal.ROUND_DOWN))


def grade(ratio):
    if ratio >= 7:
        return "AAA"
    if ratio >= D("4.5"):
        return "AA"
    if ratio >= 3:
        return "AA large"
    return "fails"


# APCA-W3 0.0.98G-4g, from the published equation and constants.
def apca_y(hex_text):
    r, g, b = (v / 255.0 for v in rgb_bytes(hex_text))
    return 0.2126729 * r ** 2.4 + 0.7151522 * g ** 2.4 + 0.0721750 * b ** 2.4


def apca_lc(text_hex, bg_hex):
    def soft_clamp(y):
        return y if y > 0.022 else y + (0.022 - y) ** 1.414

    txt, bg = soft_clamp(apca_y(text_hex)), soft_clamp(apca_y(bg_hex))
    if abs(bg - txt) < 0.0005:
        return 0.0
    if bg > txt:
        sapc = (bg ** 0.56 - txt ** 0.57) * 1.14
        return 0.0 if sapc < 0.1 else (sapc - 0.027) * 100
    sapc = (bg ** 0.65 - txt ** 0.62) * 1.14
    return 0.0 if sapc > -0.1 else (sapc + 0.027) * 100


def one_decimal(value):
    text = str(D(repr(value)).quantize(D("0.1"), rounding=decimal.ROUND_HALF_UP))
    return "0.0" if text == "-0.0" else text


# Colour-vision simulation and OKLab.
def srgb_encode(v):
    return 1.055 * v ** (1 / 2.4) - 0.055 if v > 0.0031308 else 12.92 * v


def srgb_decode(v):
    return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4


def bytes_of_linear(linear):
    # Clipped in linear light, encoded, halves rounded up.
    return [int(math.floor(srgb_encode(min(max(v, 0.0), 1.0)) * 255 + 0.5)) for v in linear]


def simulated_linear(kind, hex_text):
    rgb = np.array(rgb_bytes(hex_text)) / 255.0
    if kind == "achromatopsia":
        y = float(wcag_luminance(hex_text))
        return [y, y, y]
    cvd = {"name": "sRGB1+CVD", "cvd_type": kind.replace("opia", "omaly"), "severity": 100}
    encoded = cspace_convert(rgb, cvd, "sRGB1")
    return list(cspace_convert(encoded, "sRGB1", "sRGB1-linear"))


OKLAB_M1 = np.array([[0.4122214708, 0.5363325363, 0.0514459929],
                     [0.2119034982, 0.6806995451, 0.1073969566],
                     [0.0883024619, 0.2817188376, 0.6299787005]])
OKLAB_M2 = np.array([[0.2104542553, 0.7936177850, -0.0040720468],
                     [1.9779984951, -2.4285922050, 0.4505937099],
                     [0.0259040371, 0.7827717662, -0.8086757660]])


def oklab_of_bytes(values):
    linear = np.array([srgb_decode(v / 255.0) for v in values])
    return OKLAB_M2 @ np.cbrt(OKLAB_M1 @ linear)


def hex_of(values):
    return "".join("%02x" % v for v in values)


def main():
    rng = random.Random(20240611)
    randoms = [hex_of([rng.randrange(256) for _ in range(3)]) for _ in range(240)]
    colours = PALETTE + EDGES + randoms

    pairs = [(a, b) for a in PALETTE for b in PALETTE if a != b]
    pairs += [(e, w) for e in EDGES for w in ("ffffff", "000000") if e != w]
    pairs += [(randoms[i], randoms[i + 1]) for i in range(0, 240, 2)]
    pairs += [(randoms[i], rng.choice(EDGES)) for i in range(1, 240, 2)]
    # A pair just under each threshold, where a rounded ratio would show the threshold itself.
    for threshold in (D(3), D("4.5"), D(7)):
        while True:
            pair = (hex_of([rng.randrange(256) for _ in range(3)]),
                    hex_of([rng.randrange(256) for _ in range(3)]))
            if threshold - D("0.005") < wcag_ratio(*pair) < threshold:
                pairs.append(pair)
                break

    with open(os.path.join(HERE, "accessibility-values.tsv"), "w") as out:
        out.write("# Written by make-accessibility-values.py; see there for the source of each "
                  "value.\n# Run: /usr/bin/python3 tests/data/make-accessibility-values.py\n")
        out.write("# ratio\ttext\tbackground\tratio\tcut text\t" +
                  "\t".join(name for name, _ in LEVELS) + "\tbest text level\n")
        for text, bg in pairs:
            ratio = wcag_ratio(text, bg)
            passes = ["1" if ratio >= threshold else "0" for _, threshold in LEVELS]
            out.write("\t".join(["ratio", text, bg, "%.15g" % ratio, cut_text(ratio), *passes,
                                 grade(ratio)]) + "\n")

        out.write("# apca\ttext\tbackground\tLc\tone-decimal text\tsource\n")
        for text, bg, lc in APCA_PUBLISHED:
            out.write("\t".join(["apca", text, bg, repr(lc), one_decimal(lc),
                                 "apca-w3 README test values"]) + "\n")
        for text, bg in pairs:
            lc = apca_lc(text, bg)
            out.write("\t".join(["apca", text, bg, repr(lc), one_decimal(lc),
                                 "port of the published 0.0.98G-4g equation"]) + "\n")

        out.write("# cvd\tdeficiency\tcolour\tsimulated linear red\tgreen\tblue\t8-bit\n")
        kinds = ["protanopia", "deuteranopia", "tritanopia", "achromatopsia"]
        for kind in kinds:
            for colour in colours:
                linear = simulated_linear(kind, colour)
                out.write("\t".join(["cvd", kind, colour, *("%.10g" % v for v in linear),
                                     hex_of(bytes_of_linear(linear))]) + "\n")

        out.write("# alike\tdeficiency\tcolour\tcolour\tdeltaEOK of the 8-bit simulated colours"
                  "\tlook alike (below 0.05)\n")
        groups = [PALETTE] + [randoms[i:i + 6] for i in range(0, 60, 6)]
        for kind in kinds:
            for group in groups:
                for i in range(len(group)):
                    for j in range(i + 1, len(group)):
                        sim = [bytes_of_linear(simulated_linear(kind, c)) for c in
                               (group[i], group[j])]
                        delta = float(np.linalg.norm(oklab_of_bytes(sim[0]) -
                                                     oklab_of_bytes(sim[1])))
                        out.write("\t".join(["alike", kind, group[i], group[j], "%.8f" % delta,
                                             "1" if delta < 0.05 else "0"]) + "\n")


if __name__ == "__main__":
    main()
