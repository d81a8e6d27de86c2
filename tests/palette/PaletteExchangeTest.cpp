#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/ColourText.h"
#include "palette/PaletteExchange.h"

namespace {

using Colours = std::vector<typExchangeColour>;

const std::string strExchangeDir = std::string(HUEVRA_TEST_DATA_DIR) + "/exchange/";
constexpr PaletteFormat arrFormats[] = {PaletteFormat::Gpl, PaletteFormat::Css, PaletteFormat::Scss,
                                        PaletteFormat::Json, PaletteFormat::Ase};

typExchangeColour Entry(std::int32_t lngRed, std::int32_t lngGreen, std::int32_t lngBlue,
                        const std::string& strName) {
    typExchangeColour typEntry;
    typEntry.typValue.lngRed = lngRed;
    typEntry.typValue.lngGreen = lngGreen;
    typEntry.typValue.lngBlue = lngBlue;
    typEntry.strName = strName;
    return typEntry;
}

std::string DataFile(const std::string& strName) {
    std::ifstream objIn(strExchangeDir + strName, std::ios::binary);
    EXPECT_TRUE(objIn) << strName;
    return {std::istreambuf_iterator<char>(objIn), std::istreambuf_iterator<char>()};
}

const Colours arrDefault{Entry(255, 0, 0, ""),   Entry(255, 255, 0, ""), Entry(0, 255, 0, ""),
                         Entry(0, 255, 255, ""), Entry(0, 0, 255, ""),   Entry(255, 0, 255, "")};

std::string Key(PaletteFormat enmFormat) { return std::string(PaletteFormatKey(enmFormat)); }

}  // namespace

TEST(PaletteExchange, DefaultPaletteExportsAsTheReferenceFilesAndReadsBack) {
    for (const PaletteFormat enmFormat : arrFormats) {
        SCOPED_TRACE(Key(enmFormat));
        const std::string strReference = DataFile("default." + Key(enmFormat));
        EXPECT_EQ(ExportPalette(enmFormat, arrDefault, "new-palette"), strReference);
        const typImportResult typRead = ImportPalette(enmFormat, strReference);
        ASSERT_TRUE(typRead.blnOk) << typRead.strError;
        EXPECT_EQ(typRead.arrColours, arrDefault);
        EXPECT_TRUE(typRead.arrNotes.empty());
    }
}

TEST(PaletteExchange, EveryFormatReadsBackWhatItWrites) {
    std::vector<Colours> arrPalettes{
        {Entry(255, 204, 0, "Café au lait"), Entry(0, 0, 0, "🌞 Sun"), Entry(1, 2, 3, "青"),
         Entry(255, 255, 255, ""), Entry(12, 34, 56, "[Brackets], \"quotes\" \\"),
         Entry(128, 128, 0, "Mark 1")},
        {Entry(1, 1, 1, "Olive"), Entry(2, 2, 2, "olive"), Entry(3, 3, 3, "OLIVE!"),
         Entry(4, 4, 4, "olive-2"), Entry(5, 5, 5, ""), Entry(6, 6, 6, "colour-5")},
    };
    // And a few hundred palettes of random colours, each with some unnamed marks.
    std::mt19937 objRandom(20261207);
    for (int p = 0; p < 300; ++p) {
        Colours arrColours;
        for (int k = 0; k < 6; ++k) {
            const auto intValue = static_cast<std::int32_t>(objRandom() & 0xFFFFFF);
            arrColours.push_back(Entry(intValue & 255, (intValue >> 8) & 255, intValue >> 16,
                                       objRandom() % 3 == 0 ? "" : "Name " + std::to_string(p)));
        }
        arrPalettes.push_back(arrColours);
    }
    for (const PaletteFormat enmFormat : arrFormats) {
        for (std::size_t p = 0; p < arrPalettes.size(); ++p) {
            SCOPED_TRACE(Key(enmFormat) + " palette " + std::to_string(p));
            const std::string strFile = ExportPalette(enmFormat, arrPalettes[p], "Round trip");
            const typImportResult typRead = ImportPalette(enmFormat, strFile);
            ASSERT_TRUE(typRead.blnOk) << typRead.strError;
            ASSERT_EQ(typRead.arrColours.size(), arrPalettes[p].size());
            for (std::size_t k = 0; k < typRead.arrColours.size(); ++k) {
                const typExchangeColour& typWritten = arrPalettes[p][k];
                const typExchangeColour& typBack = typRead.arrColours[k];
                EXPECT_EQ(typBack.typValue, typWritten.typValue);
                // GIMP palettes and swatches keep names; the CSS family keeps variable names.
                if (enmFormat == PaletteFormat::Gpl || enmFormat == PaletteFormat::Ase) {
                    EXPECT_EQ(typBack.strName, typWritten.strName);
                } else if (typWritten.strName.empty()) {
                    EXPECT_EQ(typBack.strName, "");
                } else if (p > 1) {
                    EXPECT_EQ(typBack.strName.rfind(ColourVariableName(typWritten.strName, 1), 0),
                              0u);
                }
            }
            if (p == 1 && enmFormat != PaletteFormat::Gpl && enmFormat != PaletteFormat::Ase) {
                // Duplicates get -2, -3 and so on, past names already taken.
                const std::vector<std::string> arrExpected{"olive",     "olive-2", "olive-3",
                                                           "olive-2-2", "",        "colour-5-2"};
                for (std::size_t k = 0; k < 6; ++k)
                    EXPECT_EQ(typRead.arrColours[k].strName, arrExpected[k]) << k;
            }
            // What was read writes the same file again.
            EXPECT_EQ(ExportPalette(enmFormat, typRead.arrColours, "Round trip"), strFile);
        }
    }
}

