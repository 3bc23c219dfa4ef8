#include "model/PathRules.h"

#include <gtest/gtest.h>

namespace polygrav {
namespace {

TEST(PathRulesTest, FolderOfAPath) {
    EXPECT_EQ(ExtractFileDir("/data/star.svg"), "/data");
    EXPECT_EQ(ExtractFileDir("/data/sub/star.svg"), "/data/sub");
    EXPECT_EQ(ExtractFileDir("/star.svg"), "/");
    EXPECT_EQ(ExtractFileDir("star.svg"), "");
    EXPECT_EQ(ExtractFileDir("data/"), "data");
}

TEST(PathRulesTest, ExtensionIsTakenFromTheNameOnly) {
    EXPECT_EQ(ExtractFileExt("/data/star.pgv"), ".pgv");
    EXPECT_EQ(ExtractFileExt("/data/star.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("/data.d/star"), "");
    EXPECT_EQ(ExtractFileExt("star."), ".");
    EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(PathRulesTest, ChangeFileExtReplacesOrAppends) {
    EXPECT_EQ(ChangeFileExt("/data/star.pgv", ".svg"), "/data/star.svg");
    EXPECT_EQ(ChangeFileExt("/data.d/star", ".svg"), "/data.d/star.svg");
    EXPECT_EQ(ChangeFileExt("/usr/bin/polygrav", ".ini"), "/usr/bin/polygrav.ini");
    EXPECT_EQ(ChangeFileExt("a.b.c", ".ini"), "a.b.ini");
}

TEST(PathRulesTest, ApplicationTitle) {
    EXPECT_EQ(ApplicationTitle("/usr/bin/polygrav"), "polygrav");
    EXPECT_EQ(ApplicationTitle("/x/POLY.GRAV.exe"), "Poly");
    EXPECT_EQ(ApplicationTitle("PolyGrav"), "Polygrav");
    EXPECT_EQ(ApplicationTitle("/x.d/.hidden"), "");
}

}  // namespace
}  // namespace polygrav
