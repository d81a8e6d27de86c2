// Design tokens (.json): colour tokens ({"$type": "color", "$value": …}) at any depth, their type
// inherited from their groups, named by their path joined with "-"; aliases ("{group.token}")
// followed; and plain {"name": "#rrggbb"} members. A small strict JSON reader of its own.

#include <charconv>  // std::from_chars, std::to_chars
#include <map>
#include <string>
#include <tuple>
#include <utility>  // std::move

#include "core/ColourText.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteExchangeText.h"

namespace {

constexpr int intMaxDepth = 64;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object } enmKind = Kind::Null;
    bool blnValue = false;
    double dblValue = 0;
    std::string strValue;
    std::vector<JsonValue> arrItems;
    // An object's members: their names and, at the same places, their values.
    std::vector<std::string> arrKeys;
    std::vector<JsonValue> arrMembers;
    std::size_t intOffset = 0;

    const JsonValue* Member(std::string_view strKey) const {
        for (std::size_t i = 0; i < arrKeys.size(); ++i) {
            if (arrKeys[i] == strKey) return &arrMembers[i];
        }
        return nullptr;
    }
};

struct JsonError {
    std::size_t intOffset;
    std::string strReason;
};

class JsonReader {
public:
    explicit JsonReader(std::string_view strText) : strText(strText) {}

    JsonValue ReadDocument() {
        SkipSpace();
        JsonValue objValue = ReadValue(0);
        SkipSpace();
        if (intPos < strText.size()) Fail("the text goes on after the JSON value");
        return objValue;
    }

private:
    std::string_view strText;
    std::size_t intPos = 0;

    [[noreturn]] void Fail(const std::string& strReason) { throw JsonError{intPos, strReason}; }

    void SkipSpace() {
        while (intPos < strText.size() && (strText[intPos] == ' ' || strText[intPos] == '\t' ||
                                           strText[intPos] == '\n' || strText[intPos] == '\r'))
            ++intPos;
    }

    void Expect(char c) {
        if (intPos >= strText.size() || strText[intPos] != c)
            Fail(std::string("expected \"") + c + "\"");
        ++intPos;
    }

    JsonValue ReadValue(int intDepth) {
        if (intDepth >= intMaxDepth) Fail("nested more than 64 deep");
        JsonValue objValue;
        objValue.intOffset = intPos;
        if (intPos >= strText.size()) Fail("expected a value, found the end of the file");
        const char c = strText[intPos];
        if (c == '{') {
            objValue.enmKind = JsonValue::Kind::Object;
            ++intPos;
            SkipSpace();
            if (intPos < strText.size() && strText[intPos] == '}') {
                ++intPos;
                return objValue;
            }
            for (;;) {
                SkipSpace();
                if (intPos >= strText.size() || strText[intPos] != '"')
                    Fail("expected a member name in quotes");
                std::string strKey = ReadString();
                SkipSpace();
                Expect(':');
                SkipSpace();
                objValue.arrKeys.push_back(std::move(strKey));
                objValue.arrMembers.push_back(ReadValue(intDepth + 1));
                SkipSpace();
                if (intPos < strText.size() && strText[intPos] == ',') {
                    ++intPos;
                    continue;
                }
                if (intPos < strText.size() && strText[intPos] == '}') {
                    ++intPos;
                    return objValue;
                }
                Fail("expected \",\" or \"}\"");
            }
        }
        if (c == '[') {
            objValue.enmKind = JsonValue::Kind::Array;
            ++intPos;
            SkipSpace();
            if (intPos < strText.size() && strText[intPos] == ']') {
                ++intPos;
                return objValue;
            }
            for (;;) {
                SkipSpace();
                objValue.arrItems.push_back(ReadValue(intDepth + 1));
                SkipSpace();
                if (intPos < strText.size() && strText[intPos] == ',') {
                    ++intPos;
                    continue;
                }
                if (intPos < strText.size() && strText[intPos] == ']') {
                    ++intPos;
                    return objValue;
                }
                Fail("expected \",\" or \"]\"");
            }
        }
        if (c == '"') {
            objValue.enmKind = JsonValue::Kind::String;
            objValue.strValue = ReadString();
            return objValue;
        }
        for (const auto& [strWord, enmKind, blnValue] :
             {std::tuple{std::string_view("true"), JsonValue::Kind::Boolean, true},
              std::tuple{std::string_view("false"), JsonValue::Kind::Boolean, false},
              std::tuple{std::string_view("null"), JsonValue::Kind::Null, false}}) {
            if (strText.substr(intPos, strWord.size()) == strWord) {
                objValue.enmKind = enmKind;
                objValue.blnValue = blnValue;
                intPos += strWord.size();
                return objValue;
            }
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            objValue.enmKind = JsonValue::Kind::Number;
            objValue.dblValue = ReadNumber();
            return objValue;
        }
        Fail("expected a value");
    }