TEST(PaletteExchange, ReadersTakeWhatTheirFormatsAllow) {
    struct typCase {
        std::string strFile;
        Colours arrExpected;
        std::vector<std::string> arrNotes;
    };
    const std::vector<typCase> arrCases{
        {"hand-made.gpl",
         {Entry(255, 128, 0, "Sunset Orange"), Entry(0, 0, 0, ""), Entry(12, 34, 56, ""),
          Entry(166, 123, 91, "Café au lait"), Entry(25, 25, 112, "Midnight  Blue"),
          Entry(128, 128, 0, "Olive"), Entry(1, 2, 3, "Seventh"), Entry(4, 5, 6, "Eighth")},
         {}},
        {"theme.css",
         {Entry(255, 128, 0, "brand"), Entry(12, 34, 56, "ink"), Entry(0, 128, 0, "card-bg"),
          Entry(0, 0, 255, "veil")},
         {"Transparent colours are used opaque."}},
        {"variables.scss",
         {Entry(255, 128, 0, "brand"), Entry(12, 34, 56, "ink"), Entry(128, 128, 0, "local")},
         {}},
        {"tokens.json",
         {Entry(255, 128, 0, "color-brand-orange"), Entry(255, 128, 0, "color-brand-ink"),
          Entry(255, 128, 0, "color-accent"), Entry(119, 119, 119, "color-lab-grey"),
          Entry(12, 34, 56, "color-fallback"), Entry(128, 128, 0, "plain-olive"),
          Entry(166, 123, 91, "café")},
         {}},
        {"mixed.ase",
         {Entry(166, 123, 91, "Café au lait"), Entry(128, 128, 128, "Mid grey"),
          Entry(255, 255, 255, "Paper"), Entry(163, 122, 82, "Ink"),
          Entry(119, 119, 119, "Lab grey 😀"), Entry(255, 255, 255, "Lab white")},
         {"CMYK colours were converted naively, without a colour profile; they may look "
          "different in print.",
          "Lab colours were converted to sRGB."}},
    };
    for (const typCase& c : arrCases) {
        SCOPED_TRACE(c.strFile);
        const auto enmFormat = PaletteFormatFromPath(c.strFile);
        ASSERT_TRUE(enmFormat);
        const typImportResult typRead = ImportPalette(*enmFormat, DataFile(c.strFile));
        ASSERT_TRUE(typRead.blnOk) << typRead.strError;
        EXPECT_EQ(typRead.arrColours, c.arrExpected);
        EXPECT_EQ(typRead.arrNotes, c.arrNotes);
    }
}

