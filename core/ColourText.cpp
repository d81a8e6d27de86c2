#include "core/ColourText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <system_error>  // std::errc

#include "core/ColourSpaces.h"
#include "core/CssNamedColours.h"

namespace {

bool IsSpace(char chr) {
    return chr == ' ' || chr == '\t' || chr == '\n' || chr == '\r' || chr == '\f';
}
bool IsDigit(char chr) { return chr >= '0' && chr <= '9'; }
bool IsHexDigit(char chr) {
    return IsDigit(chr) || (chr >= 'a' && chr <= 'f') || (chr >= 'A' && chr <= 'F');
}
int HexValue(char chr) {
    if (IsDigit(chr)) return chr - '0';
    if (chr >= 'a' && chr <= 'f') return chr - 'a' + 10;
    return chr - 'A' + 10;
}
// Non-ASCII bytes belong to names, as in CSS.
bool IsNameStart(char chr) {
    return (chr >= 'a' && chr <= 'z') || (chr >= 'A' && chr <= 'Z') || chr == '_' || chr == '-' ||
           static_cast<unsigned char>(chr) >= 0x80;
}
bool IsNameChar(char chr) { return IsNameStart(chr) || IsDigit(chr); }
char Lower(char chr) { return chr >= 'A' && chr <= 'Z' ? static_cast<char>(chr - 'A' + 'a') : chr; }

// Compares a text with a lower-case word, ignoring the case of the text.
bool IsWord(std::string_view strText, std::string_view strLowerWord) {
    if (strText.size() != strLowerWord.size()) return false;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (Lower(strText[i]) != strLowerWord[i]) return false;
    }
    return true;
}

template <std::size_t N>
bool IsOneOf(std::string_view strText, const std::array<std::string_view, N>& arrWords) {
    return std::any_of(arrWords.begin(), arrWords.end(),
                       [&](std::string_view strWord) { return IsWord(strText, strWord); });
}

// Colours that depend on the document, the platform or the user's settings.
constexpr std::array<std::string_view, 43> arrSystemColours{"currentcolor",
                                                            "accentcolor",
                                                            "accentcolortext",
                                                            "activetext",
                                                            "buttonborder",
                                                            "buttonface",
                                                            "buttontext",
                                                            "canvas",
                                                            "canvastext",
                                                            "field",
                                                            "fieldtext",
                                                            "graytext",
                                                            "highlight",
                                                            "highlighttext",
                                                            "linktext",
                                                            "mark",
                                                            "marktext",
                                                            "selecteditem",
                                                            "selecteditemtext",
                                                            "visitedtext",
                                                            "activeborder",
                                                            "activecaption",
                                                            "appworkspace",
                                                            "background",
                                                            "buttonhighlight",
                                                            "buttonshadow",
                                                            "captiontext",
                                                            "inactiveborder",
                                                            "inactivecaption",
                                                            "inactivecaptiontext",
                                                            "infobackground",
                                                            "infotext",
                                                            "menu",
                                                            "menutext",
                                                            "scrollbar",
                                                            "threeddarkshadow",
                                                            "threedface",
                                                            "threedhighlight",
                                                            "threedlightshadow",
                                                            "threedshadow",
                                                            "window",
                                                            "windowframe",
                                                            "windowtext"};

// Functions whose value is only known where the text is used.
constexpr std::array<std::string_view, 10> arrVariableFunctions{
    "var", "calc", "env", "attr", "min", "max", "clamp", "light-dark", "color-mix", "if"};

constexpr double dblLargestComponent = 1e9;

// A colour read, before it becomes 8-bit.
struct ParsedColour {
    ColourSpace enmSpace = ColourSpace::Srgb;
    ColourTriple arrValue{};
    double dblAlpha = 1;
    bool blnBytes = false;  // read as exact 8-bit components
    typColour typBytes;
};

struct Component {
    enum Kind { Number, Percent, Angle, None } enmKind = Number;
    double dblValue = 0;  // angles in degrees
    std::size_t intPosition = 0;
};

class ColourTextParser {
public:
    explicit ColourTextParser(std::string_view strSource) : strText(strSource) {}

    bool ParseAll(ParsedColour& objColour);

    std::size_t intErrorPosition = 0;
    const char* strError = nullptr;

private:
    std::string_view strText;
    std::size_t intPos = 0;
    std::size_t intEnd = 0;

    bool Fail(std::size_t intAt, const char* strReason) {
        if (strError == nullptr) {
            intErrorPosition = std::min(intAt, strText.size());
            strError = strReason;
        }
        return false;
    }
    char Peek(std::size_t intAhead = 0) const {
        return intPos + intAhead < intEnd ? strText[intPos + intAhead] : '\0';
    }
    bool AtEnd() const { return intPos >= intEnd; }
    void SkipSpace();
    bool Expect(char chrWanted, const char* strReason) {
        SkipSpace();
        if (Peek() != chrWanted) return Fail(intPos, strReason);
        ++intPos;
        return true;
    }
    bool StartsNumber() const;
    std::string_view Name();
    std::string_view DottedName();

    bool ReadValue(ParsedColour& objColour);
    bool ReadNumber(double& dblValue);
    bool ReadComponent(Component& objComponent);
    bool ReadWholeNumber(std::int64_t& lngValue);
    bool ReadByte(std::int16_t& intValue);
    bool ReadQuoted(ParsedColour& objColour, bool blnArgbHex);

