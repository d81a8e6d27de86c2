#pragma once

// The text a fuzzer input stands for. Inputs past 1 MiB are slow to mutate, so a large text has
// a compact form: byte 0xFF, a count n in two bytes (high byte first), a head, byte 0xFF and a
// body, standing for the head followed by n copies of the body. Any other input is its own text.

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t intMaxExpandedSize = 1024 * 1024 + 64 * 1024;

inline std::string ExpandedInput(const std::uint8_t* arrData, std::size_t intSize) {
    const char* strData = reinterpret_cast<const char*>(arrData);
    if (intSize < 3 || arrData[0] != 0xFF) return std::string(strData, intSize);
    std::size_t intCount = std::size_t{arrData[1]} << 8 | arrData[2];
    const std::string strRest(strData + 3, intSize - 3);
    const std::size_t intSplit = strRest.find('\xFF');
    if (intSplit == std::string::npos) return strRest;
    std::string strText = strRest.substr(0, intSplit);
    const std::string strBody = strRest.substr(intSplit + 1);
    if (strBody.empty() || strText.size() >= intMaxExpandedSize) return strText;
    if (intCount > (intMaxExpandedSize - strText.size()) / strBody.size())
        intCount = (intMaxExpandedSize - strText.size()) / strBody.size();
    strText.reserve(strText.size() + intCount * strBody.size());
    for (std::size_t i = 0; i < intCount; ++i) strText += strBody;
    return strText;
}
