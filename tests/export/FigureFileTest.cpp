#include "export/FigureFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ExportErrors.h"
#include "model/Errors.h"
#include "tests/export/SampleFigures.h"
#include "tests/support/TempFolder.h"

namespace polygrav {
namespace {

using test::ReadFile;
using test::TempFolder;

TEST(FigureFileTest, WritesTheEncodedBytes) {
    TempFolder folder;
    const Figure f = test::RingFigure();
    ExportOptions options;
    options.dxf.version = DxfVersion::R2000;
    WriteFigureFile(folder / "ring.dxf", f, ExportFormat::Dxf, options);
    EXPECT_EQ(ReadFile(folder / "ring.dxf"), EncodeFigure(f, ExportFormat::Dxf, options));
}

TEST(FigureFileTest, EncodingErrorLeavesTheOldFileAlone) {
    TempFolder folder;
    const std::string target = folder / "ring.png";
    test::WriteFile(target, "old");
    ExportOptions options;
    options.png.dpi = 0;
    EXPECT_THROW(WriteFigureFile(target, test::RingFigure(), ExportFormat::Png, options),
                 EExportError);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"ring.png"});
}

// The window and the program write their SVG through WriteFigureFile too: the
// design's values give the design's document.
TEST(FigureFileTest, WritesTheSvgOfTheSettings) {
    TempFolder folder;
    const std::string target = folder / "star.svg";
    WriteFigureFile(target, BuildFigure(TStarSettings{}, '.'), ExportFormat::Svg);
    EXPECT_EQ(ReadFile(target), ReadFile(std::string(POLYGRAV_TEST_DATA) + "/../svg/default.svg"));
}

// Settings that make no figure raise before a file is touched: an old file
// stays whole and no file is left where there was none.
TEST(FigureFileTest, SettingsErrorTouchesNoFile) {
    struct Row {
        bool oldFile;
        TStarSettings settings;
    };
    TStarSettings badRadius;
    badRadius.CircumRadius = "fifty";
    TStarSettings noEdges;
    noEdges.EdgeNumber = "";
    for (const Row& row : {Row{true, badRadius}, Row{false, noEdges}}) {
        TempFolder folder;
        const std::string target = folder / "star.svg";
        if (row.oldFile) test::WriteFile(target, "old");
        EXPECT_THROW(WriteFigureFile(target, BuildFigure(row.settings, '.'), ExportFormat::Svg),
                     EConvertError);
        EXPECT_EQ(folder.Names(),
                  row.oldFile ? std::vector<std::string>{"star.svg"} : std::vector<std::string>{});
        if (row.oldFile) {
            EXPECT_EQ(ReadFile(target), "old");
        }
    }
}

}  // namespace
}  // namespace polygrav