    bool IsDigitAt(std::size_t i) const {
        return i < strText.size() && strText[i] >= '0' && strText[i] <= '9';
    }

    double ReadNumber() {
        const std::size_t intStart = intPos;
        if (strText[intPos] == '-') ++intPos;
        if (!IsDigitAt(intPos)) Fail("expected a digit");
        if (strText[intPos] == '0') {
            ++intPos;
        } else {
            while (IsDigitAt(intPos)) ++intPos;
        }
        if (intPos < strText.size() && strText[intPos] == '.') {
            ++intPos;
            if (!IsDigitAt(intPos)) Fail("expected a digit after the decimal point");
            while (IsDigitAt(intPos)) ++intPos;
        }
        if (intPos < strText.size() && (strText[intPos] == 'e' || strText[intPos] == 'E')) {
            ++intPos;
            if (intPos < strText.size() && (strText[intPos] == '+' || strText[intPos] == '-'))
                ++intPos;
            if (!IsDigitAt(intPos)) Fail("expected a digit in the exponent");
            while (IsDigitAt(intPos)) ++intPos;
        }
        double dblValue = 0;
        const auto objResult =
            std::from_chars(strText.data() + intStart, strText.data() + intPos, dblValue);
        if (objResult.ec != std::errc()) {
            intPos = intStart;
            Fail("the number is out of range");
        }
        return dblValue;
    }

    unsigned ReadHex4() {
        unsigned intValue = 0;
        for (int k = 0; k < 4; ++k, ++intPos) {
            if (intPos >= strText.size()) Fail("expected four hex digits after \\u");
            const char c = strText[intPos];
            intValue <<= 4;
            if (c >= '0' && c <= '9') {
                intValue |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                intValue |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                intValue |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                Fail("expected four hex digits after \\u");
            }
        }
        return intValue;
    }

    std::string ReadString() {
        ++intPos;  // the opening quote
        std::string strOut;
        for (;;) {
            if (intPos >= strText.size()) Fail("the string is not closed");
            const char c = strText[intPos];
            if (c == '"') {
                ++intPos;
                return strOut;
            }
            if (static_cast<unsigned char>(c) < 0x20) Fail("a control character in a string");
            if (c != '\\') {
                strOut += c;
                ++intPos;
                continue;
            }
            ++intPos;
            if (intPos >= strText.size()) Fail("the string is not closed");
            const char chrEscape = strText[intPos++];
            switch (chrEscape) {
                case '"':
                case '\\':
                case '/':
                    strOut += chrEscape;
                    break;
                case 'b':
                    strOut += '\b';
                    break;
                case 'f':
                    strOut += '\f';
                    break;
                case 'n':
                    strOut += '\n';
                    break;
                case 'r':
                    strOut += '\r';
                    break;
                case 't':
                    strOut += '\t';
                    break;
                case 'u': {
                    std::uint32_t lngCode = ReadHex4();
                    if (lngCode >= 0xD800 && lngCode <= 0xDBFF &&
                        strText.substr(intPos, 2) == "\\u") {
                        const std::size_t intBack = intPos;
                        intPos += 2;
                        const unsigned intLow = ReadHex4();
                        if (intLow >= 0xDC00 && intLow <= 0xDFFF) {
                            lngCode = 0x10000 + ((lngCode - 0xD800) << 10) + (intLow - 0xDC00);
                        } else {
                            intPos = intBack;  // a lone high surrogate; the next escape stands
                        }
                    }
                    exchange::AppendUtf8(strOut, lngCode);
                    break;
                }
                default:
                    --intPos;
                    Fail("an unknown escape in a string");
            }
        }
    }
};

