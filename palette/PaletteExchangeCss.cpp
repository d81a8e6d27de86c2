// CSS custom properties (.css) and SCSS variables (.scss): declarations "--name: colour;" and
// "$name: colour;" whose values the colour text reader reads; everything else is passed over.

#include <string>

#include "core/ColourText.h"
#include "palette/PaletteExchange.h"
#include "palette/PaletteExchangeText.h"

namespace {

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The text with its comments and the text of its strings made blanks, line breaks kept, so that
// offsets and lines stay;
// /* */ comments, and // comments to the end of the line in SCSS.
// Sets intOpenComment to the offset of a comment that is never closed, else npos.
std::string WithoutComments(std::string_view strText, bool blnLineComments,
                            std::size_t& intOpenComment) {
    std::string strOut(strText);
    intOpenComment = std::string::npos;
    std::size_t i = 0;
    while (i < strOut.size()) {
        const char c = strOut[i];
        if (c == '"' || c == '\'') {
            // A string ends at its quote, or unclosed at the end of its line; its text, which
            // holds no declaration, is made blanks too.
            ++i;
            while (i < strOut.size() && strOut[i] != c && strOut[i] != '\n' && strOut[i] != '\r') {
                if (strOut[i] == '\\' && i + 1 < strOut.size() && strOut[i + 1] != '\n' &&
                    strOut[i + 1] != '\r')
                    strOut[i++] = ' ';
                strOut[i++] = ' ';
            }
            ++i;
        } else if (c == '/' && i + 1 < strOut.size() && strOut[i + 1] == '*') {
            const std::size_t intClose = strOut.find("*/", i + 2);
            const std::size_t intEnd = intClose == std::string::npos ? strOut.size() : intClose + 2;
            if (intClose == std::string::npos) intOpenComment = i;
            for (std::size_t j = i; j < intEnd; ++j) {
                if (strOut[j] != '\n' && strOut[j] != '\r') strOut[j] = ' ';
            }
            i = intEnd;
        } else if (blnLineComments && c == '/' && i + 1 < strOut.size() && strOut[i + 1] == '/' &&
                   (i == 0 || strOut[i - 1] != ':')) {  // not the "//" of "https://"
            while (i < strOut.size() && strOut[i] != '\n' && strOut[i] != '\r') strOut[i++] = ' ';
        } else {
            ++i;
        }
    }
    return strOut;
}

// Reads the declarations that begin with strPrefix ("--" or "$") and hold a colour.
typImportResult ReadDeclarations(std::string_view strBytes, std::string_view strPrefix,
                                 bool blnLineComments) {
    std::string_view strChecked;
    typImportResult typResult = exchange::CheckTextFile(strBytes, strChecked);
    if (!typResult.strError.empty()) return typResult;
    std::size_t intOpenComment = 0;
    const std::string strText = WithoutComments(strBytes, blnLineComments, intOpenComment);
    if (intOpenComment != std::string::npos) {
        return exchange::Refusal(strBytes, intOpenComment, "the comment begun here never ends",
                                 true);
    }

    typImportResult typFirstMiss;  // the first declaration whose value is no colour
    bool blnAlphaIgnored = false;
    bool blnMapped = false;
    std::size_t intPos = strText.find(strPrefix);
    while (intPos != std::string::npos) {
        const std::size_t intStart = intPos;
        intPos = strText.find(strPrefix, intPos + 1);
        // A declaration begins a statement: at the start, or after a blank, ";", "{" or "}".
        if (intStart > 0) {
            const char chrBefore = strText[intStart - 1];
            if (!IsSpace(chrBefore) && chrBefore != ';' && chrBefore != '{' && chrBefore != '}')
                continue;
        }
        std::size_t i = intStart + strPrefix.size();
        while (i < strText.size() && IsNameByte(strText[i])) ++i;
        if (i == intStart + strPrefix.size()) continue;
        const std::string strName(
            strText.substr(intStart + strPrefix.size(), i - intStart - strPrefix.size()));
        while (i < strText.size() && IsSpace(strText[i])) ++i;
        if (i >= strText.size() || strText[i] != ':') continue;
        ++i;
        // The value runs to ";", "}" or an unmatched ")"; a "{" makes it a block, no colour.
        const std::size_t intValueStart = i;
        int intDepth = 0;
        bool blnBlock = false;
        for (; i < strText.size(); ++i) {
            const char c = strText[i];
            if (c == '(') ++intDepth;
            if (c == ')' && --intDepth < 0) break;
            if (c == ';' || c == '}') break;
            if (c == '{') {
                blnBlock = true;
                break;
            }
        }
        // What follows the value is searched on; a value is never searched twice.
        intPos = strText.find(strPrefix, i);
        if (blnBlock) continue;
        std::string_view strValue(strText);
        strValue = strValue.substr(intValueStart, i - intValueStart);
        // Flags after the value: !important in CSS, !default and !global in SCSS.
        std::size_t intFlag = strValue.rfind('!');
        while (intFlag != std::string_view::npos) {
            const std::string_view strFlag = exchange::Trimmed(strValue.substr(intFlag + 1));
            if (strFlag != "important" && strFlag != "default" && strFlag != "global") break;
            strValue = strValue.substr(0, intFlag);
            intFlag = strValue.rfind('!');
        }
        while (!strValue.empty() && IsSpace(strValue.front())) strValue.remove_prefix(1);
        while (!strValue.empty() && IsSpace(strValue.back())) strValue.remove_suffix(1);
        const typColourTextResult typRead = ParseColourText(strValue);
        if (!typRead.blnOk) {
            if (typFirstMiss.strError.empty()) {
                typFirstMiss =
                    exchange::Refusal(strBytes, intStart,
                                      std::string(strPrefix) + strName +
                                          ": the value is no colour (" + typRead.strError + ")",
                                      true);
            }
            continue;
        }
        blnAlphaIgnored = blnAlphaIgnored || typRead.blnAlphaIgnored;
        blnMapped = blnMapped || typRead.blnMapped;
        typResult.arrColours.push_back({typRead.typValue, strName});
    }
    if (typResult.arrColours.empty()) {
        if (!typFirstMiss.strError.empty()) return typFirstMiss;
        return exchange::Refusal(
            strBytes, 0, "no declaration " + std::string(strPrefix) + "name: colour; in the file",
            true);
    }
    if (blnAlphaIgnored) typResult.arrNotes.push_back("Transparent colours are used opaque.");
    if (blnMapped) typResult.arrNotes.push_back("Colours outside sRGB were mapped into it.");
    typResult.blnOk = true;
    return typResult;
}

}  // namespace

std::string WriteCssPalette(const std::vector<typExchangeColour>& arrColours) {
    const std::vector<std::string> arrNames = exchange::UniqueVariableNames(arrColours);
    std::string strOut = ":root {\n";
    for (std::size_t i = 0; i < arrColours.size(); ++i) {
        strOut +=
            "  --" + arrNames[i] + ": " + exchange::LowerHexText(arrColours[i].typValue) + ";\n";
    }
    return strOut + "}\n";
}

typImportResult ReadCssPalette(std::string_view strBytes) {
    return ReadDeclarations(strBytes, "--", false);
}

std::string WriteScssPalette(const std::vector<typExchangeColour>& arrColours) {
    const std::vector<std::string> arrNames = exchange::UniqueVariableNames(arrColours);
    std::string strOut;
    for (std::size_t i = 0; i < arrColours.size(); ++i)
        strOut += "$" + arrNames[i] + ": " + exchange::LowerHexText(arrColours[i].typValue) + ";\n";
    return strOut;
}

typImportResult ReadScssPalette(std::string_view strBytes) {
    return ReadDeclarations(strBytes, "$", true);
}