TEST(PaletteExchange, RefusedFilesSayWhereTheyWentWrong) {
    const std::string strAseHeader = std::string("ASEF\0\1\0\0\0\0\0\1", 12);
    const std::string strRgbName = std::string("\0\1\0\0\0\2\0\0", 8);  // a colour entry of 2 bytes
    struct typCase {
        PaletteFormat enmFormat;
        std::string strBytes;
        std::string strError;
    };
    const std::vector<typCase> arrCases{
        {PaletteFormat::Gpl, "", "Line 1: a GIMP palette begins with \"GIMP Palette\""},
        {PaletteFormat::Gpl, "GIMP palette\n0 0 0\n",
         "Line 1: a GIMP palette begins with \"GIMP Palette\""},
        {PaletteFormat::Gpl, "GIMP Palette\r\n# ok\r\n1 2 3 a\r\n1 2 x b\r\n",
         "Line 4: a colour line holds red, green and blue as whole numbers 0 to 255, then a name"},
        {PaletteFormat::Gpl, "GIMP Palette\n1 2\n",
         "Line 2: a colour line holds red, green and blue as whole numbers 0 to 255, then a name"},
        {PaletteFormat::Gpl, "GIMP Palette\nName: x\n#\n",
         "Line 4: the palette ends without a colour line"},
        {PaletteFormat::Gpl, "GIMP Palette\n1 2 3 caf\xE9\n",
         "Line 2, byte offset 22: the text is not UTF-8"},
        {PaletteFormat::Css, ":root {\n  --a: 4px;\n  --b: #12345;\n}\n",
         "Line 2: --a: the value is no colour (" + ParseColourText("4px").strError + ")"},
        {PaletteFormat::Css, "a { color: red; }",
         "Line 1: no declaration --name: colour; in the file"},
        {PaletteFormat::Css, ":root { --a: red; }\n/* open",
         "Line 2: the comment begun here never ends"},
        {PaletteFormat::Scss, "$a: red;\n/* open\n", "Line 2: the comment begun here never ends"},
        {PaletteFormat::Scss, "// $a: red;\n--b: red;\n",
         "Line 1: no declaration $name: colour; in the file"},
        {PaletteFormat::Json, "{\"a\": \"#fff\",}",
         "Line 1, byte offset 13: expected a member name in quotes"},
        {PaletteFormat::Json, "{\n  \"a\": \"#fff\"\n  \"b\": \"#000\"\n}",
         "Line 3, byte offset 18: expected \",\" or \"}\""},
        {PaletteFormat::Json, "{\"a\": \"#fff\"} x",
         "Line 1, byte offset 14: the text goes on after the JSON value"},
        {PaletteFormat::Json, "{\"a\": 1e999}",
         "Line 1, byte offset 6: the number is out of range"},
        {PaletteFormat::Json, "{\"a\": \"x\ty\"}",
         "Line 1, byte offset 8: a control character in a string"},
        {PaletteFormat::Json, "[\"#fff\"]", "Line 1: design tokens are a JSON object"},
        {PaletteFormat::Json, std::string(64, '[') + std::string(64, ']'),
         "Line 1: design tokens are a JSON object"},
        {PaletteFormat::Json, std::string(65, '[') + std::string(65, ']'),
         "Line 1, byte offset 64: nested more than 64 deep"},
        {PaletteFormat::Json, "{\"a\": {\"$type\": \"color\", \"$value\": \"#12\"}}",
         "Line 1: the colour token a holds no colour this reads"},
        {PaletteFormat::Json, "{\"a\": {\"$type\": \"dimension\", \"$value\": \"#123\"}}",
         "Line 1: no colour token and no member with a colour in the file"},
        {PaletteFormat::Ase, "ASEF\0\1\0\0",
         "Byte offset 0: a swatch exchange file begins with \"ASEF\" and a 12-byte header"},
        {PaletteFormat::Ase, std::string("ASEF\0\2\0\0\0\0\0\0", 12),
         "Byte offset 4: version 2.0 is not 1.x"},
        {PaletteFormat::Ase, std::string("ASEF\0\1\0\0\0\0\0\0", 12),
         "Byte offset 12: the file holds no colour entry"},
        {PaletteFormat::Ase, strAseHeader,
         "Byte offset 12: the file ends where block 1 of 1 should begin"},
        {PaletteFormat::Ase, strAseHeader + std::string("\0\1\0\0\0\x40\0", 7),
         "Byte offset 14: the block is 64 bytes long, but only 1 follow"},
        {PaletteFormat::Ase, strAseHeader + std::string("\0\1\0\0\0\2\0\5", 8),
         "Byte offset 18: the name of 5 UTF-16 units runs past its block"},
        {PaletteFormat::Ase, strAseHeader + strRgbName,
         "Byte offset 20: the colour entry ends before its model"},
        {PaletteFormat::Ase, strAseHeader + std::string("\0\1\0\0\0\x0A\0\0HSV \0\0\0\0", 16),
         "Byte offset 20: the colour model is none of \"RGB \", \"CMYK\", \"LAB \" and \"Gray\""},
        {PaletteFormat::Ase, strAseHeader + std::string("\0\1\0\0\0\x0C\0\0RGB \0\0\0\0\0\0", 18),
         "Byte offset 24: the colour entry ends before its 3 values"},
        {PaletteFormat::Ase, strAseHeader + std::string("\0\1\0\0\0\x0A\0\0Gray\x7F\xC0\0\0", 16),
         "Byte offset 24: the value is no number"},
    };
    for (const typCase& c : arrCases) {
        SCOPED_TRACE(Key(c.enmFormat) + ": " + c.strBytes);
        const typImportResult typRead = ImportPalette(c.enmFormat, c.strBytes);
        EXPECT_FALSE(typRead.blnOk);
        EXPECT_TRUE(typRead.arrColours.empty());
        EXPECT_EQ(typRead.strError, c.strError);
        EXPECT_LE(typRead.intErrorOffset, c.strBytes.size());
    }
}

