#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "settings/IniFile.h"

#include "RowPrinting.h"
#include "tests/support/RowName.h"

namespace polygrav {
namespace {

using namespace std::string_literals;

// ---- Reading ----

struct ReadCase {
    const char* name;
    std::string file;
    const char* key;
    std::optional<std::string> expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, GivesTheValueOfTheKey) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(IniDocument::Parse(c.file).Read("SVG", c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", "[svg]\nedgenumber=7\n", "EdgeNumber", "7"},
        ReadCase{"FirstKeyCounts", "[SVG]\nA=1\na=2\n", "A", "1"},
        ReadCase{"FirstSectionCounts", "[SVG]\nA=1\n[Svg]\nA=2\n", "A", "1"},
        ReadCase{"KeyOnlyInSecondEqualSectionIsMissing", "[SVG]\nA=1\n[SVG]\nB=2\n", "B",
                 std::nullopt},
        ReadCase{"BlanksAroundNamesAndValuesTrimmed", " \t[ SVG ]\t\n \t A \t= \t1 2\t \n", "A",
                 "1 2"},
        ReadCase{"OnePairOfQuotesRemoved", "[SVG]\nA=\"\"x\"\"\n", "A", "\"x\""},
        ReadCase{"QuotesInsideBlanksKeepInnerBlanks", "[SVG]\nA=  \" x \"  \n", "A", " x "},
        ReadCase{"LoneQuoteKept", "[SVG]\nA=\"\n", "A", "\""},
        ReadCase{"OpeningQuoteAloneKept", "[SVG]\nA=\"x\n", "A", "\"x"},
        ReadCase{"FirstEqualsSplits", "[SVG]\nA=b=c\n", "A", "b=c"},
        ReadCase{"EmptyValue", "[SVG]\nA=\n", "A", ""},
        ReadCase{"SemicolonComment", "[SVG]\n;A=1\n", "A", std::nullopt},
        ReadCase{"HashCommentAfterBlanks", "[SVG]\n  #A=1\n", "A", std::nullopt},
        ReadCase{"LineWithEmptyNameIgnored", "[SVG]\n=1\n = 2\nA=3\n", "A", "3"},
        ReadCase{"EmptyNameNeverMatches", "[SVG]\n=1\n", "", std::nullopt},
        ReadCase{"JunkLineIgnored", "[SVG]\ngarbage\n[broken\nA=1\n", "A", "1"},
        ReadCase{"TextAfterClosingBracketIgnored", "[SVG] ; the star\nA=1\n", "A", "1"},
        ReadCase{"KeyBeforeAnySectionIsInNone", "A=1\n[SVG]\n", "A", std::nullopt},
        ReadCase{"FileWithoutSection", "A=1\nB=2\n", "A", std::nullopt},
        ReadCase{"KeyOfAnotherSection", "[Other]\nA=1\n[SVG]\nB=2\n", "A", std::nullopt},
        ReadCase{"CrLfLeavesNoCr", "[SVG]\r\nA=1\r\nB=2\r\n", "A", "1"},
        ReadCase{"LfOnly", "[SVG]\nA=1\nB=2", "B", "2"},
        ReadCase{"LoneCrOnly", "[SVG]\rA=1\rB=2\r", "B", "2"},
        ReadCase{"MixedLineEnds", "[SVG]\n\rA=1\r\r\nB=2", "B", "2"},
        ReadCase{"ByteOrderMarkIgnored", "\xEF\xBB\xBF[SVG]\r\nA=1\r\n", "A", "1"},
        ReadCase{"NulBytesKept", "[SVG]\nA=a\0b\n"s, "A", "a\0b"s},
        ReadCase{"Utf8ValueUnchanged", "[SVG]\nA=/home/ユーザー/図\n", "A", "/home/ユーザー/図"}),
    test::RowName());

// ---- Cutting at a character boundary ----

struct CutCase {
    const char* name;
    std::string text;
    std::string expected;
};

class Utf8Cut : public ::testing::TestWithParam<CutCase> {};

TEST_P(Utf8Cut, KeepsWholeCharactersWithinFiveBytes) {
    EXPECT_EQ(CutAtUtf8Boundary(GetParam().text, 5), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Cut,
    ::testing::Values(CutCase{"ShortTextWhole", "abc", "abc"},
                      CutCase{"ExactLengthWhole", "abcde", "abcde"},
                      CutCase{"AsciiCutAtLimit", "abcdef", "abcde"},
                      CutCase{"ThreeByteCharacterEndingAtLimit", "ab\xE3\x81\x82x",
                              "ab\xE3\x81\x82"},
                      CutCase{"ThreeByteCharacterAcrossLimitDropped", "abc\xE3\x81\x82", "abc"},
                      CutCase{"FourByteCharacterAcrossLimitDropped", "ab\xF0\x9F\x98\x80", "ab"},
                      CutCase{"InvalidBytesCountSingly", "abcd\xFF\xFE", "abcd\xFF"},
                      CutCase{"TruncatedSequenceCountsSingly", "abcd\xE3\x81", "abcd\xE3"},
                      CutCase{"OverlongFormCountsSingly", "abcd\xC0\x80", "abcd\xC0"},
                      CutCase{"SurrogateCountsSingly", "abc\xED\xA0\x80", "abc\xED\xA0"}),
    test::RowName());

TEST(IniReadLongValue, IsCutTo2047BytesWithoutSplittingACharacter) {
    std::string kana;
    for (int i = 0; i < 350000; ++i) kana += "\xE3\x81\x82";  // "あ", about 1 MB
    const IniDocument doc =
        IniDocument::Parse("[SVG]\r\nA=" + kana + "\r\nB=\"x" + kana + "\"\r\nC=after\r\n");
    EXPECT_EQ(doc.Read("SVG", "A"), kana.substr(0, 2046));
    EXPECT_EQ(doc.Read("SVG", "B"), "x" + kana.substr(0, 2046));
    EXPECT_EQ(doc.Read("SVG", "C"), "after");
}

// ---- Writing ----

struct WriteCase {
    const char* name;
    std::string before;
    const char* key;
    std::string after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, SetsTheKeyAndKeepsEveryOtherLine) {
    IniDocument doc = IniDocument::Parse(GetParam().before);
    doc.Write("SVG", GetParam().key, "9");
    EXPECT_EQ(doc.Serialize(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    ::testing::Values(
        WriteCase{"EmptyDocumentGetsSection", "", "A", "[SVG]\r\nA=9\r\n"},
        WriteCase{"ReplacesInPlace", "[SVG]\r\nA=1\r\nB=2\r\n", "A", "[SVG]\r\nA=9\r\nB=2\r\n"},
        WriteCase{"ReplacesFirstOfTwo", "[SVG]\nA=1\nA=2\n", "A", "[SVG]\r\nA=9\r\nA=2\r\n"},
        WriteCase{"ReplacesKeyOfOtherCaseWithGivenName", "[svg]\n  a = 1 \n", "A",
                  "[svg]\r\nA=9\r\n"},
        WriteCase{"AppendsAfterLastKeyOfSection", "[SVG]\nA=1\n\n; next\n[Other]\nB=1\n", "B",
                  "[SVG]\r\nA=1\r\nB=9\r\n\r\n; next\r\n[Other]\r\nB=1\r\n"},
        WriteCase{"AppendsAfterHeaderOfSectionWithoutKeys", "[SVG]\n\n[Other]\n", "B",
                  "[SVG]\r\nB=9\r\n\r\n[Other]\r\n"},
        WriteCase{"CreatesSectionAtEnd", "; head\n[Other]\nA=1", "A",
                  "; head\r\n[Other]\r\nA=1\r\n[SVG]\r\nA=9\r\n"},
        WriteCase{"KeyBeforeAnySectionUntouched", "A=1\n", "A", "A=1\r\n[SVG]\r\nA=9\r\n"},
        WriteCase{"SecondEqualSectionUntouched", "[SVG]\nA=1\n[SVG]\nB=1\n", "B",
                  "[SVG]\r\nA=1\r\nB=9\r\n[SVG]\r\nB=1\r\n"},
        WriteCase{"CommentsAndJunkKept", "[SVG]\n;A=1\n#c\njunk\n=0\nA=1\n", "A",
                  "[SVG]\r\n;A=1\r\n#c\r\njunk\r\n=0\r\nA=9\r\n"},
        WriteCase{"LoneCrFileGetsCrLf", "[SVG]\rA=1\r", "B", "[SVG]\r\nA=1\r\nB=9\r\n"},
        WriteCase{"ByteOrderMarkKeptOnce", "\xEF\xBB\xBF[SVG]\nA=1\n", "A",
                  "\xEF\xBB\xBF[SVG]\r\nA=9\r\n"}),
    test::RowName());

// A value that reading would change is quoted; a line break never reaches the
// file, so no value can add a line or a section.
struct ValueCase {
    const char* name;
    std::string value;
    std::string line;
    std::string readBack;
};

class IniWriteValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(IniWriteValue, TakesOneLineAndReadsBack) {
    const ValueCase& c = GetParam();
    IniDocument doc;
    doc.Write("SVG", "A", c.value);
    EXPECT_EQ(doc.Serialize(), "[SVG]\r\n" + c.line + "\r\n");
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Read("SVG", "A"), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteValue,
    ::testing::Values(
        ValueCase{"Plain", "/opt/polygrav", "A=/opt/polygrav", "/opt/polygrav"},
        ValueCase{"Empty", "", "A=", ""},
        ValueCase{"LeadingBlankQuoted", " 16", "A=\" 16\"", " 16"},
        ValueCase{"TrailingTabQuoted", "16\t", "A=\"16\t\"", "16\t"},
        ValueCase{"BlanksOnlyQuoted", "  ", "A=\"  \"", "  "},
        ValueCase{"QuotedPairQuotedAgain", "\"x\"", "A=\"\"x\"\"", "\"x\""},
        ValueCase{"LoneQuoteAsIs", "\"", "A=\"", "\""},
        ValueCase{"InnerQuoteAsIs", "a\"b", "A=a\"b", "a\"b"},
        ValueCase{"EqualsSemicolonBracketAsIs", "a=b;[c]", "A=a=b;[c]", "a=b;[c]"},
        ValueCase{"LineFeedBecomesBlank", "/tmp/a\n[Other]", "A=/tmp/a [Other]", "/tmp/a [Other]"},
        ValueCase{"CrLfBecomeTwoBlanks", "a\r\nb", "A=a  b", "a  b"},
        ValueCase{"TrailingLineFeedBecomesQuotedBlank", "/tmp/x\n", "A=\"/tmp/x \"", "/tmp/x "}),
    test::RowName());

// Any bytes at all: parsing, reading and writing never fail, a written key
// reads back, and a serialised document parses to the same text.
TEST(IniRobustness, RandomBytesParseReadWriteAndReparse) {
    std::mt19937 random(20240601);
    const std::string alphabet = "[]=;#\" \t\r\n\0\xEF\xBB\xBF\xE3\x81\x82SVGsvgA"s;
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i) {
            bytes += (random() % 4 == 0) ? static_cast<char>(random() % 256)
                                         : alphabet[random() % alphabet.size()];
        }
        IniDocument doc = IniDocument::Parse(bytes);
        (void)doc.Read("SVG", "A");
        const std::string before = doc.Serialize();
        EXPECT_EQ(IniDocument::Parse(before).Serialize(), before) << "round " << round;

        doc.Write("SVG", "A", "written value");
        const std::string after = doc.Serialize();
        EXPECT_EQ(IniDocument::Parse(after).Read("SVG", "A"), "written value") << "round " << round;
        EXPECT_EQ(IniDocument::Parse(after).Serialize(), after) << "round " << round;
    }
}

}  // namespace
}  // namespace polygrav
