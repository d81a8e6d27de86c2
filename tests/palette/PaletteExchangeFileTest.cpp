#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "palette/PaletteExchangeFile.h"

namespace {

namespace fs = std::filesystem;

std::string FileBytes(const std::string& strPath) {
    std::ifstream objIn(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(objIn), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& strPath, const std::string& strBytes) {
    std::ofstream objOut(strPath, std::ios::binary);
    objOut << strBytes;
}

class ExchangeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string strTemplate = (fs::temp_directory_path() / "huevra-exchange-XXXXXX").string();
        ASSERT_NE(mkdtemp(strTemplate.data()), nullptr);
        strFolder = strTemplate;
        objBefore.SetDefaultPalette();
        objBefore.arrLoadColour.at(0).lngRed = 7;
        objBefore.arrLoadName.at(0) = "Before";
    }
    void TearDown() override {
        std::error_code objError;
        fs::remove_all(strFolder, objError);
    }
    std::string strFolder;
    Palette objBefore;
};

}  // namespace

TEST_F(ExchangeFolder, ImportTakesTheFirstSixColoursAndDefaultsForTheRest) {
    WriteBytes(strFolder + "/eight.gpl",
               "GIMP Palette\n1 1 1 one\n2 2 2\n3 3 3 three\n4 4 4 four\n5 5 5 five\n"
               "6 6 6 A name far longer than the field\n7 7 7 seven\n8 8 8 eight\n");
    Palette objPalette = objBefore;
    typExchangeFileResult typResult = ImportPaletteFile(strFolder + "/eight.gpl", {}, objPalette);
    ASSERT_TRUE(typResult.blnOk) << typResult.strError;
    EXPECT_EQ(typResult.arrNotes,
              std::vector<std::string>{"The file holds 8 colours. Huevra took the first six."});
    EXPECT_EQ(objPalette.arrLoadName.at(0), "one");
    EXPECT_EQ(objPalette.arrLoadName.at(1), "Type a colour name");
    EXPECT_EQ(objPalette.arrLoadName.at(5), "A name far longer tha");  // 21 UTF-16 units
    EXPECT_EQ(objPalette.arrLoadColour.at(5).lngBlue, 6);

    // Two colours: the other four marks are the new palette's.
    WriteBytes(strFolder + "/two", ":root { --a: #010203; --b: #040506; }");
    objPalette = objBefore;
    typResult = ImportPaletteFile(strFolder + "/two", {}, objPalette);
    ASSERT_TRUE(typResult.blnOk) << typResult.strError;
    EXPECT_TRUE(typResult.arrNotes.empty());
    Palette objNew;
    objNew.SetDefaultPalette();
    EXPECT_EQ(objPalette.arrLoadName.at(1), "b");
    EXPECT_EQ(objPalette.arrLoadColour.at(1).lngGreen, 5);
    for (std::size_t k = 2; k < intMarkCount; ++k) {
        EXPECT_EQ(objPalette.arrLoadColour.at(k), objNew.arrLoadColour.at(k)) << k;
        EXPECT_EQ(objPalette.arrLoadName.at(k), objNew.arrLoadName.at(k)) << k;
    }
}

TEST_F(ExchangeFolder, RefusedImportSaysWhyAndChangesNothing) {
    const std::string strFifo = strFolder + "/fifo.gpl";
    ASSERT_EQ(mkfifo(strFifo.c_str(), 0600), 0);
    WriteBytes(strFolder + "/large.gpl", "GIMP Palette\n" + std::string(1024 * 1024, '#'));
    WriteBytes(strFolder + "/bad.json", "{\n\"a\": }");
    WriteBytes(strFolder + "/unknown", "THIS FILE WAS MADE IN HUEVRA. DO NOT EDIT.");
    const std::vector<std::pair<std::string, std::string>> arrCases{
        {strFifo, "It is not a regular file."},
        {strFolder, "It is not a regular file."},
        {strFolder + "/missing.gpl", "The file cannot be read."},
        {strFolder + "/large.gpl", "The file is larger than 1 MiB."},
        {strFolder + "/bad.json", "Line 2, byte offset 7: expected a value"},
        {strFolder + "/unknown",
         "The file is none of GIMP palette, CSS, SCSS, design tokens and swatch exchange."},
    };
    for (const auto& [strPath, strError] : arrCases) {
        SCOPED_TRACE(strPath);
        Palette objPalette = objBefore;
        const typExchangeFileResult typResult = ImportPaletteFile(strPath, {}, objPalette);
        EXPECT_FALSE(typResult.blnOk);
        EXPECT_EQ(typResult.strError, strError);
        EXPECT_EQ(objPalette.arrLoadColour, objBefore.arrLoadColour);
        EXPECT_EQ(objPalette.arrLoadName, objBefore.arrLoadName);
    }
}

TEST_F(ExchangeFolder, ExportNamesTheGimpPaletteAfterTheFileAndReplacesItWhole) {
    const std::string strPath = strFolder + "/My colours.v2.gpl";
    WriteBytes(strPath, std::string(5000, 'o'));
    const typExchangeFileResult typResult = ExportPaletteFile(
        strPath, PaletteFormat::Gpl, objBefore.arrLoadColour, objBefore.arrLoadName);
    ASSERT_TRUE(typResult.blnOk) << typResult.strError;
    const std::string strWritten = FileBytes(strPath);
    EXPECT_EQ(strWritten.substr(0, 33), "GIMP Palette\nName: My colours.v2\n");
    EXPECT_NE(strWritten.find("  7   0   0\tBefore\n255 255   0\tMark 2\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(strFolder), fs::directory_iterator()), 1);
}

TEST_F(ExchangeFolder, FailedExportLeavesTheOldFileByteForByte) {
    EXPECT_FALSE(ExportPaletteFile(strFolder + "/no such folder/x.css", PaletteFormat::Css,
                                   objBefore.arrLoadColour, objBefore.arrLoadName)
                     .strError.empty());
    const std::string strPath = strFolder + "/old.ase";
    const std::string strOld(3000, 'x');
    WriteBytes(strPath, strOld);
    // A full disk: the size limit must not hit the test runner itself, so the export runs in a
    // child.
    const pid_t intChild = fork();
    ASSERT_NE(intChild, -1);
    if (intChild == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit typLimit{100, 100};
        if (setrlimit(RLIMIT_FSIZE, &typLimit) != 0) _exit(10);
        const typExchangeFileResult typResult = ExportPaletteFile(
            strPath, PaletteFormat::Ase, objBefore.arrLoadColour, objBefore.arrLoadName);
        _exit(typResult.blnOk ? 11 : typResult.strError.empty() ? 12 : 0);
    }
    int intStatus = 0;
    ASSERT_EQ(waitpid(intChild, &intStatus, 0), intChild);
    ASSERT_TRUE(WIFEXITED(intStatus));
    EXPECT_EQ(WEXITSTATUS(intStatus), 0);
    EXPECT_EQ(FileBytes(strPath), strOld);
    EXPECT_EQ(std::distance(fs::directory_iterator(strFolder), fs::directory_iterator()), 1);
}
