#include "model/Errors.h"

#include <gtest/gtest.h>

namespace polygrav {
namespace {

TEST(ErrorsTest, MessagesNameTheTextOrPath) {
    EXPECT_EQ(NotAnIntegerMessage("abc"), "'abc' は整数ではありません");
    EXPECT_EQ(NotAFloatMessage("1,5"), "'1,5' は浮動小数点数ではありません");
    EXPECT_EQ(TooFewPointsMessage("2"), "'2' は3以上の整数ではありません");
    EXPECT_EQ(CannotCreateFileMessage("/data/star.svg"),
              "ファイル /data/star.svg を作成できません");
    EXPECT_EQ(StreamWriteErrorMessage(), "ストリームへの書き込みエラー");
    EXPECT_EQ(CannotWriteIniMessage("/opt/polygrav.ini"), "/opt/polygrav.ini に書き込めません");
}

TEST(ErrorsTest, ClosingPeriodFollowsTheLastByte) {
    struct Row {
        const char* name;
        std::string message;
        std::string expected;
    };
    const Row rows[] = {
        {"multibyte ending", "ストリームへの書き込みエラー", "ストリームへの書き込みエラー."},
        {"letter", "abc", "abc."},
        {"digit", "code 5", "code 5."},
        {"slash is above the full stop", "/data/", "/data/."},
        {"full stop itself", "done.", "done."},
        {"closing parenthesis is below", "実行できません (2)", "実行できません (2)"},
        {"blank is below", "trailing ", "trailing "},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WithClosingPeriod(row.message), row.expected);
    }
}

}  // namespace
}  // namespace polygrav