// A colour token or a plain member, in document order.
struct Entry {
    std::string strPath;  // joined with "."
    const JsonValue* objValue = nullptr;
    std::string strType;  // its own or inherited $type; "" for none
    bool blnToken = false;
};

std::string Joined(const std::string& strPath, const std::string& strKey) {
    return strPath.empty() ? strKey : strPath + "." + strKey;
}

void CollectEntries(const JsonValue& objGroup, const std::string& strPath,
                    const std::string& strInheritedType, std::vector<Entry>& arrEntries) {
    const JsonValue* objType = objGroup.Member("$type");
    const std::string strType = objType != nullptr && objType->enmKind == JsonValue::Kind::String
                                    ? objType->strValue
                                    : strInheritedType;
    if (const JsonValue* objValue = objGroup.Member("$value")) {
        arrEntries.push_back({strPath, objValue, strType, true});
        return;
    }
    for (std::size_t i = 0; i < objGroup.arrKeys.size(); ++i) {
        const std::string& strKey = objGroup.arrKeys[i];
        const JsonValue& objMember = objGroup.arrMembers[i];
        if (!strKey.empty() && strKey.front() == '$') continue;
        if (objMember.enmKind == JsonValue::Kind::Object) {
            CollectEntries(objMember, Joined(strPath, strKey), strType, arrEntries);
        } else if (objMember.enmKind == JsonValue::Kind::String) {
            arrEntries.push_back({Joined(strPath, strKey), &objMember, strType, false});
        }
    }
}

std::string NumberText(double dblValue) {
    char arrBuffer[32];
    const auto objResult = std::to_chars(arrBuffer, arrBuffer + sizeof arrBuffer, dblValue);
    return std::string(arrBuffer, objResult.ptr);
}

// The CSS text of a colour value: a string as it stands; an object {colorSpace, components,
// alpha, hex} as the matching CSS function, or its hex when the space is unknown.
std::string ColourValueText(const JsonValue& objValue) {
    if (objValue.enmKind == JsonValue::Kind::String) return objValue.strValue;
    if (objValue.enmKind != JsonValue::Kind::Object) return "";
    const JsonValue* objSpace = objValue.Member("colorSpace");
    const JsonValue* objComponents = objValue.Member("components");
    const JsonValue* objHex = objValue.Member("hex");
    const std::string strHex =
        objHex != nullptr && objHex->enmKind == JsonValue::Kind::String ? objHex->strValue : "";
    if (objSpace == nullptr || objSpace->enmKind != JsonValue::Kind::String ||
        objComponents == nullptr || objComponents->enmKind != JsonValue::Kind::Array ||
        objComponents->arrItems.size() != 3)
        return strHex;
    const std::string& strSpace = objSpace->strValue;
    const bool blnPercent = strSpace == "hsl" || strSpace == "hwb";
    std::string strArgs;
    for (const JsonValue& objItem : objComponents->arrItems) {
        if (!strArgs.empty()) strArgs += ' ';
        if (objItem.enmKind == JsonValue::Kind::Number) {
            strArgs += NumberText(objItem.dblValue);
            if (blnPercent && &objItem != &objComponents->arrItems.front()) strArgs += '%';
        } else if (objItem.enmKind == JsonValue::Kind::String && objItem.strValue == "none") {
            strArgs += "none";
        } else {
            return strHex;
        }
    }
    const JsonValue* objAlpha = objValue.Member("alpha");
    if (objAlpha != nullptr && objAlpha->enmKind == JsonValue::Kind::Number)
        strArgs += " / " + NumberText(objAlpha->dblValue);
    for (const std::string_view strFunction : {"hsl", "hwb", "lab", "lch", "oklab", "oklch"}) {
        if (strSpace == strFunction) return strSpace + "(" + strArgs + ")";
    }
    for (const std::string_view strColorSpace : {"srgb", "srgb-linear", "display-p3", "a98-rgb",
                                                 "prophoto-rgb", "rec2020", "xyz-d50", "xyz-d65"}) {
        if (strSpace == strColorSpace) return "color(" + strSpace + " " + strArgs + ")";
    }
    return strHex;
}

