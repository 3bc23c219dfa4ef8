#pragma once

#include <gtest/gtest.h>

#include <string>

namespace polygrav::test {

// Names each case of a table after its row's label.
struct RowLabel {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.label;
    }
};

}  // namespace polygrav::test
