#include "core/ColourSpaces.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

using Matrix = std::array<ColourTriple, 3>;

ColourTriple Multiply(const Matrix& arrM, const ColourTriple& arrV) {
    ColourTriple arrOut{};
    for (std::size_t i = 0; i < 3; ++i) {
        arrOut[i] = arrM[i][0] * arrV[0] + arrM[i][1] * arrV[1] + arrM[i][2] * arrV[2];
    }
    return arrOut;
}

// The matrices of CSS Color 4, most of them exact rational numbers. Each RGB space goes to
// XYZ in its own white: D65 for all but ProPhoto, which is D50.
constexpr Matrix arrSrgbToXyz{{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                               {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                               {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
constexpr Matrix arrXyzToSrgb{{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                               {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                               {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
constexpr Matrix arrP3ToXyz{{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                             {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                             {0.0, 32229.0 / 714400, 5220557.0 / 5000800}}};
constexpr Matrix arrXyzToP3{{{446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
                             {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
                             {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415}}};
constexpr Matrix arrProphotoToXyz{{{0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
                                   {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
                                   {0.0, 0.0, 0.82510460251046020}}};
constexpr Matrix arrXyzToProphoto{
    {{1.34578688164715830, -0.25557208737979464, -0.05110186497554526},
     {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139},
     {0.0, 0.0, 1.21196754563894520}}};
constexpr Matrix arrA98ToXyz{{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
                              {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
                              {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};
constexpr Matrix arrXyzToA98{{{1829569.0 / 896150, -506331.0 / 896150, -308931.0 / 896150},
                              {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                              {16779.0 / 1248040, -147721.0 / 1248040, 1266979.0 / 1248040}}};
constexpr Matrix arrRec2020ToXyz{
    {{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
     {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
     {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
constexpr Matrix arrXyzToRec2020{
    {{30757411.0 / 17917100, -6372589.0 / 17917100, -4539589.0 / 17917100},
     {-19765991.0 / 29648200, 47925759.0 / 29648200, 467509.0 / 29648200},
     {792561.0 / 44930125, -1921689.0 / 44930125, 42328811.0 / 44930125}}};
constexpr Matrix arrD65ToD50{{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
                              {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
                              {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
constexpr Matrix arrD50ToD65{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                              {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                              {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
constexpr Matrix arrXyzToLms{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                              {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                              {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Matrix arrLmsToOklab{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                                {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                                {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Matrix arrLmsToXyz{{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                              {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                              {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Matrix arrOklabToLms{{{1.0, 0.3963377773761749, 0.2158037573099136},
                                {1.0, -0.1055613458156586, -0.0638541728258133},
                                {1.0, -0.0894841775298119, -1.2914855480194092}}};

constexpr ColourTriple arrD50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

template <class Function>
ColourTriple EachComponent(const ColourTriple& arrValue, Function fnApply) {
    return {fnApply(arrValue[0]), fnApply(arrValue[1]), fnApply(arrValue[2])};
}

// Applies a transfer curve to the magnitude and keeps the sign.
template <class Function>
double Symmetric(double dblValue, Function fnCurve) {
    return dblValue < 0 ? -fnCurve(-dblValue) : fnCurve(dblValue);
}

double LinearFromA98(double dblValue) {
    return Symmetric(dblValue, [](double v) { return std::pow(v, 563.0 / 256); });
}
double A98FromLinear(double dblValue) {
    return Symmetric(dblValue, [](double v) { return std::pow(v, 256.0 / 563); });
}
double LinearFromProphoto(double dblValue) {
    return Symmetric(dblValue,
                     [](double v) { return v <= 16.0 / 512 ? v / 16 : std::pow(v, 1.8); });
}
double ProphotoFromLinear(double dblValue) {
    return Symmetric(dblValue,
                     [](double v) { return v >= 1.0 / 512 ? std::pow(v, 1 / 1.8) : 16 * v; });
}

constexpr double dblRec2020Alpha = 1.09929682680944;
constexpr double dblRec2020Beta = 0.018053968510807;

double LinearFromRec2020(double dblValue) {
    return Symmetric(dblValue, [](double v) {
        return v < dblRec2020Beta * 4.5
                   ? v / 4.5
                   : std::pow((v + dblRec2020Alpha - 1) / dblRec2020Alpha, 1 / 0.45);
    });
}
double Rec2020FromLinear(double dblValue) {
    return Symmetric(dblValue, [](double v) {
        return v > dblRec2020Beta ? dblRec2020Alpha * std::pow(v, 0.45) - (dblRec2020Alpha - 1)
                                  : 4.5 * v;
    });
}

double NormalHue(double dblHue) {
    double dblResult = std::fmod(dblHue, 360.0);
    if (dblResult < 0) dblResult += 360;
    if (dblResult >= 360) dblResult = 0;  // a tiny negative hue rounds up to 360
    return dblResult;
}

ColourTriple PolarFromRectangular(const ColourTriple& arrValue) {
    const double dblHue = std::atan2(arrValue[2], arrValue[1]) * 180 / std::numbers::pi;
    return {arrValue[0], std::hypot(arrValue[1], arrValue[2]), NormalHue(dblHue)};
}

ColourTriple RectangularFromPolar(const ColourTriple& arrValue) {
    const double dblRadians = arrValue[2] * std::numbers::pi / 180;
    return {arrValue[0], arrValue[1] * std::cos(dblRadians), arrValue[1] * std::sin(dblRadians)};
}

ColourTriple HslFromSrgb(const ColourTriple& arrRgb) {
    const auto [dblRed, dblGreen, dblBlue] = arrRgb;
    const double dblMax = std::max({dblRed, dblGreen, dblBlue});
    const double dblMin = std::min({dblRed, dblGreen, dblBlue});
    const double dblLight = (dblMin + dblMax) / 2;
    const double dblDelta = dblMax - dblMin;
    double dblHue = 0;
    double dblSat = 0;
    if (dblDelta != 0) {
        const double dblRoom = std::min(dblLight, 1 - dblLight);
        dblSat = dblRoom == 0 ? 0 : (dblMax - dblLight) / dblRoom;
        if (dblMax == dblRed) {
            dblHue = (dblGreen - dblBlue) / dblDelta + (dblGreen < dblBlue ? 6 : 0);
        } else if (dblMax == dblGreen) {
            dblHue = (dblBlue - dblRed) / dblDelta + 2;
        } else {
            dblHue = (dblRed - dblGreen) / dblDelta + 4;
        }
        dblHue *= 60;
    }
    // Outside sRGB the saturation may come out negative; the hue turns round instead.
    if (dblSat < 0) {
        dblHue += 180;
        dblSat = -dblSat;
    }
    return {NormalHue(dblHue), dblSat, dblLight};
}

ColourTriple SrgbFromHsl(const ColourTriple& arrHsl) {
    const double dblHue = NormalHue(arrHsl[0]);
    const double dblSat = arrHsl[1];
    const double dblLight = arrHsl[2];
    const double dblA = dblSat * std::min(dblLight, 1 - dblLight);
    const auto Channel = [&](double dblN) {
        const double dblK = std::fmod(dblN + dblHue / 30, 12.0);
        return dblLight - dblA * std::max(-1.0, std::min({dblK - 3, 9 - dblK, 1.0}));
    };
    return {Channel(0), Channel(8), Channel(4)};
}

ColourTriple HwbFromSrgb(const ColourTriple& arrRgb) {
    const double dblHue = HslFromSrgb(arrRgb)[0];
    const double dblWhite = std::min({arrRgb[0], arrRgb[1], arrRgb[2]});
    const double dblBlack = 1 - std::max({arrRgb[0], arrRgb[1], arrRgb[2]});
    return {dblHue, dblWhite, dblBlack};
}

ColourTriple SrgbFromHwb(const ColourTriple& arrHwb) {
    const double dblWhite = arrHwb[1];
    const double dblBlack = arrHwb[2];
    if (dblWhite + dblBlack >= 1) {
        const double dblGrey = dblWhite / (dblWhite + dblBlack);
        return {dblGrey, dblGrey, dblGrey};
    }
    ColourTriple arrRgb = SrgbFromHsl({arrHwb[0], 1, 0.5});
    for (double& dblValue : arrRgb) dblValue = dblValue * (1 - dblWhite - dblBlack) + dblWhite;
    return arrRgb;
}

// Each space hangs below another, up to XYZ D65: the conversion climbs from one space to the
// nearest space both share and goes down from there, so that sRGB to HSL never passes XYZ.
ColourSpace Parent(ColourSpace enmSpace) {
    switch (enmSpace) {
        case ColourSpace::Hsl:
        case ColourSpace::Hwb:
            return ColourSpace::Srgb;
        case ColourSpace::Srgb:
            return ColourSpace::SrgbLinear;
        case ColourSpace::Lch:
            return ColourSpace::Lab;
        case ColourSpace::Lab:
        case ColourSpace::ProphotoRgb:
            return ColourSpace::XyzD50;
        case ColourSpace::Oklch:
            return ColourSpace::Oklab;
        default:
            return ColourSpace::XyzD65;
    }
}

ColourTriple ToParent(ColourSpace enmSpace, const ColourTriple& arrValue) {
    switch (enmSpace) {
        case ColourSpace::Hsl:
            return SrgbFromHsl(arrValue);
        case ColourSpace::Hwb:
            return SrgbFromHwb(arrValue);
        case ColourSpace::Srgb:
            return EachComponent(arrValue, LinearFromSrgbComponent);
        case ColourSpace::SrgbLinear:
            return Multiply(arrSrgbToXyz, arrValue);
        case ColourSpace::DisplayP3:
            return Multiply(arrP3ToXyz, EachComponent(arrValue, LinearFromSrgbComponent));
        case ColourSpace::A98Rgb:
            return Multiply(arrA98ToXyz, EachComponent(arrValue, LinearFromA98));
        case ColourSpace::ProphotoRgb:
            return Multiply(arrProphotoToXyz, EachComponent(arrValue, LinearFromProphoto));
        case ColourSpace::Rec2020:
            return Multiply(arrRec2020ToXyz, EachComponent(arrValue, LinearFromRec2020));
        case ColourSpace::XyzD50:
            return XyzD65FromXyzD50(arrValue);
        case ColourSpace::Lab:
            return XyzD50FromLab(arrValue);
        case ColourSpace::Lch:
        case ColourSpace::Oklch:
            return RectangularFromPolar(arrValue);
        case ColourSpace::Oklab:
            return XyzD65FromOklab(arrValue);
        case ColourSpace::XyzD65:
            break;
    }
    return arrValue;
}

ColourTriple FromParent(ColourSpace enmSpace, const ColourTriple& arrValue) {
    switch (enmSpace) {
        case ColourSpace::Hsl:
            return HslFromSrgb(arrValue);
        case ColourSpace::Hwb:
            return HwbFromSrgb(arrValue);
        case ColourSpace::Srgb:
            return EachComponent(arrValue, SrgbFromLinearComponent);
        case ColourSpace::SrgbLinear:
            return Multiply(arrXyzToSrgb, arrValue);
        case ColourSpace::DisplayP3:
            return EachComponent(Multiply(arrXyzToP3, arrValue), SrgbFromLinearComponent);
        case ColourSpace::A98Rgb:
            return EachComponent(Multiply(arrXyzToA98, arrValue), A98FromLinear);
        case ColourSpace::ProphotoRgb:
            return EachComponent(Multiply(arrXyzToProphoto, arrValue), ProphotoFromLinear);
        case ColourSpace::Rec2020:
            return EachComponent(Multiply(arrXyzToRec2020, arrValue), Rec2020FromLinear);
        case ColourSpace::XyzD50:
            return XyzD50FromXyzD65(arrValue);
        case ColourSpace::Lab:
            return LabFromXyzD50(arrValue);
        case ColourSpace::Lch:
        case ColourSpace::Oklch:
            return PolarFromRectangular(arrValue);
        case ColourSpace::Oklab:
            return OklabFromXyzD65(arrValue);
        case ColourSpace::XyzD65:
            break;
    }
    return arrValue;
}

bool IsAncestor(ColourSpace enmAncestor, ColourSpace enmSpace) {
    for (ColourSpace enmStep = enmSpace;; enmStep = Parent(enmStep)) {
        if (enmStep == enmAncestor) return true;
        if (enmStep == ColourSpace::XyzD65) return false;
    }
}

ColourTriple Clip(const ColourTriple& arrValue) {
    return EachComponent(arrValue, [](double v) { return std::clamp(v, 0.0, 1.0); });
}

bool InUnitRange(const ColourTriple& arrValue, double dblSlack) {
    return std::all_of(arrValue.begin(), arrValue.end(),
                       [dblSlack](double v) { return v >= -dblSlack && v <= 1 + dblSlack; });
}

}  // namespace

double LinearFromSrgbComponent(double dblValue) {
    return Symmetric(dblValue, [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    });
}

double SrgbFromLinearComponent(double dblValue) {
    return Symmetric(dblValue, [](double v) {
        return v > 0.0031308 ? 1.055 * std::pow(v, 1 / 2.4) - 0.055 : 12.92 * v;
    });
}

ColourTriple XyzD50FromXyzD65(const ColourTriple& arrXyz) { return Multiply(arrD65ToD50, arrXyz); }

ColourTriple XyzD65FromXyzD50(const ColourTriple& arrXyz) { return Multiply(arrD50ToD65, arrXyz); }

ColourTriple LabFromXyzD50(const ColourTriple& arrXyz) {
    constexpr double dblEpsilon = 216.0 / 24389;
    constexpr double dblKappa = 24389.0 / 27;
    ColourTriple arrF{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double dblScaled = arrXyz[i] / arrD50White[i];
        arrF[i] = dblScaled > dblEpsilon ? std::cbrt(dblScaled) : (dblKappa * dblScaled + 16) / 116;
    }
    return {116 * arrF[1] - 16, 500 * (arrF[0] - arrF[1]), 200 * (arrF[1] - arrF[2])};
}

ColourTriple XyzD50FromLab(const ColourTriple& arrLab) {
    constexpr double dblEpsilon = 216.0 / 24389;
    constexpr double dblKappa = 24389.0 / 27;
    const double dblF1 = (arrLab[0] + 16) / 116;
    const double dblF0 = arrLab[1] / 500 + dblF1;
    const double dblF2 = dblF1 - arrLab[2] / 200;
    const auto Inverse = [&](double dblF) {
        const double dblCube = dblF * dblF * dblF;
        return dblCube > dblEpsilon ? dblCube : (116 * dblF - 16) / dblKappa;
    };
    const double dblY =
        arrLab[0] > dblKappa * dblEpsilon ? dblF1 * dblF1 * dblF1 : arrLab[0] / dblKappa;
    return {Inverse(dblF0) * arrD50White[0], dblY * arrD50White[1],
            Inverse(dblF2) * arrD50White[2]};
}

ColourTriple OklabFromXyzD65(const ColourTriple& arrXyz) {
    return Multiply(arrLmsToOklab, EachComponent(Multiply(arrXyzToLms, arrXyz),
                                                 [](double v) { return std::cbrt(v); }));
}

ColourTriple XyzD65FromOklab(const ColourTriple& arrOklab) {
    return Multiply(arrLmsToXyz, EachComponent(Multiply(arrOklabToLms, arrOklab),
                                               [](double v) { return v * v * v; }));
}

ColourTriple OklchFromOklab(const ColourTriple& arrOklab) { return PolarFromRectangular(arrOklab); }

ColourTriple OklabFromOklch(const ColourTriple& arrOklch) { return RectangularFromPolar(arrOklch); }

ColourTriple ConvertColour(ColourSpace enmFrom, ColourSpace enmTo, const ColourTriple& arrValue) {
    ColourTriple arrResult = arrValue;
    ColourSpace enmAt = enmFrom;
    while (!IsAncestor(enmAt, enmTo)) {
        arrResult = ToParent(enmAt, arrResult);
        enmAt = Parent(enmAt);
    }
    // Down from the shared space: the path from enmTo up to it, taken in reverse.
    std::array<ColourSpace, 8> arrPath{};
    std::size_t intSteps = 0;
    for (ColourSpace enmStep = enmTo; enmStep != enmAt; enmStep = Parent(enmStep)) {
        arrPath[intSteps++] = enmStep;
    }
    while (intSteps > 0) arrResult = FromParent(arrPath[--intSteps], arrResult);
    return arrResult;
}

ColourTriple ColourFromBytes(ColourSpace enmTo, std::int16_t intRed, std::int16_t intGreen,
                             std::int16_t intBlue) {
    return ConvertColour(ColourSpace::Srgb, enmTo,
                         {intRed / 255.0, intGreen / 255.0, intBlue / 255.0});
}

ColourTriple OklabFromBytes(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue) {
    return ColourFromBytes(ColourSpace::Oklab, intRed, intGreen, intBlue);
}

double DeltaEOK(const ColourTriple& arrOklab1, const ColourTriple& arrOklab2) {
    const double dblL = arrOklab1[0] - arrOklab2[0];
    const double dblA = arrOklab1[1] - arrOklab2[1];
    const double dblB = arrOklab1[2] - arrOklab2[2];
    return std::sqrt(dblL * dblL + dblA * dblA + dblB * dblB);
}

namespace {

// arrRgb is the colour already converted to sRGB. A colour in sRGB has its OKLCH lightness in
// 0..1, so it is checked before the lightness.
ColourTriple GamutMapFromSrgb(ColourSpace enmFrom, const ColourTriple& arrValue,
                              const ColourTriple& arrRgb) {
    if (InUnitRange(arrRgb, 0)) return arrRgb;
    const ColourTriple arrOrigin = ConvertColour(enmFrom, ColourSpace::Oklch, arrValue);
    if (!std::isfinite(arrOrigin[0]) || !std::isfinite(arrOrigin[1])) return Clip(arrRgb);
    if (arrOrigin[0] >= 1) return {1, 1, 1};
    if (arrOrigin[0] <= 0) return {0, 0, 0};

    constexpr double dblJnd = 0.02;
    constexpr double dblEpsilon = 0.0001;
    const auto ClipOf = [](const ColourTriple& arrOklch) {
        return Clip(ConvertColour(ColourSpace::Oklch, ColourSpace::Srgb, arrOklch));
    };
    const auto Delta = [](const ColourTriple& arrClipped, const ColourTriple& arrOklch) {
        return DeltaEOK(ConvertColour(ColourSpace::Srgb, ColourSpace::Oklab, arrClipped),
                        OklabFromOklch(arrOklch));
    };
    ColourTriple arrCurrent = arrOrigin;
    ColourTriple arrClipped = ClipOf(arrCurrent);
    if (Delta(arrClipped, arrCurrent) < dblJnd) return arrClipped;
    double dblMin = 0;
    double dblMax = arrOrigin[1];
    bool blnMinInGamut = true;
    while (dblMax - dblMin > dblEpsilon) {
        const double dblChroma = (dblMin + dblMax) / 2;
        arrCurrent[1] = dblChroma;
        if (blnMinInGamut &&
            InUnitRange(ConvertColour(ColourSpace::Oklch, ColourSpace::Srgb, arrCurrent), 0)) {
            dblMin = dblChroma;
            continue;
        }
        arrClipped = ClipOf(arrCurrent);
        const double dblE = Delta(arrClipped, arrCurrent);
        if (dblE < dblJnd) {
            if (dblJnd - dblE < dblEpsilon) return arrClipped;
            blnMinInGamut = false;
            dblMin = dblChroma;
        } else {
            dblMax = dblChroma;
        }
    }
    return arrClipped;
}

}  // namespace

ColourTriple GamutMapToSrgb(ColourSpace enmFrom, const ColourTriple& arrValue) {
    return GamutMapFromSrgb(enmFrom, arrValue, ConvertColour(enmFrom, ColourSpace::Srgb, arrValue));
}

std::int16_t ByteOfUnit(double dblValue) {
    if (!(dblValue > 0)) return 0;  // also NaN
    if (dblValue >= 1) return 255;
    return static_cast<std::int16_t>(std::floor(dblValue * 255 + 0.5));
}

typSrgbBytes NearestSrgbBytes(ColourSpace enmFrom, const ColourTriple& arrValue,
                              bool blnMapOutside) {
    const ColourTriple arrRgb = ConvertColour(enmFrom, ColourSpace::Srgb, arrValue);
    typSrgbBytes typResult;
    // Half an 8-bit step either side still rounds into 0..255: such a colour is in sRGB.
    typResult.blnMapped = !InUnitRange(arrRgb, 0.5 / 255);
    const ColourTriple arrMapped = typResult.blnMapped && !blnMapOutside
                                       ? Clip(arrRgb)
                                       : GamutMapFromSrgb(enmFrom, arrValue, arrRgb);
    typResult.typValue.lngRed = ByteOfUnit(arrMapped[0]);
    typResult.typValue.lngGreen = ByteOfUnit(arrMapped[1]);
    typResult.typValue.lngBlue = ByteOfUnit(arrMapped[2]);
    return typResult;
}
