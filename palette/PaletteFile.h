#pragma once

// The palette text file: line reading, the reader of the four layouts and the writer.

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "palette/PaletteModel.h"

/// A file may hold at most this many lines.
inline constexpr std::size_t intMaxPaletteLines = 1000;
/// A file larger than this is rejected before it is read.
inline constexpr std::size_t intMaxPaletteBytes = 1024 * 1024;

enum class LineReadResult { Ok, Rejected, CannotRead };

/// Splits text into lines at CR LF or a lone CR (a lone LF stays in the line); decodes UTF-8,
/// or Windows-1252 when the bytes are not valid UTF-8. Rejected when there are no lines or
/// more than intMaxPaletteLines.
LineReadResult ReadPaletteLines(std::istream& objIn, std::vector<std::string>& arrFileLine);

/// Reads the bytes of a regular file; CannotRead when it cannot be opened or read or is no
/// regular file (a pipe or a device is never opened), Rejected when it is larger than
/// intMaxPaletteBytes.
LineReadResult ReadPaletteFileBytes(const std::string& strPath, std::string& strBytes);

/// Replaces a file's contents with the bytes only once they are all written; returns "" when
/// done, else why not, with the old file left as it was.
std::string ReplaceFileContents(const std::string& strPath, std::string_view strBytes);

/// Reads the lines of a file; CannotRead when it cannot be opened or read, Rejected when it is
/// larger than intMaxPaletteBytes or ReadPaletteLines rejects it.
LineReadResult ReadPaletteLinesFromFile(const std::string& strPath,
                                        std::vector<std::string>& arrFileLine);

/// Returns the longest start of a name that fits a name field (intNameFieldLength UTF-16 code
/// units) and ends on a whole character: a user-perceived character (a letter with its accents,
/// an emoji sequence) is kept whole or left out, and never split.
std::string FieldName(const std::string& strName);

/// Parses the lines into the palette's load buffer; true when they hold a palette. Names are
/// cut to what their name field holds (FieldName), so that the field and the saved state agree.
bool ReadPaletteFile(const std::vector<std::string>& arrFileLine, Palette& objPalette);

/// Writes the current layout (100 lines, CR LF, UTF-8) for the marks' colours and the given
/// names; "Not JavaScript colour" is written as "Type a colour name". Does not touch the
/// saved state.
void WritePaletteText(std::ostream& objOut, const Palette& objPalette,
                      const std::array<std::string, intMarkCount>& arrName,
                      const std::string& strCustomFormat);

/// Writes the palette to strPath, replacing the file only once the new text is complete, then
/// updates the saved state. False, with the old file and the saved state untouched, on failure.
bool WritePaletteFile(const std::string& strPath, Palette& objPalette,
                      const std::array<std::string, intMarkCount>& arrName,
                      const std::string& strCustomFormat);
