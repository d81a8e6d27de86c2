#pragma once

// huevra-cli: colour text converted, named and classified from the command line.

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/CodeFormats.h"

/// The keys a command line names the twelve code formats by, in format index order.
inline constexpr std::array<std::string_view, intCodeFormatCount> arrCodeFormatKey{
    "html-hex", "lower-html-hex", "vb-hex",     "vb",           "cpp-hex", "delphi-hex",
    "access",   "dotnet-html",    "dotnet-ole", "dotnet-win32", "java",    "custom"};

/// Exit statuses: done, a colour text refused (or the output lost), a usage error, a pick
/// cancelled by the user (3, a failed check, belongs to the accessibility commands).
inline constexpr int intExitOk = 0;
inline constexpr int intExitRefused = 1;
inline constexpr int intExitUsage = 2;
inline constexpr int intExitCancelled = 4;

class ICliPicker;

/// Runs one command line, given the arguments after the program's name; writes the results to
/// objOut and the messages to objErr, with "\n" line ends. Returns the exit status. pick uses
/// objPicker; without one it says that this program cannot pick.
int RunHuevraCli(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                 std::ostream& objErr, ICliPicker* objPicker = nullptr);
