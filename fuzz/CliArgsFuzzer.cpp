// Feeds arbitrary command lines to huevra-cli: the input split at NUL bytes is the list of
// arguments. Every command line ends with status 0, 1, 2 or 3 (3 from contrast and check-palette
// alone); a usage error writes one line to standard error and nothing else, a refused colour or
// palette file says so, and every output ends its lines. check-palette reads the file named, so
// run it from the source folder for the seeds' palette to be found.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/AccessibilityCommands.h"
#include "cli/HuevraCli.h"
#include "fuzz/FuzzInput.h"

namespace {

void Check(bool blnCondition) {
    if (!blnCondition) std::abort();
}

// Every line of standard error is a message or the echo of a refused colour and its caret.
bool IsMessageText(const std::string& strText) {
    if (strText.empty()) return true;
    if (strText.back() != '\n') return false;
    std::size_t intStart = 0;
    while (intStart < strText.size()) {
        const std::size_t intEnd = strText.find('\n', intStart);
        const std::string strLine = strText.substr(intStart, intEnd - intStart);
        if (strLine.rfind("huevra-cli: ", 0) != 0 && strLine.rfind("  ", 0) != 0) return false;
        intStart = intEnd + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* arrData, std::size_t intSize) {
    const std::string strInput = ExpandedInput(arrData, intSize);
    std::vector<std::string> arrArgs;
    std::size_t intStart = 0;
    while (true) {
        const std::size_t intEnd = strInput.find('\0', intStart);
        arrArgs.push_back(strInput.substr(intStart, intEnd - intStart));
        if (intEnd == std::string::npos) break;
        intStart = intEnd + 1;
    }
    // A command line that names an output file would write wherever it says: left out.
    for (const std::string& strArg : arrArgs) {
        if (strArg.rfind("-o", 0) == 0 || strArg.rfind("--output", 0) == 0) return 0;
    }
    std::ostringstream objOut;
    std::ostringstream objErr;
    const int intStatus = RunHuevraCli(arrArgs, objOut, objErr);
    const std::string strOut = objOut.str();
    const std::string strErr = objErr.str();
    Check(intStatus == intExitOk || intStatus == intExitRefused || intStatus == intExitUsage ||
          intStatus == intExitCheckFailed);
    Check(strOut.empty() || strOut.back() == '\n');
    Check(IsMessageText(strErr));
    if (intStatus == intExitUsage) {
        Check(strOut.empty());
        Check(!strErr.empty() && strErr.find('\n') == strErr.size() - 1);
    }
    if (intStatus == intExitRefused) {
        Check(strErr.find("huevra-cli: cannot read the colour at character ") != std::string::npos ||
              strErr.find("huevra-cli: cannot open the file ") != std::string::npos ||
              strErr.find(" is not a palette made in Huevra") != std::string::npos);
    }
    if (intStatus == intExitCheckFailed) {
        Check(arrArgs.front() == "contrast" || arrArgs.front() == "check-palette");
        Check(strErr.empty() || arrArgs.front() == "contrast");  // contrast may note an alpha
    }
    return 0;
}
