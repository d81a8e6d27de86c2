#!/usr/bin/python3
"""Writes colour-values.tsv and css-colour-names.tsv beside this script.

The expected values come from outside Huevra's code:
  * python3-colormath 3.0 (Debian 12): CIE Lab and LCH relative to D50 with Bradford
    adaptation, HSL, and HSV (from which HWB follows: W = (1 - S) V, B = 1 - V);
  * python3-colorspacious 1.1 (Debian 12): linear sRGB and XYZ (D65);
  * first principles with numpy: display-p3, a98-rgb, prophoto-rgb and rec2020 from the
    chromaticities of their primaries and whites and the transfer functions of their
    standards (SMPTE EG 432-1 with the sRGB curve, Adobe RGB (1998) with gamma 563/256, ROMM RGB,
    ITU-R BT.2020 with its constants solved from the curve's continuity), XYZ D50 by the
    Bradford cone matrix;
  * OKLab by the matrices of its author's published reference code (linear sRGB to LMS);
  * gamut mapping: the steps of CSS Color 4 written out here with the conversions above and the
    inverse OKLab matrices of the same reference code;
  * worked examples from the CSS colour test suite (web-platform-tests css/css-color:
    lab-001, lab-004, lab-006, oklab-007, oklch-005, oklch-007), copied as published;
  * the 148 CSS colour names from matplotlib's CSS4_COLORS (python3-matplotlib 3.6).

Run it once with Debian's python (/usr/bin/python3 make-colour-values.py); the tests read the
files it writes and never run it.
"""
import os

import colorspacious
import matplotlib.colors
import numpy as np
from colormath.color_conversions import convert_color
from colormath.color_objects import HSLColor, HSVColor, LabColor, LCHabColor, sRGBColor

HERE = os.path.dirname(os.path.abspath(__file__))

SAMPLES = [
    "000000", "ffffff", "808080", "010101", "fefefe", "ff0000", "00ff00", "0000ff",
    "ffff00", "00ffff", "ff00ff", "800000", "008000", "000080", "808000", "800080",
    "008080", "c0c0c0", "ffcc00", "01de5b", "123456", "663399", "ff8000", "7f3fbf",
    "00ff80", "c0ffee", "deadbe", "0a0b0c", "f0e68c", "4b0082",
]

D65 = (0.3127, 0.3290)
D50 = (0.3457, 0.3585)


def white_xyz(xy):
    x, y = xy
    return np.array([x / y, 1.0, (1 - x - y) / y])


def rgb_to_xyz_matrix(primaries, white):
    columns = np.array([[x / y, 1.0, (1 - x - y) / y] for x, y in primaries]).T
    scale = np.linalg.solve(columns, white_xyz(white))
    return columns * scale


BRADFORD = np.array([[0.8951, 0.2664, -0.1614],
                     [-0.7502, 1.7135, 0.0367],
                     [0.0389, -0.0685, 1.0296]])


def bradford(source, target):
    cone_source = BRADFORD @ white_xyz(source)
    cone_target = BRADFORD @ white_xyz(target)
    return np.linalg.inv(BRADFORD) @ np.diag(cone_target / cone_source) @ BRADFORD


SRGB = rgb_to_xyz_matrix([(0.64, 0.33), (0.30, 0.60), (0.15, 0.06)], D65)
P3 = rgb_to_xyz_matrix([(0.680, 0.320), (0.265, 0.690), (0.150, 0.060)], D65)
A98 = rgb_to_xyz_matrix([(0.64, 0.33), (0.21, 0.71), (0.15, 0.06)], D65)
REC2020 = rgb_to_xyz_matrix([(0.708, 0.292), (0.170, 0.797), (0.131, 0.046)], D65)
PROPHOTO = rgb_to_xyz_matrix([(0.7347, 0.2653), (0.1596, 0.8404), (0.0366, 0.0001)], D50)
D65_TO_D50 = bradford(D65, D50)


def srgb_encode(v):
    return np.where(v > 0.0031308, 1.055 * np.abs(v) ** (1 / 2.4) - 0.055, 12.92 * v)


def rec2020_constants():
    # The curve alpha L^0.45 - (alpha - 1) meets the line 4.5 L at beta with the same slope:
    # alpha = 10 beta^0.55 and alpha = 1 + 5.5 beta. Bisection on their difference.
    low, high = 0.01, 0.03
    for _ in range(200):
        beta = (low + high) / 2
        if 10 * beta ** 0.55 - 1 - 5.5 * beta > 0:
            high = beta
        else:
            low = beta
    return 1 + 5.5 * beta, beta


REC_ALPHA, REC_BETA = rec2020_constants()


def rec2020_encode(v):
    return np.where(v > REC_BETA, REC_ALPHA * np.abs(v) ** 0.45 - (REC_ALPHA - 1), 4.5 * v)


def prophoto_encode(v):
    return np.where(v >= 1 / 512, np.abs(v) ** (1 / 1.8), 16 * v)


