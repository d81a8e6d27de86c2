#pragma once

// The rows of tests/data/accessibility-values.tsv, written by make-accessibility-values.py.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/ColourValue.h"

/// Returns the tab-separated fields of each row whose first field is strKind.
inline std::vector<std::vector<std::string>> AccessibilityRows(const std::string& strKind) {
    std::ifstream objFile(std::string(HUEVRA_TEST_DATA_DIR) + "/accessibility-values.tsv");
    std::vector<std::vector<std::string>> arrRows;
    for (std::string strLine; std::getline(objFile, strLine);) {
        std::vector<std::string> arrFields;
        std::istringstream objLine(strLine);
        for (std::string strField; std::getline(objLine, strField, '\t');) {
            arrFields.push_back(strField);
        }
        if (!arrFields.empty() && arrFields[0] == strKind) arrRows.push_back(arrFields);
    }
    return arrRows;
}

/// Returns the colour of six lower-case hex digits.
inline typColour ColourOfHex(const std::string& strHex) {
    return UnpackColour(PackColour(std::stoi(strHex.substr(0, 2), nullptr, 16),
                                   std::stoi(strHex.substr(2, 2), nullptr, 16),
                                   std::stoi(strHex.substr(4, 2), nullptr, 16)));
}

/// Returns a row's fields joined by spaces, for SCOPED_TRACE.
inline std::string RowText(const std::vector<std::string>& arrFields) {
    std::string strText;
    for (const std::string& strField : arrFields) strText += strField + " ";
    return strText;
}