    bool ReadHex(ParsedColour& objColour, bool blnAlphaFirst);
    bool ReadReversedHex(ParsedColour& objColour, std::size_t intDigitsAt);
    bool ReadPackedDecimal(ParsedColour& objColour);
    bool ReadAndroid(ParsedColour& objColour);
    bool ReadKeyword(std::string_view strName, std::size_t intNameAt, ParsedColour& objColour);
    bool ReadFunction(std::string_view strName, std::size_t intNameAt, ParsedColour& objColour);
    bool ReadCssFunction(std::string_view strName, ParsedColour& objColour);
    bool ReadColorSpaceFunction(ParsedColour& objColour);
    bool ReadCodeColor(ParsedColour& objColour);
    bool ReadSwiftUi(ParsedColour& objColour);
    bool ReadIntegerList(std::array<std::int16_t, 4>& arrValues, int& intCount);
    bool ReadAlpha(Component& objAlpha, double& dblAlpha, bool blnLegacy);
    bool FinishModern(const std::array<Component, 3>& arrComponents, ParsedColour& objColour);
    bool SetPackedBgr(std::int64_t lngValue, std::size_t intAt, ParsedColour& objColour);
};

void SetBytes(ParsedColour& objColour, int intRed, int intGreen, int intBlue) {
    objColour.blnBytes = true;
    objColour.typBytes.lngRed = intRed;
    objColour.typBytes.lngGreen = intGreen;
    objColour.typBytes.lngBlue = intBlue;
}

void ColourTextParser::SkipSpace() {
    while (intPos < intEnd) {
        if (IsSpace(strText[intPos])) {
            ++intPos;
        } else if (Peek() == '/' && Peek(1) == '*') {
            // A comment that is never closed runs to the end, as in CSS.
            const std::size_t intClose = strText.substr(0, intEnd).find("*/", intPos + 2);
            intPos = intClose == std::string_view::npos ? intEnd : intClose + 2;
        } else {
            break;
        }
    }
}

bool ColourTextParser::StartsNumber() const {
    const auto IsStart = [&](std::size_t k) {
        return IsDigit(Peek(k)) || (Peek(k) == '.' && IsDigit(Peek(k + 1)));
    };
    if (Peek() == '+' || Peek() == '-') return IsStart(1);
    return IsStart(0);
}

std::string_view ColourTextParser::Name() {
    const std::size_t intStart = intPos;
    while (intPos < intEnd && IsNameChar(strText[intPos])) ++intPos;
    return strText.substr(intStart, intPos - intStart);
}

std::string_view ColourTextParser::DottedName() {
    const std::size_t intStart = intPos;
    Name();
    while (Peek() == '.' && IsNameStart(Peek(1))) {
        ++intPos;
        Name();
    }
    return strText.substr(intStart, intPos - intStart);
}

bool ColourTextParser::ParseAll(ParsedColour& objColour) {
    // A line of code ends at its first ";"; a comment after it is no concern of ours.
    intEnd = std::min(strText.find(';'), strText.size());
    SkipSpace();
    // A declaration ("color: #fc0", "--brand: red"): the value follows the last ":".
    if (IsNameStart(Peek())) {
        const std::size_t intStart = intPos;
        Name();
        SkipSpace();
        if (Peek() == ':') {
            intPos = strText.substr(0, intEnd).rfind(':') + 1;
        } else {
            intPos = intStart;
        }
    }
    if (!ReadValue(objColour)) return false;
    SkipSpace();
    if (Peek() == '!') {
        ++intPos;
        SkipSpace();
        const std::size_t intWordAt = intPos;
        if (!IsWord(Name(), "important")) return Fail(intWordAt, "expected 'important'");
        SkipSpace();
    }
    if (!AtEnd()) return Fail(intPos, "unexpected text after the colour");
    return true;
}

bool ColourTextParser::ReadValue(ParsedColour& objColour) {
    SkipSpace();
    if (AtEnd()) return Fail(intPos, "no colour");
    const std::size_t intStart = intPos;
    const char chr = Peek();
    if (chr == '#') return ReadHex(objColour, false);
    if (chr == '&' && (Peek(1) == 'H' || Peek(1) == 'h'))
        return ReadReversedHex(objColour, intPos + 2);
    if (chr == '$') return ReadReversedHex(objColour, intPos + 1);
    if (chr == '0' && (Peek(1) == 'x' || Peek(1) == 'X'))
        return ReadReversedHex(objColour, intPos + 2);
    if (chr == '<') return ReadAndroid(objColour);
    if (StartsNumber()) return ReadPackedDecimal(objColour);
    if (IsNameStart(chr)) {
        const std::string_view strName = DottedName();
        if (Peek() == '(') {
            ++intPos;
            return ReadFunction(strName, intStart, objColour);
        }
        return ReadKeyword(strName, intStart, objColour);
    }
    return Fail(intStart, "expected a colour");
}

// "#RGB" or "#RRGGBB" with an optional alpha digit or pair: last as CSS writes it, first as
// Android and Qt write it.
bool ColourTextParser::ReadHex(ParsedColour& objColour, bool blnAlphaFirst) {
    if (Peek() != '#') return Fail(intPos, "expected '#'");
    const std::size_t intHashAt = intPos++;
    const std::size_t intDigitsAt = intPos;
    while (IsHexDigit(Peek())) ++intPos;
    if (IsNameChar(Peek())) return Fail(intPos, "not a hex digit");
    const std::size_t intCount = intPos - intDigitsAt;
    if (intCount != 3 && intCount != 4 && intCount != 6 && intCount != 8)
        return Fail(intHashAt, "a hex colour has 3, 4, 6 or 8 digits");
    const std::size_t intWidth = intCount <= 4 ? 1 : 2;  // digits a component
    const bool blnAlpha = intCount == 4 || intCount == 8;
    const auto Component = [&](std::size_t intAt) {
        const char* strDigits = strText.data() + intDigitsAt + intAt;
        return intWidth == 1 ? HexValue(strDigits[0]) * 17
                             : HexValue(strDigits[0]) * 16 + HexValue(strDigits[1]);
    };
    const std::size_t intColourAt = blnAlpha && blnAlphaFirst ? intWidth : 0;
    SetBytes(objColour, Component(intColourAt), Component(intColourAt + intWidth),
             Component(intColourAt + 2 * intWidth));
    if (blnAlpha) objColour.dblAlpha = Component(blnAlphaFirst ? 0 : 3 * intWidth) / 255.0;
    return true;
}

