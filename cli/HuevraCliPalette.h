#pragma once

// huevra-cli palette: export a Huevra palette file to an interchange format, import one.

#include <iosfwd>
#include <string>
#include <vector>

/// Runs "palette export" or "palette import", given the arguments after "palette"; writes the
/// file's bytes to objOut (or to --output) and the messages, each beginning with strPrefix, to
/// objErr. Returns the exit status.
int RunPaletteCommand(const std::vector<std::string>& arrArgs, std::ostream& objOut,
                      std::ostream& objErr);
