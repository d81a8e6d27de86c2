#include "core/CssNamedColours.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "core/ColourValue.h"
#include "core/NamedColours.h"
#include "core/modSupport.h"

namespace {

using modSupport::CheckedIndex;

struct CssEntry {
    std::string strName;
    std::int32_t lngValue = 0;
};

// The names CSS has beyond the program's own table of 140.
constexpr std::array<std::pair<std::string_view, std::int32_t>, 8> arrExtraNames{{
    {"darkgrey", PackColour(0xA9, 0xA9, 0xA9)},
    {"darkslategrey", PackColour(0x2F, 0x4F, 0x4F)},
    {"dimgrey", PackColour(0x69, 0x69, 0x69)},
    {"grey", PackColour(0x80, 0x80, 0x80)},
    {"lightgray", PackColour(0xD3, 0xD3, 0xD3)},
    {"lightslategrey", PackColour(0x77, 0x88, 0x99)},
    {"rebeccapurple", PackColour(0x66, 0x33, 0x99)},
    {"slategrey", PackColour(0x70, 0x80, 0x90)},
}};

const std::vector<CssEntry>& Entries() {
    static const std::vector<CssEntry> arrEntries = [] {
        std::vector<CssEntry> arr;
        arr.reserve(intCssNamedColourCount);
        for (int i = 0; i < intNamedColourCount; ++i) {
            arr.push_back({strNamedColour(i), lngNamedColour(i)});
        }
        for (const auto& [strName, lngValue] : arrExtraNames) {
            arr.push_back({std::string(strName), lngValue});
        }
        std::sort(arr.begin(), arr.end(),
                  [](const CssEntry& a, const CssEntry& b) { return a.strName < b.strName; });
        return arr;
    }();
    return arrEntries;
}

}  // namespace

const std::string& strCssNamedColour(int intIndex) {
    return Entries().at(CheckedIndex(intIndex)).strName;
}

std::int32_t lngCssNamedColour(int intIndex) {
    return Entries().at(CheckedIndex(intIndex)).lngValue;
}

std::int32_t FindCssNamedColour(std::string_view strName) {
    // The longest name, "lightgoldenrodyellow", has 20 letters.
    std::array<char, 24> arrLower{};
    if (strName.empty() || strName.size() > arrLower.size()) return -1;
    for (std::size_t i = 0; i < strName.size(); ++i) {
        const char chr = strName[i];
        arrLower[i] = chr >= 'A' && chr <= 'Z' ? static_cast<char>(chr - 'A' + 'a') : chr;
    }
    const std::string_view strLower(arrLower.data(), strName.size());
    const std::vector<CssEntry>& arrEntries = Entries();
    const auto it = std::lower_bound(arrEntries.begin(), arrEntries.end(), strLower,
                                     [](const CssEntry& objEntry, std::string_view strKey) {
                                         return objEntry.strName < strKey;
                                     });
    if (it == arrEntries.end() || it->strName != strLower) return -1;
    return it->lngValue;
}

std::vector<std::string> CssNamesOfColour(std::int32_t lngValue) {
    std::vector<std::string> arrNames;
    for (const CssEntry& objEntry : Entries()) {
        if (objEntry.lngValue == lngValue) arrNames.push_back(objEntry.strName);
    }
    return arrNames;
}
