#pragma once

// The accessibility commands of huevra-cli: contrast, simulate and check-palette.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

/// Exit status of contrast and check-palette when a pair misses its level or looks alike.
inline constexpr int intExitCheckFailed = 3;

/// Returns whether a command name is contrast, simulate or check-palette.
bool IsAccessibilityCommand(std::string_view strCommand);

/// Runs contrast, simulate or check-palette, given the arguments after the program's name (the
/// first is the command); writes as RunHuevraCli does and returns the exit status.
int RunAccessibilityCommand(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                            std::ostream& objErr);