// A packed value red + 256 * green + 65536 * blue. Values with the top bit set are the system
// colours of the Windows formats.
bool ColourTextParser::SetPackedBgr(std::int64_t lngValue, std::size_t intAt,
                                    ParsedColour& objColour) {
    if (lngValue >= 0 && lngValue <= 0xFFFFFF) {
        SetBytes(objColour, static_cast<int>(lngValue & 255),
                 static_cast<int>((lngValue >> 8) & 255), static_cast<int>((lngValue >> 16) & 255));
        return true;
    }
    const bool blnSystem = (lngValue >= 0x80000000LL && lngValue <= 0x800000FFLL) ||
                           (lngValue >= -0x80000000LL && lngValue <= -0x80000000LL + 0xFF);
    return Fail(intAt, blnSystem ? "not a fixed colour" : "number out of range");
}

// "&H0000CCFF&", "0x0000ccff" and "$0000CCFF": hex digits of the packed value.
bool ColourTextParser::ReadReversedHex(ParsedColour& objColour, std::size_t intDigitsAt) {
    const std::size_t intStart = intPos;
    const bool blnVb = Peek() == '&';
    intPos = intDigitsAt;
    std::int64_t lngValue = 0;
    while (IsHexDigit(Peek())) {
        if (intPos - intDigitsAt >= 8) return Fail(intPos, "too many hex digits");
        lngValue = lngValue * 16 + HexValue(Peek());
        ++intPos;
    }
    if (intPos == intDigitsAt) return Fail(intPos, "expected a hex digit");
    if (blnVb && Peek() == '&') ++intPos;
    if (IsNameChar(Peek())) return Fail(intPos, "not a hex digit");
    return SetPackedBgr(lngValue, intStart, objColour);
}

bool ColourTextParser::ReadWholeNumber(std::int64_t& lngValue) {
    SkipSpace();
    const std::size_t intStart = intPos;
    const bool blnNegative = Peek() == '-';
    if (Peek() == '-' || Peek() == '+') ++intPos;
    if (!IsDigit(Peek())) return Fail(intStart, "expected a whole number");
    lngValue = 0;
    while (IsDigit(Peek())) {
        if (lngValue > 0xFFFFFFFFFFLL) return Fail(intStart, "number out of range");
        lngValue = lngValue * 10 + (Peek() - '0');
        ++intPos;
    }
    if (Peek() == '.' || Peek() == 'e' || Peek() == 'E' || IsNameChar(Peek())) {
        return Fail(intPos, "expected a whole number");
    }
    if (blnNegative) lngValue = -lngValue;
    return true;
}

// "52479", as the Access format writes a colour.
bool ColourTextParser::ReadPackedDecimal(ParsedColour& objColour) {
    const std::size_t intStart = intPos;
    std::int64_t lngValue = 0;
    return ReadWholeNumber(lngValue) && SetPackedBgr(lngValue, intStart, objColour);
}

bool ColourTextParser::ReadByte(std::int16_t& intValue) {
    SkipSpace();
    const std::size_t intStart = intPos;
    std::int64_t lngValue = 0;
    if (!ReadWholeNumber(lngValue)) return false;
    if (lngValue < 0 || lngValue > 255) return Fail(intStart, "a component lies outside 0..255");
    intValue = static_cast<std::int16_t>(lngValue);
    return true;
}

// '<color name="sun_yellow">#FFFFCC00</color>'
bool ColourTextParser::ReadAndroid(ParsedColour& objColour) {
    const std::size_t intStart = intPos++;
    if (!IsWord(Name(), "color")) return Fail(intStart, "expected '<color'");
    const std::size_t intClose = strText.substr(0, intEnd).find('>', intPos);
    if (intClose == std::string_view::npos) return Fail(intEnd, "expected '>'");
    intPos = intClose + 1;
    SkipSpace();
    if (!ReadHex(objColour, true)) return false;
    SkipSpace();
    const std::size_t intEndTagAt = intPos;
    if (Peek() != '<' || Peek(1) != '/') return Fail(intEndTagAt, "expected '</color>'");
    intPos += 2;
    if (!IsWord(Name(), "color")) return Fail(intEndTagAt, "expected '</color>'");
    return Expect('>', "expected '>'");
}

bool ColourTextParser::ReadKeyword(std::string_view strName, std::size_t intNameAt,
                                   ParsedColour& objColour) {
    const std::int32_t lngValue = FindCssNamedColour(strName);
    if (lngValue >= 0) {
        const typColour typValue = UnpackColour(lngValue);
        SetBytes(objColour, typValue.lngRed, typValue.lngGreen, typValue.lngBlue);
        return true;
    }
    if (IsWord(strName, "transparent")) {
        SetBytes(objColour, 0, 0, 0);
        objColour.dblAlpha = 0;
        return true;
    }
    if (IsOneOf(strName, arrSystemColours)) return Fail(intNameAt, "not a fixed colour");
    if (IsWord(strName, "new")) {
        // Java: "new Color(255, 204, 0)".
        SkipSpace();
        const std::size_t intClassAt = intPos;
        if (!IsWord(DottedName(), "color") || Peek() != '(') {
            return Fail(intClassAt, "expected 'Color('");
        }
        ++intPos;
        return ReadCodeColor(objColour);
    }
    return Fail(intNameAt, "unknown colour name");
}

