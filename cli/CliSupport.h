#pragma once

// What the commands of huevra-cli share: the message prefix, the help and version texts, quoted
// arguments and the reading of a colour argument.

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/ColourValue.h"

/// The start of every message on standard error.
inline constexpr std::string_view strCliMessagePrefix = "huevra-cli: ";

/// Returns the text --help prints.
std::string CliHelpText();

/// Returns the line --version prints.
std::string CliVersionText();

/// Returns an argument quoted for a message: on one line, and cut when long.
std::string CliQuoted(std::string_view strArg);

/// Reads a colour argument; says on objErr why it was refused (its character position and a
/// caret under it), or what was noted about it.
bool ReadCliColour(const std::string& strText, typColour& typValue, std::ostream& objErr);

/// Splits an option as given: "--option=VALUE", "-tVALUE" and "-t" (for "--to") into the option's
/// long name and its value. Returns true when the argument carried its value; strOption is the
/// argument itself otherwise.
bool SplitCliOption(const std::string& strArg, std::string& strOption, std::string& strValue);
