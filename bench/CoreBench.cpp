// Speed of the core routines the main window calls on every colour change and clipboard tick.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Classification.h"
#include "core/CodeFormats.h"
#include "core/ColourText.h"
#include "core/ColourValue.h"
#include "core/ColourVision.h"
#include "core/Contrast.h"
#include "core/NamedColours.h"

namespace {

const std::string strAllCodes =
    "#%UR%%UG%%UB% #%LR%%LG%%LB% rgb(%DR%, %DG%, %DB%) %LD% and 100% plain text";

void BM_ColourCodeText(benchmark::State& state) {
    const int intFormat = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ColourCodeText(intFormat, 255, 204, 0, strAllCodes));
    }
    state.SetLabel(std::string(arrCodeFormatCaption.at(static_cast<std::size_t>(intFormat))));
}
BENCHMARK(BM_ColourCodeText)->DenseRange(0, intCodeFormatCount - 1);

void BM_JavaScriptNameOfHexLateHit(benchmark::State& state) {
    // "yellowgreen" is the last alphabetical entry, so the whole table is searched.
    const std::string strDigits = "9ACD32";
    for (auto _ : state) benchmark::DoNotOptimize(JavaScriptNameOfHex(strDigits));
}
BENCHMARK(BM_JavaScriptNameOfHexLateHit);

void BM_JavaScriptNameOfHexMiss(benchmark::State& state) {
    const std::string strDigits = "FFCC00";
    for (auto _ : state) benchmark::DoNotOptimize(JavaScriptNameOfHex(strDigits));
}
BENCHMARK(BM_JavaScriptNameOfHexMiss);

void BM_ColourClassLetters(benchmark::State& state) {
    const auto lngValue = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ColourClassLetters(lngValue));
}
// Black is in all three classes; #123456 in none, so every table is searched to its end.
BENCHMARK(BM_ColourClassLetters)
    ->Arg(PackColour(0, 0, 0))
    ->Arg(PackColour(0x12, 0x34, 0x56))
    ->Arg(PackColour(0xFF, 0xEB, 0xCD));

// All fourteen notations of one colour, each with the fewest decimals that read back: #ffcc00
// needs few, #01de5b needs five in oklab().
void BM_ColourNotationTextAll(benchmark::State& state) {
    const auto intRed = static_cast<std::int16_t>(state.range(0) >> 16);
    const auto intGreen = static_cast<std::int16_t>((state.range(0) >> 8) & 255);
    const auto intBlue = static_cast<std::int16_t>(state.range(0) & 255);
    for (auto _ : state) {
        for (int intNotation = 0; intNotation < intColourNotationCount; ++intNotation) {
            benchmark::DoNotOptimize(
                ColourNotationText(intNotation, intRed, intGreen, intBlue, "Sun Yellow", 1));
        }
    }
}
BENCHMARK(BM_ColourNotationTextAll)->Arg(0xFFCC00)->Arg(0x01DE5B)->Unit(benchmark::kMicrosecond);

void BM_ParseColourText(benchmark::State& state) {
    const int intNotation = static_cast<int>(state.range(0));
    const std::string strText = ColourNotationText(intNotation, 0x01, 0xDE, 0x5B, "Sun Yellow", 1);
    for (auto _ : state) benchmark::DoNotOptimize(ParseColourText(strText));
    state.SetLabel(strText);
}
BENCHMARK(BM_ParseColourText)->DenseRange(0, intColourNotationCount - 1);

// Texts that take the other paths: a gamut-mapped colour, a declaration, a name, a code format.
void BM_ParseOtherColourText(benchmark::State& state) {
    static const std::array<std::string, 4> arrTexts{
        "color(display-p3 1 0 0)", "  --brand: oklch(70% 0.1 200); /* brand */",
        "LightGoldenrodYellow", "ColorTranslator.FromOle(52479)"};
    const std::string& strText = arrTexts.at(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ParseColourText(strText));
    state.SetLabel(strText);
}
BENCHMARK(BM_ParseOtherColourText)->DenseRange(0, 3);

// Everything the accessibility view works out when a colour of the default palette changes:
// both orders of every pair (30 ratios and 30 APCA values), 24 simulated colours and the pairs
// that look alike under each deficiency.
void BM_PaletteAccessibility(benchmark::State& state) {
    const std::vector<typColour> arrPalette{UnpackColour(0x0000FF), UnpackColour(0x00FFFF),
                                            UnpackColour(0x00FF00), UnpackColour(0xFFFF00),
                                            UnpackColour(0xFF0000), UnpackColour(0xFF00FF)};
    for (auto _ : state) {
        for (const typColour& typText : arrPalette) {
            for (const typColour& typBackground : arrPalette) {
                if (typText == typBackground) continue;
                benchmark::DoNotOptimize(ContrastReport(typText, typBackground));
            }
        }
        benchmark::DoNotOptimize(PaletteVision(arrPalette));
    }
}
BENCHMARK(BM_PaletteAccessibility)->Unit(benchmark::kMicrosecond);

// Red on blue fails AAA; the search runs both ways along red's hue line.
void BM_NearestPassingColour(benchmark::State& state) {
    const typColour typRed = UnpackColour(0x0000FF);
    const typColour typBlue = UnpackColour(0xFF0000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(NearestPassingColour(typRed, typBlue, ContrastLevel::AaaText));
    }
}
BENCHMARK(BM_NearestPassingColour)->Unit(benchmark::kMicrosecond);

}  // namespace
