#include "model/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(ErrorsTest, PartMessagesNameTheValueAndWhatFits) {
    EXPECT_EQ(PointCountOutOfRangeMessage(101), "点の数 101 は 3～100 の範囲にありません");
    EXPECT_EQ(StarStepOutOfRangeMessage(7, 4), "星のステップ 7 は 2～4 の範囲にありません");
    EXPECT_EQ(InnerRatioOutOfRangeMessage(1.25),
              "内側の比率 1.2500 は 0 より大きく 1 より小さい数ではありません");
    EXPECT_EQ(CornerRadiusTooLargeMessage(12, 11.8033),
              "角の半径 12.0000 mm は収まりません。収まる最大の半径は 11.8033 mm です");
    EXPECT_EQ(ValleyRadiusTooLargeMessage(0.5, 0.12345678),
              "谷の半径 0.5000 mm は収まりません。収まる最大の半径は 0.1235 mm です");
    EXPECT_EQ(NegativeRadiusMessage(-1), "半径 -1.0000 mm は 0 以上の長さではありません");
    // A value that rounds to zero shows no sign.
    EXPECT_EQ(OffsetLeavesNothingMessage(-0.00001), "オフセット 0.0000 mm では輪郭が残りません");
    // The number reads as the SVG writes it: 1.00005 typed (just below it in
    // binary) rounds up at the fourth decimal, as its decimal digits say.
    EXPECT_EQ(OffsetLeavesNothingMessage(-1.00005), "オフセット -1.0001 mm では輪郭が残りません");
    EXPECT_EQ(OffsetOutOfRangeMessage(2000),
              "オフセット 2000.0000 mm は -1000～1000 mm の範囲にありません");
    EXPECT_EQ(SizeOutOfRangeMessage(std::nan("")), "大きさ NAN mm は使える正の長さではありません");
    EXPECT_EQ(NoOutlineMessage(), "この設定では輪郭ができません");
}

TEST(ErrorsTest, NumbersShowAtMostTwelveSignificantDigits) {
    EXPECT_EQ(OffsetOutOfRangeMessage(1e300),
              "オフセット 1e+300 mm は -1000～1000 mm の範囲にありません");
    EXPECT_EQ(SizeOutOfRangeMessage(-123456789.123456789),
              "大きさ -123456789.123 mm は使える正の長さではありません");
    // Below 1e8 the "0.0000" pattern has at most 12 digits and stays.
    EXPECT_EQ(SizeOutOfRangeMessage(99999999.5),
              "大きさ 99999999.5000 mm は使える正の長さではありません");
}

TEST(ErrorsTest, BytesThatAreNotPrintableUtf8AreEscaped) {
    struct Row {
        const char* name;
        std::string text;
        std::string shown;
    };
    const Row rows[] = {
        {"ASCII and Japanese stay", "星 star", "星 star"},
        {"four-byte character stays", "\xF0\x9F\x8C\x9F", "\xF0\x9F\x8C\x9F"},
        {"terminal escape", "a\x1B[31mb", "a\\x1B[31mb"},
        {"newline and DEL", "a\nb\x7F", "a\\x0Ab\\x7F"},
        {"C1 control", "\xC2\x9B", "\\xC2\\x9B"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a\\x80b"},
        {"Latin-1 byte", "caf\xE9", "caf\\xE9"},
        {"truncated character at the end", "x\xE6\x98", "x\\xE6\\x98"},
        {"overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
        {"surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"NUL", std::string("a\0b", 3),
         "a\xEF\xBF\xBD"
         "b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Printable(row.text), row.shown);
    }
    EXPECT_EQ(NotAFloatMessage("1\x1B]0;x\x07"), "'1\\x1B]0;x\\x07' は浮動小数点数ではありません");
    EXPECT_EQ(CannotCreateFileMessage("/tmp/\xFF.svg"), "ファイル /tmp/\\xFF.svg を作成できません");
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
