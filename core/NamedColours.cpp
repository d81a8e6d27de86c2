#include "core/NamedColours.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "core/ColourValue.h"
#include "core/modSupport.h"

using modSupport::CheckedIndex;

namespace {

struct NamedEntry {
    std::string_view strName;
    std::int32_t lngRgb;  // 0xRRGGBB, as the colour is written in a tip
};

// Alphabetical (plain character order). "lightgrey" keeps its grey spelling; every other
// grey is spelt "gray". aqua/cyan and fuchsia/magenta share a value each.
constexpr std::array<NamedEntry, intNamedColourCount> arrAlphabetical{{
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
}};

// The .NET palette order, by name.
constexpr std::array<std::string_view, intNamedColourCount> arrNetOrderNames{
    "black",
    "dimgray",
    "gray",
    "darkgray",
    "silver",
    "lightgrey",
    "gainsboro",
    "whitesmoke",
    "white",
    "rosybrown",
    "indianred",
    "brown",
    "firebrick",
    "lightcoral",
    "maroon",
    "darkred",
    "red",
    "snow",
    "mistyrose",
    "salmon",
    "tomato",
    "darksalmon",
    "coral",
    "orangered",
    "lightsalmon",
    "sienna",
    "seashell",
    "chocolate",
    "saddlebrown",
    "sandybrown",
    "peachpuff",
    "peru",
    "linen",
    "bisque",
    "darkorange",
    "burlywood",
    "tan",
    "antiquewhite",
    "navajowhite",
    "blanchedalmond",
    "papayawhip",
    "moccasin",
    "orange",
    "wheat",
    "oldlace",
    "floralwhite",
    "darkgoldenrod",
    "goldenrod",
    "cornsilk",
    "gold",
    "khaki",
    "lemonchiffon",
    "palegoldenrod",
    "darkkhaki",
    "beige",
    "lightgoldenrodyellow",
    "olive",
    "yellow",
    "lightyellow",
    "ivory",
    "olivedrab",
    "yellowgreen",
    "darkolivegreen",
    "greenyellow",
    "chartreuse",
    "lawngreen",
    "darkseagreen",
    "forestgreen",
    "limegreen",
    "lightgreen",
    "palegreen",
    "darkgreen",
    "green",
    "lime",
    "honeydew",
    "seagreen",
    "mediumseagreen",
    "springgreen",
    "mintcream",
    "mediumspringgreen",
    "mediumaquamarine",
    "aquamarine",
    "turquoise",
    "lightseagreen",
    "mediumturquoise",
    "darkslategray",
    "paleturquoise",
    "teal",
    "darkcyan",
    "aqua",
    "cyan",
    "lightcyan",
    "azure",
    "darkturquoise",
    "cadetblue",
    "powderblue",
    "lightblue",
    "deepskyblue",
    "skyblue",
    "lightskyblue",
    "steelblue",
    "aliceblue",
    "dodgerblue",
    "slategray",
    "lightslategray",
    "lightsteelblue",
    "cornflowerblue",
    "royalblue",
    "midnightblue",
    "lavender",
    "navy",
    "darkblue",
    "mediumblue",
    "blue",
    "ghostwhite",
    "slateblue",
    "darkslateblue",
    "mediumslateblue",
    "mediumpurple",
    "blueviolet",
    "indigo",
    "darkorchid",
    "darkviolet",
    "mediumorchid",
    "thistle",
    "plum",
    "violet",
    "purple",
    "darkmagenta",
    "magenta",
    "fuchsia",
    "orchid",
    "mediumvioletred",
    "deeppink",
    "hotpink",
    "lavenderblush",
    "palevioletred",
    "crimson",
    "pink",
    "lightpink",
};

// The alphabetical index of each .NET entry; a name missing from the alphabetical table
// stops the build.
constexpr std::array<std::size_t, intNamedColourCount> arrNetToAlphabetical = [] {
    std::array<std::size_t, intNamedColourCount> arrIndex{};
    for (std::size_t i = 0; i < arrNetOrderNames.size(); ++i) {
        std::size_t j = 0;
        while (arrAlphabetical.at(j).strName != arrNetOrderNames[i]) ++j;
        arrIndex[i] = j;
    }
    return arrIndex;
}();

constexpr std::int32_t PackRgb(std::int32_t lngRgb) {
    return PackColour((lngRgb >> 16) & 255, (lngRgb >> 8) & 255, lngRgb & 255);
}

struct NamedTables {
    std::array<std::int32_t, intNamedColourCount> arrValue{};
    std::array<std::string, intNamedColourCount> arrName;
    std::array<std::string, intNamedColourCount> arrTip;
    std::array<std::int32_t, intNamedColourCount> arrValueNet{};
    std::array<std::string, intNamedColourCount> arrTipNet;
};

// The tips are built once from the hex table, so their digits always match the values.
const NamedTables& Tables() {
    static const NamedTables objTables = [] {
        NamedTables obj;
        for (std::size_t i = 0; i < arrAlphabetical.size(); ++i) {
            const NamedEntry& objEntry = arrAlphabetical[i];
            obj.arrValue[i] = PackRgb(objEntry.lngRgb);
            obj.arrName[i] = std::string(objEntry.strName);
            obj.arrTip[i] = obj.arrName[i] + " #" + strHexPair((objEntry.lngRgb >> 16) & 255) +
                            strHexPair((objEntry.lngRgb >> 8) & 255) +
                            strHexPair(objEntry.lngRgb & 255);
        }
        for (std::size_t i = 0; i < arrNetToAlphabetical.size(); ++i) {
            obj.arrValueNet[i] = obj.arrValue[arrNetToAlphabetical[i]];
            obj.arrTipNet[i] = obj.arrTip[arrNetToAlphabetical[i]];
        }
        return obj;
    }();
    return objTables;
}

}  // namespace

std::int32_t lngNamedColour(int intIndex) { return Tables().arrValue.at(CheckedIndex(intIndex)); }

const std::string& strNamedColour(int intIndex) {
    return Tables().arrName.at(CheckedIndex(intIndex));
}

const std::string& strNamedColourTip(int intIndex) {
    return Tables().arrTip.at(CheckedIndex(intIndex));
}

std::int32_t lngNamedColourNet(int intIndex) {
    return Tables().arrValueNet.at(CheckedIndex(intIndex));
}

const std::string& strNamedColourTipNet(int intIndex) {
    return Tables().arrTipNet.at(CheckedIndex(intIndex));
}

std::int16_t FindNamedColour(std::int32_t lngValue) {
    const auto& arrValue = Tables().arrValue;
    for (std::size_t i = 0; i < arrValue.size(); ++i) {
        if (arrValue[i] == lngValue) return static_cast<std::int16_t>(i);
    }
    return -1;
}

std::string PreferredColourName(const std::string& strName) {
    if (strName == "aqua") return "cyan";
    if (strName == "fuchsia") return "magenta";
    return strName;
}

std::string JavaScriptNameOfHex(const std::string& strDigits) {
    // The tips end in " #RRGGBB"; the name is what stands before those eight characters.
    constexpr std::size_t intDigits = 6;
    constexpr std::size_t intSuffix = 8;
    for (const std::string& strTip : Tables().arrTip) {
        if (strTip.compare(strTip.size() - intDigits, intDigits, strDigits) == 0) {
            return PreferredColourName(strTip.substr(0, strTip.size() - intSuffix));
        }
    }
    return {};
}