// An alias "{group.token}" names another token.
bool IsAlias(const JsonValue& objValue) {
    return objValue.enmKind == JsonValue::Kind::String && objValue.strValue.size() >= 2 &&
           objValue.strValue.front() == '{' && objValue.strValue.back() == '}';
}

}  // namespace

std::string WriteTokenPalette(const std::vector<typExchangeColour>& arrColours) {
    const std::vector<std::string> arrNames = exchange::UniqueVariableNames(arrColours);
    std::string strOut = "{\n";
    for (std::size_t i = 0; i < arrColours.size(); ++i) {
        // Variable names hold only a-z, 0-9, "-" and "_": nothing to escape.
        strOut += "  \"" + arrNames[i] + "\": {\"$type\": \"color\", \"$value\": \"" +
                  exchange::LowerHexText(arrColours[i].typValue) + "\"}";
        strOut += i + 1 < arrColours.size() ? ",\n" : "\n";
    }
    return strOut + "}\n";
}

typImportResult ReadTokenPalette(std::string_view strBytes) {
    std::string_view strText;
    typImportResult typResult = exchange::CheckTextFile(strBytes, strText);
    if (!typResult.strError.empty()) return typResult;
    const std::size_t intBom = strBytes.size() - strText.size();

    JsonValue objDocument;
    try {
        objDocument = JsonReader(strText).ReadDocument();
    } catch (const JsonError& objError) {
        typImportResult typRefused =
            exchange::Refusal(strBytes, intBom + objError.intOffset, "", true);
        typRefused.strError = "Line " + std::to_string(typRefused.intErrorLine) + ", byte offset " +
                              std::to_string(typRefused.intErrorOffset) + ": " + objError.strReason;
        return typRefused;
    }
    if (objDocument.enmKind != JsonValue::Kind::Object) {
        return exchange::Refusal(strBytes, intBom + objDocument.intOffset,
                                 "design tokens are a JSON object", true);
    }

    std::vector<Entry> arrEntries;
    CollectEntries(objDocument, "", "", arrEntries);
    std::map<std::string, const Entry*> mapTokens;
    for (const Entry& objEntry : arrEntries) {
        if (objEntry.blnToken) mapTokens[objEntry.strPath] = &objEntry;
    }

    typImportResult typFirstMiss;
    bool blnAlphaIgnored = false;
    bool blnMapped = false;
    for (const Entry& objEntry : arrEntries) {
        // An alias takes the value, and when it has none the type, of the token it names.
        const JsonValue* objValue = objEntry.objValue;
        std::string strType = objEntry.strType;
        for (int intStep = 0; IsAlias(*objValue) && intStep < intMaxDepth; ++intStep) {
            const auto itTarget =
                mapTokens.find(objValue->strValue.substr(1, objValue->strValue.size() - 2));
            if (itTarget == mapTokens.end()) break;
            objValue = itTarget->second->objValue;
            if (strType.empty()) strType = itTarget->second->strType;
        }
        if (objEntry.blnToken && strType != "color") continue;
        const typColourTextResult typRead = ParseColourText(ColourValueText(*objValue));
        if (!typRead.blnOk) {
            if (objEntry.blnToken && typFirstMiss.strError.empty()) {
                typFirstMiss = exchange::Refusal(
                    strBytes, intBom + objEntry.objValue->intOffset,
                    "the colour token " + objEntry.strPath + " holds no colour this reads", true);
            }
            continue;
        }
        blnAlphaIgnored = blnAlphaIgnored || typRead.blnAlphaIgnored;
        blnMapped = blnMapped || typRead.blnMapped;
        std::string strName = objEntry.strPath;
        for (char& c : strName) {
            if (c == '.') c = '-';
        }
        typResult.arrColours.push_back({typRead.typValue, strName});
    }
    if (typResult.arrColours.empty()) {
        if (!typFirstMiss.strError.empty()) return typFirstMiss;
        return exchange::Refusal(strBytes, intBom + objDocument.intOffset,
                                 "no colour token and no member with a colour in the file", true);
    }
    if (blnAlphaIgnored) typResult.arrNotes.push_back("Transparent colours are used opaque.");
    if (blnMapped) typResult.arrNotes.push_back("Colours outside sRGB were mapped into it.");
    typResult.blnOk = true;
    return typResult;
}
