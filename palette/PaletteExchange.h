#pragma once

// Palette interchange formats: GIMP palettes, CSS custom properties, SCSS variables, design
// tokens (JSON) and Adobe Swatch Exchange. One reader and one writer per format, plain C++ on
// bytes in memory; PaletteExchangeFile.h reads and writes the files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ColourValue.h"

enum class PaletteFormat { Gpl, Css, Scss, Json, Ase };

inline constexpr int intPaletteFormatCount = 5;

/// One colour of an interchange file; an empty name means "no name".
struct typExchangeColour {
    typColour typValue;
    std::string strName;
    friend bool operator==(const typExchangeColour&, const typExchangeColour&) = default;
};

/// What a reader made of a file: every colour in file order, notes on what it had to change
/// ("CMYK converted naively"), or why it refused the file.
struct typImportResult {
    bool blnOk = false;
    std::vector<typExchangeColour> arrColours;
    std::vector<std::string> arrNotes;
    /// The refusal, beginning with where it lies ("Line 4: …", "Byte offset 12: …").
    std::string strError;
    std::size_t intErrorLine = 0;    // 1-based; 0 when the place is not a line
    std::size_t intErrorOffset = 0;  // 0-based byte offset of the place
};

/// Returns the key and file name extension of a format ("gpl", "css", "scss", "json", "ase").
std::string_view PaletteFormatKey(PaletteFormat enmFormat);

/// Returns the format of a key ("gpl"), or nothing.
std::optional<PaletteFormat> PaletteFormatFromKey(std::string_view strKey);

/// Returns the format a file name's extension stands for (case-insensitive), or nothing.
std::optional<PaletteFormat> PaletteFormatFromPath(std::string_view strPath);

/// Returns the format of a file: by its extension, else by its content ("ASEF", "GIMP Palette",
/// a JSON object, "$name:" or "--name:" declarations), or nothing.
std::optional<PaletteFormat> GuessPaletteFormat(std::string_view strPath,
                                                std::string_view strBytes);

/// Returns the name a colour gets in a format's file: the name itself, or "Mark N" for an
/// unnamed one in GIMP palettes and swatch files; the CSS variable name ("colour-N" for an
/// unnamed one) in CSS, SCSS and design tokens. N counts from 1. Duplicates are not resolved.
std::string ExchangeName(PaletteFormat enmFormat, const std::string& strName, int intNumber);

/// Returns the file's bytes for the colours. strPaletteName names a GIMP palette; the other
/// formats have no palette name. Throws std::out_of_range for a component outside 0..255.
std::string ExportPalette(PaletteFormat enmFormat, const std::vector<typExchangeColour>& arrColours,
                          const std::string& strPaletteName);

/// Reads a file's bytes; never throws on any bytes. A name the writer gives an unnamed colour
/// in its place ("Mark 3" third, "colour-3" third; GIMP's "Untitled") reads as no name.
typImportResult ImportPalette(PaletteFormat enmFormat, std::string_view strBytes);

/// Readers and writers of each format, as ExportPalette and ImportPalette dispatch to them.
std::string WriteGimpPalette(const std::vector<typExchangeColour>& arrColours,
                             const std::string& strPaletteName);
typImportResult ReadGimpPalette(std::string_view strBytes);
std::string WriteCssPalette(const std::vector<typExchangeColour>& arrColours);
typImportResult ReadCssPalette(std::string_view strBytes);
std::string WriteScssPalette(const std::vector<typExchangeColour>& arrColours);
typImportResult ReadScssPalette(std::string_view strBytes);
std::string WriteTokenPalette(const std::vector<typExchangeColour>& arrColours);
typImportResult ReadTokenPalette(std::string_view strBytes);
std::string WriteSwatchPalette(const std::vector<typExchangeColour>& arrColours);
typImportResult ReadSwatchPalette(std::string_view strBytes);