bool ColourTextParser::ReadNumber(double& dblValue) {
    const std::size_t intStart = intPos;
    bool blnNegative = false;
    if (Peek() == '+' || Peek() == '-') {
        blnNegative = Peek() == '-';
        ++intPos;
    }
    const std::size_t intDigitsAt = intPos;
    while (IsDigit(Peek())) ++intPos;
    if (Peek() == '.' && IsDigit(Peek(1))) {
        ++intPos;
        while (IsDigit(Peek())) ++intPos;
    }
    if (intPos == intDigitsAt) return Fail(intStart, "expected a number");
    bool blnSmallExponent = false;
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
        blnSmallExponent = Peek(1) == '-';
        intPos += 2;
        while (IsDigit(Peek())) ++intPos;
    }
    const char* pchFirst = strText.data() + intDigitsAt;
    const char* pchLast = strText.data() + intPos;
    const auto objResult = std::from_chars(pchFirst, pchLast, dblValue);
    if (objResult.ec == std::errc::result_out_of_range) {
        dblValue = blnSmallExponent ? 0 : dblLargestComponent;
    } else if (objResult.ec != std::errc() || objResult.ptr != pchLast) {
        return Fail(intStart, "expected a number");
    }
    dblValue = std::min(dblValue, dblLargestComponent);
    if (blnNegative) dblValue = -dblValue;
    return true;
}

bool ColourTextParser::ReadComponent(Component& objComponent) {
    SkipSpace();
    objComponent.intPosition = intPos;
    if (StartsNumber()) {
        if (!ReadNumber(objComponent.dblValue)) return false;
        if (Peek() == '%') {
            ++intPos;
            objComponent.enmKind = Component::Percent;
        } else if (IsNameStart(Peek())) {
            const std::size_t intUnitAt = intPos;
            const std::string_view strUnit = Name();
            double dblFactor = 0;
            if (IsWord(strUnit, "deg")) {
                dblFactor = 1;
            } else if (IsWord(strUnit, "grad")) {
                dblFactor = 0.9;
            } else if (IsWord(strUnit, "rad")) {
                dblFactor = 180 / std::numbers::pi;
            } else if (IsWord(strUnit, "turn")) {
                dblFactor = 360;
            } else {
                return Fail(intUnitAt, "unknown unit");
            }
            objComponent.enmKind = Component::Angle;
            objComponent.dblValue = std::clamp(objComponent.dblValue * dblFactor,
                                               -dblLargestComponent, dblLargestComponent);
        } else {
            objComponent.enmKind = Component::Number;
        }
        return true;
    }
    if (IsNameStart(Peek())) {
        const std::string_view strName = Name();
        if (Peek() != '(' && IsWord(strName, "none")) {
            objComponent.enmKind = Component::None;
            objComponent.dblValue = 0;
            return true;
        }
        if (Peek() == '(' && IsOneOf(strName, arrVariableFunctions)) {
            return Fail(objComponent.intPosition, "not a fixed colour");
        }
    }
    // A word that is no number is refused where it starts, not where it ends.
    return Fail(objComponent.intPosition, "expected a number");
}

// The value of a number or percentage: 100% is dblFull.
double Scaled(const Component& objComponent, double dblFull) {
    return objComponent.enmKind == Component::Percent ? objComponent.dblValue * dblFull / 100
                                                      : objComponent.dblValue;
}

bool ColourTextParser::ReadAlpha(Component& objAlpha, double& dblAlpha, bool blnLegacy) {
    if (!ReadComponent(objAlpha)) return false;
    if (objAlpha.enmKind == Component::Angle) {
        return Fail(objAlpha.intPosition, "expected a number or percentage");
    }
    if (blnLegacy && objAlpha.enmKind == Component::None) {
        return Fail(objAlpha.intPosition, "'none' needs the syntax without commas");
    }
    dblAlpha = std::clamp(Scaled(objAlpha, 1), 0.0, 1.0);
    return true;
}

bool ColourTextParser::ReadFunction(std::string_view strName, std::size_t intNameAt,
                                    ParsedColour& objColour) {
    if (IsOneOf(strName,
                std::array<std::string_view, 10>{"rgb", "rgba", "hsl", "hsla", "hwb", "lab", "lch",
                                                 "oklab", "oklch", "qcolor"})) {
        return ReadCssFunction(strName, objColour);
    }
    if (IsWord(strName, "color")) {
        // CSS color() names a colour space; the code forms start with a number or "red:".
        const std::size_t intArgsAt = intPos;
        SkipSpace();
        const bool blnCode = StartsNumber() || IsWord(Name(), "red");
        intPos = intArgsAt;
        return blnCode ? ReadCodeColor(objColour) : ReadColorSpaceFunction(objColour);
    }
    std::string_view strShort = strName;
    for (const std::string_view strPrefix : {"system.drawing.", "system.windows.media."}) {
        if (strShort.size() > strPrefix.size() &&
            IsWord(strShort.substr(0, strPrefix.size()), strPrefix)) {
            strShort.remove_prefix(strPrefix.size());
        }
    }
    if (IsWord(strShort, "colortranslator.fromhtml")) {
        if (!ReadQuoted(objColour, false)) return false;
        return Expect(')', "expected ')'");
    }
    if (IsWord(strShort, "colortranslator.fromole") ||
        IsWord(strShort, "colortranslator.fromwin32")) {
        SkipSpace();
        const std::size_t intNumberAt = intPos;
        std::int64_t lngValue = 0;
        if (!ReadWholeNumber(lngValue) || !SetPackedBgr(lngValue, intNumberAt, objColour)) {
            return false;
        }
        return Expect(')', "expected ')'");
    }
    if (IsWord(strShort, "color.fromargb")) {
        // Flutter and .NET: alpha, red, green, blue; .NET also takes red, green, blue alone.
        std::array<std::int16_t, 4> arrValues{};
        int intCount = 0;
        if (!ReadIntegerList(arrValues, intCount)) return false;
        if (intCount == 3) {
            SetBytes(objColour, arrValues[0], arrValues[1], arrValues[2]);
        } else if (intCount == 4) {
            SetBytes(objColour, arrValues[1], arrValues[2], arrValues[3]);
            objColour.dblAlpha = arrValues[0] / 255.0;
        } else {
            return Fail(intPos, "expected 3 or 4 components");
        }
        return true;
    }
    if (IsWord(strShort, "color.fromrgbo")) {
        // Flutter: red, green, blue and an opacity 0..1.
        std::array<std::int16_t, 3> arrRgb{};
        for (std::size_t i = 0; i < 3; ++i) {
            if (!ReadByte(arrRgb[i]) || !Expect(',', "expected ','")) return false;
        }
        SkipSpace();
        double dblOpacity = 0;
        if (!StartsNumber()) return Fail(intPos, "expected a number");
        if (!ReadNumber(dblOpacity)) return false;
        SetBytes(objColour, arrRgb[0], arrRgb[1], arrRgb[2]);
        objColour.dblAlpha = std::clamp(dblOpacity, 0.0, 1.0);
        return Expect(')', "expected ')'");
    }
    if (IsOneOf(strName, arrVariableFunctions)) return Fail(intNameAt, "not a fixed colour");
    return Fail(intNameAt, "unknown colour function");
}