TEST(PaletteExchange, SwatchReaderStaysInsideEveryCutOfAFile) {
    // Under AddressSanitizer a read past any cut would stop the test.
    const std::string strFile = DataFile("mixed.ase");
    for (std::size_t intSize = 0; intSize < strFile.size(); ++intSize) {
        const std::string strCut = strFile.substr(0, intSize);
        const typImportResult typRead = ImportPalette(PaletteFormat::Ase, strCut);
        EXPECT_FALSE(typRead.blnOk) << intSize;
        EXPECT_LE(typRead.intErrorOffset, intSize);
    }
    EXPECT_TRUE(ImportPalette(PaletteFormat::Ase, strFile).blnOk);
}

TEST(PaletteExchange, FormatsAreKnownByExtensionThenContent) {
    const std::vector<std::tuple<std::string, std::string, std::optional<PaletteFormat>>> arrCases{
        {"/a/b.GPL", "", PaletteFormat::Gpl},
        {"x.tar.scss", "", PaletteFormat::Scss},
        {"tokens.json", "GIMP Palette", PaletteFormat::Json},
        {"swatches", DataFile("default.ase"), PaletteFormat::Ase},
        {"palette", "\xEF\xBB\xBFGIMP Palette\n", PaletteFormat::Gpl},
        {"x.txt", " \n{\"a\": \"red\"}", PaletteFormat::Json},
        {"x.txt", "body { --a: red; }", PaletteFormat::Css},
        {"x.txt", "$a: red;", PaletteFormat::Scss},
        {"x.txt", "THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.", std::nullopt},
        {".gpl", "", std::nullopt},
    };
    for (const auto& [strPath, strBytes, enmExpected] : arrCases) {
        SCOPED_TRACE(strPath);
        EXPECT_EQ(GuessPaletteFormat(strPath, strBytes), enmExpected);
    }
}
