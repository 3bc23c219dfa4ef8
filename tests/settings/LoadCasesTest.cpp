// The shared table of load cases, run against the core's settings model; the
// window test runs the same table against the real window.

#include <gtest/gtest.h>

#include "settings/IniFile.h"
#include "settings/SettingsModel.h"
#include "tests/cases/LoadCases.h"

#include "RowPrinting.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

class SharedLoadCases : public ::testing::TestWithParam<test::LoadCase> {};

TEST_P(SharedLoadCases, ModelEndsAsTheWindowDoes) {
    const test::LoadCase& row = GetParam();
    SettingsModel model("/start", '.');
    const std::optional<std::string> error =
        LoadAsAtStartUp(model, IniDocument::Parse(row.file), "/prog");
    EXPECT_EQ(model.values, row.expected);
    EXPECT_EQ(model.favoriteDir, row.favoriteDir.value_or("/prog"));
    EXPECT_EQ(error, row.error);
}

INSTANTIATE_TEST_SUITE_P(Table, SharedLoadCases, ::testing::ValuesIn(test::LoadCases()),
                         test::RowName());

}  // namespace
}  // namespace polygrav
