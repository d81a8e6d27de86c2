#include "core/Contrast.h"

#include <cmath>
#include <cstdlib>

#include "core/ColourSpaces.h"

namespace {

constexpr std::array<double, intContrastLevelCount> arrLevelRatio{4.5, 3, 7, 4.5, 3};

// APCA-W3 0.0.98G-4g: its own simple 2.4 power curve and weights, then the soft black clamp.
constexpr double dblApcaGamma = 2.4;
constexpr ColourTriple arrApcaWeights{0.2126729, 0.7151522, 0.0721750};
constexpr double dblApcaBlackThreshold = 0.022;
constexpr double dblApcaBlackClamp = 1.414;
constexpr double dblApcaDeltaYMin = 0.0005;
constexpr double dblApcaNormalBackground = 0.56;
constexpr double dblApcaNormalText = 0.57;
constexpr double dblApcaReverseText = 0.62;
constexpr double dblApcaReverseBackground = 0.65;
constexpr double dblApcaScale = 1.14;
constexpr double dblApcaLowClip = 0.1;
constexpr double dblApcaLowOffset = 0.027;

double ApcaLuminance(const typColour& typValue) {
    const double dblY = arrApcaWeights[0] * std::pow(typValue.lngRed / 255.0, dblApcaGamma) +
                        arrApcaWeights[1] * std::pow(typValue.lngGreen / 255.0, dblApcaGamma) +
                        arrApcaWeights[2] * std::pow(typValue.lngBlue / 255.0, dblApcaGamma);
    return dblY > dblApcaBlackThreshold
               ? dblY
               : dblY + std::pow(dblApcaBlackThreshold - dblY, dblApcaBlackClamp);
}

// The colour of a hue line at one OKLCH lightness, in linear sRGB: the text's chroma, reduced
// by bisection only as far as the gamut demands. A grey of lightness 0..1 is always inside.
struct typHueLine {
    double dblChroma = 0;
    double dblHue = 0;
};

bool InLinearGamut(const ColourTriple& arrLinear) {
    constexpr double dblSlack = 1e-9;
    for (const double dblComponent : arrLinear) {
        if (!(dblComponent >= -dblSlack && dblComponent <= 1 + dblSlack)) return false;
    }
    return true;
}

typColour HueLineColour(const typHueLine& typLine, double dblLightness) {
    const auto fnLinear = [&](double dblChroma) {
        return ConvertColour(ColourSpace::Oklch, ColourSpace::SrgbLinear,
                             {dblLightness, dblChroma, typLine.dblHue});
    };
    ColourTriple arrLinear = fnLinear(typLine.dblChroma);
    if (!InLinearGamut(arrLinear)) {
        double dblLow = 0;
        double dblHigh = typLine.dblChroma;
        arrLinear = fnLinear(0);
        for (int i = 0; i < 24; ++i) {
            const double dblMiddle = (dblLow + dblHigh) / 2;
            const ColourTriple arrTry = fnLinear(dblMiddle);
            if (InLinearGamut(arrTry)) {
                dblLow = dblMiddle;
                arrLinear = arrTry;
            } else {
                dblHigh = dblMiddle;
            }
        }
    }
    typColour typResult;
    typResult.lngRed = ByteOfUnit(SrgbFromLinearComponent(arrLinear[0]));
    typResult.lngGreen = ByteOfUnit(SrgbFromLinearComponent(arrLinear[1]));
    typResult.lngBlue = ByteOfUnit(SrgbFromLinearComponent(arrLinear[2]));
    return typResult;
}

// Searches from the text's lightness towards dblEnd for the closest lightness whose 8-bit colour
// passes. Bisection keeps the far end passing, so what it returns passes after rounding.
std::optional<typColour> NearestOnSide(const typHueLine& typLine, double dblStart, double dblEnd,
                                       const typColour& typBackground, double dblNeeded) {
    const auto fnPasses = [&](const typColour& typTry) {
        return ContrastRatio(typTry, typBackground) >= dblNeeded;
    };
    typColour typFar = HueLineColour(typLine, dblEnd);
    if (!fnPasses(typFar)) return std::nullopt;
    double dblNear = dblStart;
    double dblFar = dblEnd;
    // 2^-24 of lightness is far finer than an 8-bit step anywhere on a line.
    for (int i = 0; i < 24; ++i) {
        const double dblMiddle = (dblNear + dblFar) / 2;
        const typColour typTry = HueLineColour(typLine, dblMiddle);
        if (fnPasses(typTry)) {
            dblFar = dblMiddle;
            typFar = typTry;
        } else {
            dblNear = dblMiddle;
        }
    }
    return typFar;
}

ColourTriple OklabOf(const typColour& typValue) {
    return OklabFromBytes(static_cast<std::int16_t>(typValue.lngRed),
                          static_cast<std::int16_t>(typValue.lngGreen),
                          static_cast<std::int16_t>(typValue.lngBlue));
}

}  // namespace