def oklab_reference(linear):
    r, g, b = linear
    l = 0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b
    m = 0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b
    s = 0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b
    l_, m_, s_ = np.cbrt(l), np.cbrt(m), np.cbrt(s)
    return (0.2104542553 * l_ + 0.7936177850 * m_ - 0.0040720468 * s_,
            1.9779984951 * l_ - 2.4285922050 * m_ + 0.4505937099 * s_,
            0.0259040371 * l_ + 0.7827717662 * m_ - 0.8086757660 * s_)


def polar(triple):
    l, a, b = triple
    chroma = float(np.hypot(a, b))
    hue = float(np.degrees(np.arctan2(b, a))) % 360
    return l, chroma, hue


def rows_for(hex_text):
    rgb255 = [int(hex_text[i:i + 2], 16) for i in (0, 2, 4)]
    srgb = np.array(rgb255) / 255
    linear = colorspacious.cspace_convert(srgb, "sRGB1", "sRGB1-linear")
    xyz65 = colorspacious.cspace_convert(srgb, "sRGB1", "XYZ1")
    colour = sRGBColor(*srgb)
    lab = convert_color(colour, LabColor, target_illuminant="d50")
    lch = convert_color(colour, LCHabColor, target_illuminant="d50")
    hsl = convert_color(colour, HSLColor)
    hsv = convert_color(colour, HSVColor)
    exact_xyz = SRGB @ linear
    oklab = oklab_reference(linear)
    out = [
        ("srgb-linear", linear, 1e-6, "colorspacious"),
        ("xyz-d65", xyz65, 3e-4, "colorspacious"),
        ("xyz-d50", D65_TO_D50 @ exact_xyz, 1e-5, "first principles, Bradford"),
        ("lab", (lab.lab_l, lab.lab_a, lab.lab_b), 0.02, "colormath"),
        ("hsl", (hsl.hsl_h, hsl.hsl_s, hsl.hsl_l), 1e-6, "colormath"),
        ("hwb", (hsl.hsl_h, (1 - hsv.hsv_s) * hsv.hsv_v, 1 - hsv.hsv_v), 1e-6,
         "colormath HSV"),
        ("display-p3", srgb_encode(np.linalg.solve(P3, exact_xyz)), 1e-5, "first principles"),
        ("a98-rgb", np.sign(v := np.linalg.solve(A98, exact_xyz)) * np.abs(v) ** (256 / 563),
         1e-5, "first principles"),
        ("rec2020", rec2020_encode(np.linalg.solve(REC2020, exact_xyz)), 1e-5,
         "first principles"),
        ("prophoto-rgb", prophoto_encode(np.linalg.solve(PROPHOTO, D65_TO_D50 @ exact_xyz)),
         5e-5, "first principles, Bradford"),
        ("oklab", oklab, 1e-4, "OKLab reference matrices"),
    ]
    # Hues mean nothing without chroma, so the polar forms are left to the colourful samples.
    if lch.lch_c > 0.01:
        out.append(("lch", (lch.lch_l, lch.lch_c, lch.lch_h), 0.05, "colormath"))
    if polar(oklab)[1] > 0.001:
        out.append(("oklch", polar(oklab), 1e-4, "OKLab reference matrices"))
    if hsl.hsl_s == 0:
        out = [r for r in out if r[0] not in ("hsl", "hwb")]
        out.append(("hsl", (0.0, 0.0, hsl.hsl_l), 1e-6, "colormath"))
        out.append(("hwb", (0.0, (1 - hsv.hsv_s) * hsv.hsv_v, 1 - hsv.hsv_v), 1e-6,
                    "colormath HSV"))
    return [("srgb", tuple(srgb), space, tuple(float(x) for x in values), tol, source)
            for space, values, tol, source in out]


def srgb_decode(v):
    v = np.asarray(v, dtype=float)
    a = np.abs(v)
    return np.sign(v) * np.where(a <= 0.04045, a / 12.92, ((a + 0.055) / 1.055) ** 2.4)


def srgb_encode_signed(v):
    return np.sign(v) * srgb_encode(np.abs(v))


def oklab_to_linear_reference(lab):
    big_l, a, b = lab
    l_ = big_l + 0.3963377774 * a + 0.2158037573 * b
    m_ = big_l - 0.1055613458 * a - 0.0638541728 * b
    s_ = big_l - 0.0894841775 * a - 1.2914855480 * b
    l, m, s = l_ ** 3, m_ ** 3, s_ ** 3
    return np.array([4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
                     -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
                     -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s])


