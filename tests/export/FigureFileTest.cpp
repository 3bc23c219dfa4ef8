#include "export/FigureFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ExportErrors.h"
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
    options.dxfVersion = DxfVersion::R2000;
    WriteFigureFile(folder / "ring.dxf", f, ExportFormat::Dxf, options);
    EXPECT_EQ(ReadFile(folder / "ring.dxf"), EncodeFigure(f, ExportFormat::Dxf, options));
}

TEST(FigureFileTest, EncodingErrorLeavesTheOldFileAlone) {
    TempFolder folder;
    const std::string target = folder / "ring.png";
    test::WriteFile(target, "old");
    ExportOptions options;
    options.dpi = 0;
    EXPECT_THROW(WriteFigureFile(target, test::RingFigure(), ExportFormat::Png, options),
                 EExportError);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"ring.png"});
}

}  // namespace
}  // namespace polygrav
