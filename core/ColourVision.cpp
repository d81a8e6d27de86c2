#include "core/ColourVision.h"

#include <cstddef>

#include "core/Contrast.h"

namespace {

using Matrix = std::array<ColourTriple, 3>;

// Machado, Oliveira and Fernandes (2009), the matrices for severity 1.0, on linear sRGB.
constexpr std::array<Matrix, 3> arrDichromacy{{
    {{{0.152286, 1.052583, -0.204868},
      {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968},
      {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779},
      {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},
}};

std::int32_t ByteOfLinear(double dblValue) {
    const double dblClipped = dblValue < 0 ? 0 : (dblValue > 1 ? 1 : dblValue);
    return ByteOfUnit(SrgbFromLinearComponent(dblClipped));
}

std::vector<typLookAlikePair> LookAlikeOfSimulated(const std::vector<typColour>& arrSimulated) {
    std::vector<ColourTriple> arrOklab;
    arrOklab.reserve(arrSimulated.size());
    for (const typColour& typValue : arrSimulated) {
        arrOklab.push_back(OklabFromBytes(static_cast<std::int16_t>(typValue.lngRed),
                                          static_cast<std::int16_t>(typValue.lngGreen),
                                          static_cast<std::int16_t>(typValue.lngBlue)));
    }
    std::vector<typLookAlikePair> arrPairs;
    for (std::size_t i = 0; i < arrOklab.size(); ++i) {
        for (std::size_t j = i + 1; j < arrOklab.size(); ++j) {
            const double dblDelta = DeltaEOK(arrOklab[i], arrOklab[j]);
            if (dblDelta < dblLookAlikeDeltaEOK) {
                arrPairs.push_back(
                    {static_cast<std::int16_t>(i), static_cast<std::int16_t>(j), dblDelta});
            }
        }
    }
    return arrPairs;
}

std::vector<typColour> SimulatedColours(ColourVision enmVision,
                                        const std::vector<typColour>& arrColours) {
    std::vector<typColour> arrSimulated;
    arrSimulated.reserve(arrColours.size());
    for (const typColour& typValue : arrColours) {
        arrSimulated.push_back(SimulatedColour(enmVision, typValue));
    }
    return arrSimulated;
}

}  // namespace

ColourTriple SimulatedLinearSrgb(ColourVision enmVision, const typColour& typValue) {
    if (enmVision == ColourVision::Achromatopsia) {
        const double dblY = RelativeLuminance(typValue);
        return {dblY, dblY, dblY};
    }
    const ColourTriple arrLinear = ColourFromBytes(
        ColourSpace::SrgbLinear, static_cast<std::int16_t>(typValue.lngRed),
        static_cast<std::int16_t>(typValue.lngGreen), static_cast<std::int16_t>(typValue.lngBlue));
    const Matrix& arrM = arrDichromacy.at(static_cast<std::size_t>(enmVision));
    ColourTriple arrOut{};
    for (std::size_t i = 0; i < 3; ++i) {
        arrOut[i] =
            arrM[i][0] * arrLinear[0] + arrM[i][1] * arrLinear[1] + arrM[i][2] * arrLinear[2];
    }
    return arrOut;
}

typColour SimulatedColour(ColourVision enmVision, const typColour& typValue) {
    const ColourTriple arrLinear = SimulatedLinearSrgb(enmVision, typValue);
    typColour typResult;
    typResult.lngRed = ByteOfLinear(arrLinear[0]);
    typResult.lngGreen = ByteOfLinear(arrLinear[1]);
    typResult.lngBlue = ByteOfLinear(arrLinear[2]);
    return typResult;
}

std::vector<typLookAlikePair> LookAlikePairs(ColourVision enmVision,
                                             const std::vector<typColour>& arrColours) {
    return LookAlikeOfSimulated(SimulatedColours(enmVision, arrColours));
}

typPaletteVision PaletteVision(const std::vector<typColour>& arrColours) {
    typPaletteVision typResult;
    for (std::size_t i = 0; i < typResult.arrSimulated.size(); ++i) {
        const auto enmVision = static_cast<ColourVision>(i);
        typResult.arrSimulated.at(i) = SimulatedColours(enmVision, arrColours);
        typResult.arrLookAlike.at(i) = LookAlikeOfSimulated(typResult.arrSimulated.at(i));
    }
    return typResult;
}