// The inside of "...": a hex colour (alpha first when blnArgbHex) or a colour name.
bool ColourTextParser::ReadQuoted(ParsedColour& objColour, bool blnArgbHex) {
    if (!Expect('"', "expected '\"'")) return false;
    const std::size_t intClose = strText.substr(0, intEnd).find('"', intPos);
    if (intClose == std::string_view::npos) return Fail(intEnd, "expected '\"'");
    const std::size_t intOuterEnd = intEnd;
    intEnd = intClose;
    SkipSpace();
    bool blnOk = false;
    if (blnArgbHex && Peek() == '#') {
        blnOk = ReadHex(objColour, true);
    } else if (Peek() == '#' || IsNameStart(Peek())) {
        const std::size_t intNameAt = intPos;
        blnOk =
            Peek() == '#' ? ReadHex(objColour, false) : ReadKeyword(Name(), intNameAt, objColour);
    } else {
        blnOk = Fail(intPos, "expected a colour");
    }
    if (blnOk) {
        SkipSpace();
        if (!AtEnd()) blnOk = Fail(intPos, "unexpected text after the colour");
    }
    intEnd = intOuterEnd;
    intPos = intClose + 1;
    return blnOk;
}

bool ColourTextParser::ReadIntegerList(std::array<std::int16_t, 4>& arrValues, int& intCount) {
    intCount = 0;
    SkipSpace();
    while (intCount < 4) {
        if (!ReadByte(arrValues[static_cast<std::size_t>(intCount)])) return false;
        ++intCount;
        SkipSpace();
        if (Peek() == ')') {
            ++intPos;
            return true;
        }
        if (!Expect(',', "expected ',' or ')'")) return false;
    }
    return Fail(intPos, "expected ')'");
}

// Java "Color(255,204,0)", Flutter "Color(0xFFFFCC00)" and SwiftUI "Color(red: 1, ...)".
bool ColourTextParser::ReadCodeColor(ParsedColour& objColour) {
    SkipSpace();
    if (IsNameStart(Peek())) return ReadSwiftUi(objColour);
    if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X')) {
        const std::size_t intStart = intPos;
        intPos += 2;
        std::uint64_t lngValue = 0;
        while (IsHexDigit(Peek())) {
            if (intPos - intStart >= 10) return Fail(intPos, "too many hex digits");
            lngValue = lngValue * 16 + static_cast<std::uint64_t>(HexValue(Peek()));
            ++intPos;
        }
        if (intPos == intStart + 2) return Fail(intPos, "expected a hex digit");
        if (IsNameChar(Peek())) return Fail(intPos, "not a hex digit");
        SetBytes(objColour, static_cast<int>((lngValue >> 16) & 255),
                 static_cast<int>((lngValue >> 8) & 255), static_cast<int>(lngValue & 255));
        objColour.dblAlpha = static_cast<double>((lngValue >> 24) & 255) / 255;
        return Expect(')', "expected ')'");
    }
    std::array<std::int16_t, 4> arrValues{};
    int intCount = 0;
    if (!ReadIntegerList(arrValues, intCount)) return false;
    if (intCount < 3) return Fail(intPos - 1, "expected 3 or 4 components");
    SetBytes(objColour, arrValues[0], arrValues[1], arrValues[2]);
    if (intCount == 4) objColour.dblAlpha = arrValues[3] / 255.0;
    return true;
}

bool ColourTextParser::ReadSwiftUi(ParsedColour& objColour) {
    constexpr std::array<std::string_view, 4> arrLabels{"red", "green", "blue", "opacity"};
    ColourTriple arrRgb{};
    for (std::size_t i = 0; i < arrLabels.size(); ++i) {
        SkipSpace();
        if (i == 3 && Peek() == ')') break;
        if (i > 0 && !Expect(',', "expected ','")) return false;
        SkipSpace();
        const std::size_t intLabelAt = intPos;
        if (!IsWord(Name(), arrLabels[i])) {
            return Fail(intLabelAt, i == 0   ? "expected 'red:'"
                                    : i == 1 ? "expected 'green:'"
                                    : i == 2 ? "expected 'blue:'"
                                             : "expected 'opacity:'");
        }
        if (!Expect(':', "expected ':'")) return false;
        SkipSpace();
        if (!StartsNumber()) return Fail(intPos, "expected a number");
        double dblValue = 0;
        if (!ReadNumber(dblValue)) return false;
        if (i < 3) {
            arrRgb[i] = dblValue;
        } else {
            objColour.dblAlpha = std::clamp(dblValue, 0.0, 1.0);
        }
    }
    objColour.enmSpace = ColourSpace::Srgb;
    objColour.arrValue = arrRgb;
    return Expect(')', "expected ')'");
}

