#pragma once

#include <gtest/gtest.h>

#include <string>

namespace polygrav::test {

// Names each case of a parameterised table after its row's name, so that a
// failure says which row failed: INSTANTIATE_TEST_SUITE_P(..., RowName()).
struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return std::string(row.param.name);
    }
};

}  // namespace polygrav::test
