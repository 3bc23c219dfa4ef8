#include "conversion/ReadoutNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "conversion/PartInfo.h"

namespace polygrav {
namespace {

struct ReadoutCase {
    double value;
    const char* text;
};

class ReadoutNumberTest : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(ReadoutNumberTest, RoundsToANanometreInTheShortestForm) {
    EXPECT_EQ(FormatReadoutNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadoutNumberTest,
    ::testing::Values(ReadoutCase{49.99999999999999, "50"}, ReadoutCase{50, "50"},
                      ReadoutCase{7.505553499465133, "7.505553499"},
                      ReadoutCase{7.505553499465134, "7.505553499"}, ReadoutCase{0.0000000004, "0"},
                      ReadoutCase{-0.0000000004, "0"}, ReadoutCase{0.0000000006, "1e-09"},
                      ReadoutCase{-12.5, "-12.5"}, ReadoutCase{146.3582932395701, "146.35829324"},
                      // Beyond a million the double's own step is coarser than 1e-9.
                      ReadoutCase{12345678.123456789, "12345678.12345679"},
                      ReadoutCase{1e300, "1e+300"}));

// The hexagon's side equals its circumradius; computed, it carries float noise
// that the readout must not show.
TEST(PartInfoJsonTest, HexagonSideReadsAsItsRadius) {
    TStarSettings hexagon;
    hexagon.StarType = 2;
    hexagon.EdgeNumber = "6";
    const std::string json = PartInfoJson(hexagon, '.');
    EXPECT_NE(json.find("\"circumradius\": 50,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"side\": 50,"), std::string::npos) << json;
}

}  // namespace
}  // namespace polygrav