bool ColourTextParser::ReadColorSpaceFunction(ParsedColour& objColour) {
    struct SpaceName {
        std::string_view strName;
        ColourSpace enmSpace;
    };
    constexpr std::array<SpaceName, 9> arrSpaces{{{"srgb", ColourSpace::Srgb},
                                                  {"srgb-linear", ColourSpace::SrgbLinear},
                                                  {"display-p3", ColourSpace::DisplayP3},
                                                  {"a98-rgb", ColourSpace::A98Rgb},
                                                  {"prophoto-rgb", ColourSpace::ProphotoRgb},
                                                  {"rec2020", ColourSpace::Rec2020},
                                                  {"xyz", ColourSpace::XyzD65},
                                                  {"xyz-d50", ColourSpace::XyzD50},
                                                  {"xyz-d65", ColourSpace::XyzD65}}};
    SkipSpace();
    const std::size_t intSpaceAt = intPos;
    const std::string_view strSpace = Name();
    if (IsWord(strSpace, "from")) return Fail(intSpaceAt, "not a fixed colour");
    if (Peek() == '(' && IsOneOf(strSpace, arrVariableFunctions)) {
        return Fail(intSpaceAt, "not a fixed colour");
    }
    const auto it = std::find_if(arrSpaces.begin(), arrSpaces.end(), [&](const SpaceName& obj) {
        return IsWord(strSpace, obj.strName);
    });
    if (strSpace.empty() || it == arrSpaces.end()) return Fail(intSpaceAt, "unknown colour space");
    std::array<Component, 3> arrComponents{};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!ReadComponent(arrComponents[i])) return false;
        if (arrComponents[i].enmKind == Component::Angle) {
            return Fail(arrComponents[i].intPosition, "expected a number or percentage");
        }
        objColour.arrValue[i] = Scaled(arrComponents[i], 1);
    }
    objColour.enmSpace = it->enmSpace;
    return FinishModern(arrComponents, objColour);
}

// The optional "/ alpha" and the ")" of the syntax without commas.
bool ColourTextParser::FinishModern(const std::array<Component, 3>& arrComponents,
                                    ParsedColour& objColour) {
    SkipSpace();
    if (Peek() == ',') {
        return Fail(intPos, arrComponents[0].enmKind == Component::None
                                ? "'none' needs the syntax without commas"
                                : "unexpected ','");
    }
    if (Peek() == '/') {
        ++intPos;
        Component objAlpha;
        if (!ReadAlpha(objAlpha, objColour.dblAlpha, false)) return false;
    }
    return Expect(')', "expected ')'");
}

bool ColourTextParser::ReadCssFunction(std::string_view strName, ParsedColour& objColour) {
    const bool blnRgb = IsWord(strName, "rgb") || IsWord(strName, "rgba");
    const bool blnHsl = IsWord(strName, "hsl") || IsWord(strName, "hsla");
    const bool blnQt = IsWord(strName, "qcolor");
    SkipSpace();
    if (blnQt) {
        if (Peek() != '"') return ReadCodeColor(objColour);
        if (!ReadQuoted(objColour, true)) return false;
        return Expect(')', "expected ')'");
    }
    {
        const std::size_t intWordAt = intPos;
        if (IsWord(Name(), "from")) return Fail(intWordAt, "not a fixed colour");
        intPos = intWordAt;
    }
    std::array<Component, 3> arrComponents{};
    if (!ReadComponent(arrComponents[0])) return false;
    SkipSpace();
    const bool blnLegacy = Peek() == ',' && (blnRgb || blnHsl);
    if (Peek() == ',' && !blnLegacy) return Fail(intPos, "unexpected ','");
    if (blnLegacy && arrComponents[0].enmKind == Component::None) {
        return Fail(arrComponents[0].intPosition, "'none' needs the syntax without commas");
    }
    for (std::size_t i = 1; i < 3; ++i) {
        if (blnLegacy && !Expect(',', "expected ','")) return false;
        if (!ReadComponent(arrComponents[i])) return false;
        if (blnLegacy && arrComponents[i].enmKind == Component::None) {
            return Fail(arrComponents[i].intPosition, "'none' needs the syntax without commas");
        }
    }
    if (blnLegacy) {
        SkipSpace();
        if (Peek() == ',') {
            ++intPos;
            Component objAlpha;
            if (!ReadAlpha(objAlpha, objColour.dblAlpha, true)) return false;
        }
        if (!Expect(')', "expected ')'")) return false;
    } else if (!FinishModern(arrComponents, objColour)) {
        return false;
    }

    const auto Check = [&](std::size_t i, bool blnHue) {
        const Component& obj = arrComponents[i];
        if (blnHue && obj.enmKind == Component::Percent) {
            return Fail(obj.intPosition, "expected a hue");
        }
        if (!blnHue && obj.enmKind == Component::Angle) {
            return Fail(obj.intPosition, "expected a number or percentage");
        }
        return true;
    };
    const auto Clamp = [](double dblValue, double dblLow, double dblHigh) {
        return std::clamp(dblValue, dblLow, dblHigh);
    };
    ColourTriple& arrValue = objColour.arrValue;
    if (blnRgb) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (!Check(i, false)) return false;
            if (blnLegacy && i > 0 &&
                (arrComponents[i].enmKind == Component::Percent) !=
                    (arrComponents[0].enmKind == Component::Percent)) {
                return Fail(arrComponents[i].intPosition, "numbers and percentages mixed");
            }
        }
        // rgb() is clamped to 0..255 as it is read and rounds halves up.
        std::array<int, 3> arrBytes{};
        for (std::size_t i = 0; i < 3; ++i) {
            const double dblByte = Clamp(Scaled(arrComponents[i], 255), 0, 255);
            arrBytes[i] = static_cast<int>(std::floor(dblByte + 0.5));
        }
        SetBytes(objColour, arrBytes[0], arrBytes[1], arrBytes[2]);
        return true;
    }
    if (blnHsl || IsWord(strName, "hwb")) {
        if (!Check(0, true) || !Check(1, false) || !Check(2, false)) return false;
        if (blnLegacy && (arrComponents[1].enmKind != Component::Percent ||
                          arrComponents[2].enmKind != Component::Percent)) {
            const std::size_t i = arrComponents[1].enmKind != Component::Percent ? 1 : 2;
            return Fail(arrComponents[i].intPosition, "expected a percentage");
        }
        double dblSecond = Clamp(Scaled(arrComponents[1], 100), 0, 100) / 100;
        double dblThird = Clamp(Scaled(arrComponents[2], 100), 0, 100) / 100;
        objColour.enmSpace = blnHsl ? ColourSpace::Hsl : ColourSpace::Hwb;
        arrValue = {arrComponents[0].dblValue, dblSecond, dblThird};
        return true;
    }
    const bool blnOk = IsWord(strName, "oklab") || IsWord(strName, "oklch");
    const bool blnPolar = IsWord(strName, "lch") || IsWord(strName, "oklch");
    if (!Check(0, false) || !Check(1, false) || !Check(2, blnPolar)) return false;
    const double dblLightFull = blnOk ? 1 : 100;
    const double dblAxisFull = blnOk ? 0.4 : (blnPolar ? 150 : 125);
    arrValue[0] = Clamp(Scaled(arrComponents[0], dblLightFull), 0, dblLightFull);
    arrValue[1] = Scaled(arrComponents[1], dblAxisFull);
    arrValue[2] = Scaled(arrComponents[2], dblAxisFull);
    if (blnPolar) arrValue[1] = std::max(arrValue[1], 0.0);
    objColour.enmSpace = blnOk ? (blnPolar ? ColourSpace::Oklch : ColourSpace::Oklab)
                               : (blnPolar ? ColourSpace::Lch : ColourSpace::Lab);
    return true;
}