def gamut_map(oklch):
    """The gamut-mapping steps of CSS Color 4 into sRGB, written out from their text."""
    def lab_of(lch):
        return (lch[0], lch[1] * np.cos(np.radians(lch[2])), lch[1] * np.sin(np.radians(lch[2])))

    def srgb_of(lch):
        return srgb_encode_signed(oklab_to_linear_reference(lab_of(lch)))

    def in_gamut(rgb):
        return bool(np.all(rgb >= 0) and np.all(rgb <= 1))

    def clip(lch):
        return np.clip(srgb_of(lch), 0, 1)

    def delta(rgb, lch):
        return float(np.linalg.norm(np.array(oklab_reference(srgb_decode(rgb))) -
                                    np.array(lab_of(lch))))

    if oklch[0] >= 1:
        return np.array([1.0, 1.0, 1.0])
    if oklch[0] <= 0:
        return np.array([0.0, 0.0, 0.0])
    if in_gamut(srgb_of(oklch)):
        return srgb_of(oklch)
    jnd, epsilon = 0.02, 0.0001
    current = list(oklch)
    clipped = clip(current)
    if delta(clipped, current) < jnd:
        return clipped
    low, high, low_in_gamut = 0.0, oklch[1], True
    while high - low > epsilon:
        chroma = (low + high) / 2
        current[1] = chroma
        if low_in_gamut and in_gamut(srgb_of(current)):
            low = chroma
            continue
        clipped = clip(current)
        e = delta(clipped, current)
        if e < jnd:
            if jnd - e < epsilon:
                return clipped
            low_in_gamut = False
            low = chroma
        else:
            high = chroma
    return clipped


def oklch_of_rgb_space(matrix, decode, values):
    linear = np.linalg.solve(SRGB, matrix @ decode(np.array(values, dtype=float)))
    return polar(oklab_reference(linear))


def rec2020_decode(v):
    return np.where(v < REC_BETA * 4.5, v / 4.5, ((v + REC_ALPHA - 1) / REC_ALPHA) ** (1 / 0.45))


# Colours outside sRGB and where the gamut-mapping steps bring them.
MAPPED = [
    ("display-p3", (1, 0, 0), lambda v: oklch_of_rgb_space(P3, srgb_decode, v)),
    ("display-p3", (0, 1, 0), lambda v: oklch_of_rgb_space(P3, srgb_decode, v)),
    ("display-p3", (0, 0, 1), lambda v: oklch_of_rgb_space(P3, srgb_decode, v)),
    ("display-p3", (0.2, 0.8, 0.9), lambda v: oklch_of_rgb_space(P3, srgb_decode, v)),
    ("rec2020", (1, 0, 0), lambda v: oklch_of_rgb_space(REC2020, rec2020_decode, v)),
    ("rec2020", (0.3, 0.9, 0.1), lambda v: oklch_of_rgb_space(REC2020, rec2020_decode, v)),
    ("oklch", (0.7, 0.4, 200), lambda v: v),
    ("oklch", (0.5, 0.3, 30), lambda v: v),
    ("oklch", (0.9, 0.3, 100), lambda v: v),
    ("oklch", (0.3, 0.25, 280), lambda v: v),
]


# Published examples: the colour text's numbers and the sRGB the test suite gives for them.
WORKED = [
    ("lab", (46.2775, -47.5621, 48.5837), (0, 128 / 255, 0), 2e-3, "wpt css-color lab-001"),
    ("lab", (50, 50, 0), (0.7562, 0.3045, 0.4756), 2e-4, "wpt css-color lab-004"),
    ("lab", (70, 0, 70), (0.7662, 0.6636, 0.0558), 2e-4, "wpt css-color lab-006"),
    ("oklab", (0.55, 0, -0.2), (0.27888, 0.38072, 0.89414), 2e-5, "wpt css-color oklab-007"),
    ("oklch", (0.5, 0.2, 270), (0.23056, 0.3173, 0.82628), 2e-5, "wpt css-color oklch-005"),
    ("oklch", (0.55, 0.15, 345), (0.67293, 0.27791, 0.5228), 2e-5, "wpt css-color oklch-007"),
]


def main():
    with open(os.path.join(HERE, "colour-values.tsv"), "w") as out:
        out.write("# Written by make-colour-values.py; see there for the source of each value.\n")
        out.write("# from\tv1\tv2\tv3\tto\tw1\tw2\tw3\ttolerance\tsource\n")
        for hex_text in SAMPLES:
            for src, values, dst, expected, tol, source in rows_for(hex_text):
                out.write("\t".join([src, *("%.10g" % v for v in values), dst,
                                     *("%.10g" % v for v in expected), "%g" % tol,
                                     "#" + hex_text + " " + source]) + "\n")
        for src, values, expected, tol, source in WORKED:
            out.write("\t".join([src, *("%.10g" % v for v in values), "srgb",
                                 *("%.10g" % v for v in expected), "%g" % tol, source]) + "\n")
        for src, values, to_oklch in MAPPED:
            expected = gamut_map(to_oklch(values))
            out.write("\t".join([src, *("%.10g" % v for v in values), "srgb-mapped",
                                 *("%.10g" % v for v in expected), "0.001",
                                 "gamut mapping steps in make-colour-values.py"]) + "\n")
    with open(os.path.join(HERE, "css-colour-names.tsv"), "w") as out:
        out.write("# The CSS colour names and their colours, from matplotlib.colors.CSS4_COLORS;\n")
        out.write("# written by make-colour-values.py.\n")
        for name, value in sorted(matplotlib.colors.CSS4_COLORS.items()):
            out.write("%s\t%s\n" % (name, value.lower()))


if __name__ == "__main__":
    main()
