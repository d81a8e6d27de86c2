#pragma once

// Runs a huevra-cli command line in the test's process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/HuevraCli.h"

struct typRun {
    int intStatus = -1;
    std::string strOut;
    std::string strErr;
};

inline typRun RunCli(const std::vector<std::string>& arrArgs, ICliPicker* objPicker = nullptr) {
    std::ostringstream objOut;
    std::ostringstream objErr;
    typRun typResult;
    typResult.intStatus = RunHuevraCli(arrArgs, objOut, objErr, objPicker);
    typResult.strOut = objOut.str();
    typResult.strErr = objErr.str();
    return typResult;
}

/// The command line as a shell would show it, for a test's trace.
inline std::string Joined(const std::vector<std::string>& arrArgs) {
    std::string strText = "huevra-cli";
    for (const std::string& strArg : arrArgs) strText += " '" + strArg + "'";
    return strText;
}
