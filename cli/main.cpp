#include <iostream>
#include <string>
#include <vector>

#include "cli/HuevraCli.h"
#include "cli/QtCliPicker.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arrArgs(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (arrArgs.size() == 2 && arrArgs[0] == strKeepClipboardArgument)
        return KeepClipboard(argc, argv, arrArgs[1]);
    QtCliPicker objPicker(argc, argv);
    int intStatus = RunHuevraCli(arrArgs, std::cout, std::cerr, &objPicker);
    std::cout.flush();
    // A full disk or a closed pipe would otherwise lose the output without a word.
    if (!std::cout) {
        std::cerr << "huevra-cli: cannot write the output\n";
        if (intStatus == intExitOk) intStatus = intExitRefused;
    }
    return intStatus;
}
