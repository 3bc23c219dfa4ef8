#include "geometry/WorkBudget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "geometry/PartGeometry.h"
#include "model/Errors.h"

namespace polygrav {
namespace {

BudgetLimit UpTo(double most) {
    return [most](double d) { return std::fabs(d) <= most; };
}

TEST(WorkBudget, ARefusalNamesTheLargestValueThatEveryLimitAllows) {
    struct Row {
        const char* name;
        double value;
        BudgetLimit first, second;
        std::optional<double> largest;  // nothing: the value fits
    };
    const Row rows[] = {
        {"within both", 3, UpTo(5), UpTo(4), std::nullopt},
        {"over the first", 10, UpTo(5), UpTo(8), 5},
        {"over the second only", 10, UpTo(20), UpTo(2.5), 2.5},
        {"the smaller of the two", 10, UpTo(2.5), UpTo(5), 2.5},
        {"a negative value keeps its sign", -10, UpTo(5), UpTo(8), -5},
        {"rounded down to what the message shows", 1, UpTo(0.123456), UpTo(1), 0.1234},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            RequireWithinBudget("Offset", row.value, {row.first, row.second});
            EXPECT_FALSE(row.largest) << "not refused";
        } catch (const EPartError& error) {
            ASSERT_TRUE(row.largest) << error.message();
            EXPECT_EQ(error.message(), WorkOverBudgetMessage("Offset", row.value, *row.largest));
        }
    }
}

// The heaviest kind of part: a star polygon's cells by the even-odd rule,
// each offset on its own and united.
PartParameters CellsOffsetBy(double offset) {
    PartParameters p;
    p.n = 40;
    p.part.StarStep = 19;
    p.starType = kStarPolygon;
    p.evenOdd = true;
    p.part.CutOutline = true;
    p.size = 100;
    p.part.Offset = offset;
    return p;
}

TEST(WorkBudget, AnOffsetBeyondTheBudgetIsRefusedAndTheValueItNamesIsBuilt) {
    double largest = 0;
    try {
        BuildPartContours(CellsOffsetBy(1000));
        FAIL() << "an offset of a metre on the cells was built";
    } catch (const EPartError& error) {
        ASSERT_EQ(error.message().id, MessageId::WorkOverBudget) << error.message();
        EXPECT_EQ(error.message().args.at(0), "Offset");
        largest = std::stod(error.message().args.at(2));
    }
    ASSERT_GT(largest, 0);
    const PartContours part = BuildPartContours(CellsOffsetBy(largest));
    EXPECT_FALSE(part.contours.empty());
}

}  // namespace
}  // namespace polygrav
