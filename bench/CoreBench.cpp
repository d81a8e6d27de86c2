// Speed of the core routines the main window calls on every colour change and clipboard tick.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "core/Classification.h"
#include "core/CodeFormats.h"
#include "core/ColourValue.h"
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

}  // namespace