// Printing --------------------------------------------------------------------------------------

// Appends a number with a fixed count of decimals, then drops trailing zeros ("0.50" as "0.5")
// and the sign of a zero.
void AppendNumber(std::string& strText, double dblValue, int intDecimals, bool blnHue) {
    std::array<char, 64> arrBuffer{};
    const auto objResult = std::to_chars(arrBuffer.data(), arrBuffer.data() + arrBuffer.size(),
                                         dblValue, std::chars_format::fixed, intDecimals);
    std::string_view strNumber(arrBuffer.data(),
                               static_cast<std::size_t>(objResult.ptr - arrBuffer.data()));
    if (strNumber.find('.') != std::string_view::npos) {
        while (strNumber.back() == '0') strNumber.remove_suffix(1);
        if (strNumber.back() == '.') strNumber.remove_suffix(1);
    }
    if (strNumber == "-0") strNumber = "0";
    // A hue just below 360 rounds to 360, which is 0.
    if (blnHue && strNumber == "360") strNumber = "0";
    strText += strNumber;
}

struct NumberLayout {
    std::string_view strPrefix;
    std::array<std::string_view, 3> arrSuffix;
    int intHue;  // which number is a hue, or -1
};

constexpr std::string_view strLowerHexDigits = "0123456789abcdef";

void AppendHexPair(std::string& strText, int intValue, bool blnUpper) {
    const std::string_view strDigits = blnUpper ? "0123456789ABCDEF" : strLowerHexDigits;
    strText += strDigits[static_cast<std::size_t>(intValue) / 16];
    strText += strDigits[static_cast<std::size_t>(intValue) % 16];
}

std::string HexText(std::int16_t intRed, std::int16_t intGreen, std::int16_t intBlue,
                    bool blnUpper) {
    std::string strText;
    AppendHexPair(strText, intRed, blnUpper);
    AppendHexPair(strText, intGreen, blnUpper);
    AppendHexPair(strText, intBlue, blnUpper);
    return strText;
}

// The numbers of a notation with decimals, and how they are laid out.
NumberLayout LayoutOf(int intNotation) {
    switch (intNotation) {
        case intNotationHsl:
            return {"hsl(", {" ", "% ", "%)"}, 0};
        case intNotationHwb:
            return {"hwb(", {" ", "% ", "%)"}, 0};
        case intNotationLab:
            return {"lab(", {"% ", " ", ")"}, -1};
        case intNotationLch:
            return {"lch(", {"% ", " ", ")"}, 2};
        case intNotationOklab:
            return {"oklab(", {"% ", " ", ")"}, -1};
        case intNotationOklch:
            return {"oklch(", {"% ", " ", ")"}, 2};
        case intNotationDisplayP3:
            return {"color(display-p3 ", {" ", " ", ")"}, -1};
        default:
            return {"Color(red: ", {", green: ", ", blue: ", ")"}, -1};
    }
}

