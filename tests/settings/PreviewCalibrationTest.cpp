#include "settings/PreviewCalibration.h"

#include <gtest/gtest.h>

#include <string>

#include "model/Errors.h"

namespace polygrav {
namespace {

TEST(PreviewCalibration, ReadsOnlyAFactorInRange) {
    struct Row {
        const char* name;
        std::string file;
        std::optional<double> factor;
        std::optional<Message> error;
    };
    const Row rows[] = {
        {"no key", "[SVG]\nEdgeNumber=7\n", std::nullopt, std::nullopt},
        {"empty: reset", "[Preview]\nCalibrationFactor=\n", std::nullopt, std::nullopt},
        {"a factor", "[Preview]\nCalibrationFactor=1.046\n", 1.046, std::nullopt},
        {"lowest", "[Preview]\nCalibrationFactor=0.5\n", 0.5, std::nullopt},
        {"highest", "[Preview]\nCalibrationFactor=2\n", 2.0, std::nullopt},
        {"below the range", "[Preview]\nCalibrationFactor=0.4\n", std::nullopt,
         CalibrationNotAFactorMessage("0.4")},
        {"above the range", "[Preview]\nCalibrationFactor=7\n", std::nullopt,
         CalibrationNotAFactorMessage("7")},
        {"no number", "[Preview]\nCalibrationFactor=big\n", std::nullopt,
         CalibrationNotAFactorMessage("big")},
        {"the program writes no comma", "[Preview]\nCalibrationFactor=1,2\n", std::nullopt,
         CalibrationNotAFactorMessage("1,2")},
        {"another section", "[SVG]\nCalibrationFactor=1.2\n", std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        const CalibrationEntry entry = ReadCalibration(IniDocument::Parse(row.file));
        EXPECT_EQ(entry.factor, row.factor) << row.name;
        EXPECT_EQ(entry.error, row.error) << row.name;
    }
}

TEST(PreviewCalibration, WritesTheFactorOrEmptiesAKeyThatIsThere) {
    IniDocument doc = IniDocument::Parse("[SVG]\r\nEdgeNumber=7\r\n");
    WriteCalibration(doc, std::nullopt);
    EXPECT_EQ(doc.Serialize(), "[SVG]\r\nEdgeNumber=7\r\n");  // uncalibrated: no key

    WriteCalibration(doc, 1.25);
    EXPECT_EQ(ReadCalibration(doc).factor, 1.25);
    EXPECT_EQ(doc.Read("Preview", "CalibrationFactor"), "1.25");

    WriteCalibration(doc, std::nullopt);
    EXPECT_EQ(doc.Read("Preview", "CalibrationFactor"), "");
    EXPECT_EQ(ReadCalibration(doc).factor, std::nullopt);
    EXPECT_EQ(doc.Read("SVG", "EdgeNumber"), "7");
}

TEST(PreviewCalibration, BarIsTheCardAtTheScreensScale) {
    EXPECT_NEAR(CalibrationBarPixels(96, 1), 85.6 * 96 / 25.4, 1e-9);  // 323.5 px
    EXPECT_NEAR(CalibrationBarPixels(96, 1.25), 1.25 * CalibrationBarPixels(96, 1), 1e-9);
}

}  // namespace
}  // namespace polygrav
