#pragma once

// The text a fuzzer input stands for. Inputs past 1 MiB are slow to mutate, so a large text has
// a compact form: byte 0xFF, a count n in two bytes (high byte first), a head, byte 0xFF and a
// body, standing for the head followed by n copies of the body. Any other input is its own text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

inline constexpr std::size_t intMaxExpandedSize = 1024 * 1024 + 64 * 1024;

// The largest text a compact form expands to: intMaxExpandedSize, or less where the environment
// variable HUEVRA_FUZZ_EXPANSION_LIMIT says so (the long run's bulk, whose mutations of a
// compact form would otherwise each take the time of a text at the limits).
inline std::size_t ExpansionLimit() {
    static const std::size_t intLimit = [] {
        const char* strValue = std::getenv("HUEVRA_FUZZ_EXPANSION_LIMIT");
        if (strValue == nullptr) return intMaxExpandedSize;
        const unsigned long long intValue = std::strtoull(strValue, nullptr, 10);
        return intValue > 0 && intValue < intMaxExpandedSize ? static_cast<std::size_t>(intValue)
                                                             : intMaxExpandedSize;
    }();
    return intLimit;
}

inline std::string ExpandedInput(const std::uint8_t* arrData, std::size_t intSize) {
    const char* strData = reinterpret_cast<const char*>(arrData);
    if (intSize < 3 || arrData[0] != 0xFF) return std::string(strData, intSize);
    std::size_t intCount = std::size_t{arrData[1]} << 8 | arrData[2];
    const std::string strRest(strData + 3, intSize - 3);
    const std::size_t intSplit = strRest.find('\xFF');
    if (intSplit == std::string::npos) return strRest;
    std::string strText = strRest.substr(0, intSplit);
    const std::string strBody = strRest.substr(intSplit + 1);
    const std::size_t intLimit = ExpansionLimit();
    if (strBody.empty() || strText.size() >= intLimit) return strText;
    if (intCount > (intLimit - strText.size()) / strBody.size())
        intCount = (intLimit - strText.size()) / strBody.size();
    strText.reserve(strText.size() + intCount * strBody.size());
    for (std::size_t i = 0; i < intCount; ++i) strText += strBody;
    return strText;
}