ColourTriple NumbersOf(int intNotation, std::int16_t intRed, std::int16_t intGreen,
                       std::int16_t intBlue) {
    const auto From = [&](ColourSpace enmSpace) {
        return ColourFromBytes(enmSpace, intRed, intGreen, intBlue);
    };
    ColourTriple arrValue{};
    switch (intNotation) {
        case intNotationHsl:
        case intNotationHwb:
            arrValue = From(intNotation == intNotationHsl ? ColourSpace::Hsl : ColourSpace::Hwb);
            return {arrValue[0], arrValue[1] * 100, arrValue[2] * 100};
        case intNotationLab:
            return From(ColourSpace::Lab);
        case intNotationLch:
            arrValue = From(ColourSpace::Lch);
            if (arrValue[1] <= dblLchPowerlessChroma) arrValue[2] = 0;
            return arrValue;
        case intNotationOklab:
            arrValue = From(ColourSpace::Oklab);
            return {arrValue[0] * 100, arrValue[1], arrValue[2]};
        case intNotationOklch:
            arrValue = From(ColourSpace::Oklch);
            if (arrValue[1] <= dblOklchPowerlessChroma) arrValue[2] = 0;
            return {arrValue[0] * 100, arrValue[1], arrValue[2]};
        case intNotationDisplayP3:
            return From(ColourSpace::DisplayP3);
        default:
            return {intRed / 255.0, intGreen / 255.0, intBlue / 255.0};
    }
}

typColourTextResult ReadColourText(std::string_view strText, bool blnMapOutside);

std::string DecimalNotationText(int intNotation, std::int16_t intRed, std::int16_t intGreen,
                                std::int16_t intBlue) {
    const NumberLayout objLayout = LayoutOf(intNotation);
    const ColourTriple arrNumbers = NumbersOf(intNotation, intRed, intGreen, intBlue);
    const typColour typWanted{intRed, intBlue, intGreen};
    std::string strText;
    for (int intDecimals = 0; intDecimals <= 5; ++intDecimals) {
        strText.assign(objLayout.strPrefix);
        for (std::size_t i = 0; i < 3; ++i) {
            AppendNumber(strText, arrNumbers[i], intDecimals,
                         static_cast<int>(i) == objLayout.intHue);
            strText += objLayout.arrSuffix[i];
        }
        // A text that reads as a colour outside sRGB is refused anyway, so it is not mapped.
        const typColourTextResult typRead = ReadColourText(strText, false);
        if (typRead.blnOk && !typRead.blnMapped && typRead.typValue == typWanted) break;
    }
    return strText;
}

}  // namespace

namespace {

typColourTextResult ReadColourText(std::string_view strText, bool blnMapOutside) {
    typColourTextResult typResult;
    ColourTextParser objParser(strText);
    ParsedColour objColour;
    if (!objParser.ParseAll(objColour)) {
        typResult.intErrorPosition = objParser.intErrorPosition;
        typResult.strError = objParser.strError;
        return typResult;
    }
    typResult.blnOk = true;
    if (objColour.blnBytes) {
        typResult.typValue = objColour.typBytes;
    } else {
        const typSrgbBytes typBytes =
            NearestSrgbBytes(objColour.enmSpace, objColour.arrValue, blnMapOutside);
        typResult.typValue = typBytes.typValue;
        typResult.blnMapped = typBytes.blnMapped;
    }
    typResult.dblAlpha = objColour.dblAlpha;
    typResult.blnAlphaIgnored = objColour.dblAlpha < 1;
    return typResult;
}

}  // namespace

typColourTextResult ParseColourText(std::string_view strText) {
    return ReadColourText(strText, true);
}

int FindColourNotation(std::string_view strKey) {
    for (std::size_t i = 0; i < arrColourNotationKey.size(); ++i) {
        if (arrColourNotationKey[i] == strKey) return static_cast<int>(i);
    }
    return -1;
}

std::string ColourVariableName(const std::string& strName, int intMark) {
    std::string strResult;
    bool blnInRun = false;
    for (const char chr : strName) {
        const char chrLower = Lower(chr);
        if ((chrLower >= 'a' && chrLower <= 'z') || IsDigit(chrLower) || chrLower == '-' ||
            chrLower == '_') {
            strResult += chrLower;
            blnInRun = false;
        } else if (!blnInRun) {
            strResult += '-';
            blnInRun = true;
        }
    }
    const std::size_t intFirst = strResult.find_first_not_of('-');
    if (intFirst == std::string::npos) return "colour-" + std::to_string(intMark);
    return strResult.substr(intFirst, strResult.find_last_not_of('-') - intFirst + 1);
}

std::string ColourNotationText(int intNotation, std::int16_t intRed, std::int16_t intGreen,
                               std::int16_t intBlue, const std::string& strName, int intMark) {
    for (const std::int16_t intValue : {intRed, intGreen, intBlue}) {
        if (intValue < 0 || intValue > 255) throw std::out_of_range("colour component");
    }
    const auto Decimal = [](std::int16_t intValue) { return std::to_string(intValue); };
    switch (intNotation) {
        case intNotationHex:
            return "#" + HexText(intRed, intGreen, intBlue, false);
        case intNotationRgb:
            return "rgb(" + Decimal(intRed) + " " + Decimal(intGreen) + " " + Decimal(intBlue) +
                   ")";
        case intNotationHsl:
        case intNotationHwb:
        case intNotationLab:
        case intNotationLch:
        case intNotationOklab:
        case intNotationOklch:
        case intNotationDisplayP3:
        case intNotationSwiftUi:
            return DecimalNotationText(intNotation, intRed, intGreen, intBlue);
        case intNotationCssVariable:
            return "--" + ColourVariableName(strName, intMark) + ": #" +
                   HexText(intRed, intGreen, intBlue, false) + ";";
        case intNotationQt:
            return "QColor(" + Decimal(intRed) + ", " + Decimal(intGreen) + ", " +
                   Decimal(intBlue) + ")";
        case intNotationAndroid: {
            std::string strAndroidName = ColourVariableName(strName, intMark);
            std::replace(strAndroidName.begin(), strAndroidName.end(), '-', '_');
            return "<color name=\"" + strAndroidName + "\">#FF" +
                   HexText(intRed, intGreen, intBlue, true) + "</color>";
        }
        case intNotationFlutter:
            return "Color(0xFF" + HexText(intRed, intGreen, intBlue, true) + ")";
        default:
            throw std::out_of_range("colour notation index");
    }
}