double ContrastLevelRatio(ContrastLevel enmLevel) {
    return arrLevelRatio.at(static_cast<std::size_t>(enmLevel));
}

double RelativeLuminance(const typColour& typValue) {
    return 0.2126 * LinearFromSrgbComponent(typValue.lngRed / 255.0) +
           0.7152 * LinearFromSrgbComponent(typValue.lngGreen / 255.0) +
           0.0722 * LinearFromSrgbComponent(typValue.lngBlue / 255.0);
}

double ContrastRatio(const typColour& typText, const typColour& typBackground) {
    const double dblText = RelativeLuminance(typText);
    const double dblBackground = RelativeLuminance(typBackground);
    return dblText > dblBackground ? (dblText + 0.05) / (dblBackground + 0.05)
                                   : (dblBackground + 0.05) / (dblText + 0.05);
}

bool PassesContrastLevel(double dblRatio, ContrastLevel enmLevel) {
    return dblRatio >= ContrastLevelRatio(enmLevel);
}

std::string ContrastRatioText(double dblRatio) {
    // The small allowance keeps a ratio that is exactly 21 or 3 in theory from losing a
    // hundredth to the last bit of a double.
    const auto lngHundredths = static_cast<std::int32_t>(std::floor(dblRatio * 100 + 1e-9));
    const std::int32_t lngCents = lngHundredths % 100;
    return DecimalText(lngHundredths / 100) + "." + (lngCents < 10 ? "0" : "") +
           DecimalText(lngCents);
}

std::string ContrastGradeText(double dblRatio) {
    if (PassesContrastLevel(dblRatio, ContrastLevel::AaaText)) return "AAA";
    if (PassesContrastLevel(dblRatio, ContrastLevel::AaText)) return "AA";
    if (PassesContrastLevel(dblRatio, ContrastLevel::AaLargeText)) return "AA large";
    return "fails";
}

double ApcaContrast(const typColour& typText, const typColour& typBackground) {
    const double dblText = ApcaLuminance(typText);
    const double dblBackground = ApcaLuminance(typBackground);
    if (std::abs(dblBackground - dblText) < dblApcaDeltaYMin) return 0;
    if (dblBackground > dblText) {
        const double dblSapc = (std::pow(dblBackground, dblApcaNormalBackground) -
                                std::pow(dblText, dblApcaNormalText)) *
                               dblApcaScale;
        return dblSapc < dblApcaLowClip ? 0 : (dblSapc - dblApcaLowOffset) * 100;
    }
    const double dblSapc = (std::pow(dblBackground, dblApcaReverseBackground) -
                            std::pow(dblText, dblApcaReverseText)) *
                           dblApcaScale;
    return dblSapc > -dblApcaLowClip ? 0 : (dblSapc + dblApcaLowOffset) * 100;
}

std::string ApcaContrastText(double dblLc) {
    const auto lngTenths = static_cast<std::int32_t>(std::round(std::abs(dblLc) * 10));
    return (dblLc < 0 && lngTenths > 0 ? "-" : "") + DecimalText(lngTenths / 10) + "." +
           DecimalText(lngTenths % 10);
}

typContrastReport ContrastReport(const typColour& typText, const typColour& typBackground) {
    typContrastReport typReport;
    typReport.dblRatio = ContrastRatio(typText, typBackground);
    typReport.strRatio = ContrastRatioText(typReport.dblRatio);
    typReport.strGrade = ContrastGradeText(typReport.dblRatio);
    for (std::size_t i = 0; i < typReport.arrPasses.size(); ++i) {
        typReport.arrPasses.at(i) =
            PassesContrastLevel(typReport.dblRatio, static_cast<ContrastLevel>(i));
    }
    typReport.dblApca = ApcaContrast(typText, typBackground);
    typReport.strApca = ApcaContrastText(typReport.dblApca);
    return typReport;
}

std::optional<typColour> NearestPassingColour(const typColour& typText,
                                              const typColour& typBackground,
                                              ContrastLevel enmLevel) {
    const double dblNeeded = ContrastLevelRatio(enmLevel);
    if (ContrastRatio(typText, typBackground) >= dblNeeded) return typText;
    const ColourTriple arrText = OklabOf(typText);
    const ColourTriple arrLch = OklchFromOklab(arrText);
    const typHueLine typLine{arrLch[1], arrLch[2]};
    const std::optional<typColour> typDarker =
        NearestOnSide(typLine, arrLch[0], 0, typBackground, dblNeeded);
    const std::optional<typColour> typLighter =
        NearestOnSide(typLine, arrLch[0], 1, typBackground, dblNeeded);
    if (!typDarker || !typLighter) return typDarker ? typDarker : typLighter;
    return DeltaEOK(arrText, OklabOf(*typLighter)) < DeltaEOK(arrText, OklabOf(*typDarker))
               ? typLighter
               : typDarker;
}
