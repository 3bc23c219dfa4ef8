#pragma once

// One table of settings files and what loading them at start-up gives: the
// settings the controls end with and the error box that start-up shows. The
// core's settings model and the real window both run it, so that the two
// agree on every row.

#include <optional>
#include <string>
#include <vector>

#include "model/StarSettings.h"

namespace polygrav::test {

struct LoadCase {
    const char* name;
    const char* file;
    TStarSettings expected;
    // The folder after the load; nothing means the program's own folder.
    std::optional<std::string> favoriteDir;
    // The text of the error box, or nothing.
    std::optional<std::string> error;
};

inline const std::vector<LoadCase>& LoadCases() {
    static const std::vector<LoadCase> cases = {
        {"RedrawAfterTheRadiusStopsBeforeTheColour",
         "[SVG]\nEdgeNumber=\nCircumRadius=30\nFillColor=bad\n",
         {.EdgeNumber = "", .CircumRadius = "30"},
         {},
         "'' は整数ではありません."},
        {"BadColourAfterTheShape",
         "[SVG]\nFavoriteDir=/d\nEdgeNumber=8\nCircumRadius=20\nStarType=1\nFillColor=red\n"
         "FillTransparent=1\nView=0\n",
         {.EdgeNumber = "8", .CircumRadius = "20", .StarType = kStarPolygon},
         "/d",
         "'red' は整数ではありません."},
        {"PointCountLimited", "[SVG]\nEdgeNumber=200\n", {.EdgeNumber = "100"}, {}, {}},
        {"RadiusAndPointCountRewritten",
         "[SVG]\nCircumRadius=4.99\nEdgeNumber=abc\n",
         {.EdgeNumber = "5", .CircumRadius = "5"},
         {},
         {}},
        {"HeldBackPointCountFailsAtTheTrackBar",
         "[SVG]\nEdgeNumber=2\nStrokeWidth=100\nView=0\n",
         {.EdgeNumber = "2", .StrokeWidth = 100},
         {},
         "'2' は3以上の整数ではありません."},
        {"StarTypeRedraws",
         "[SVG]\nEdgeNumber=\nStarType=2\nFillTransparent=1\n",
         {.EdgeNumber = "", .StarType = kRegularPolygon},
         {},
         "'' は整数ではありません."},
        {"ClearedStarTypeDoesNotRedraw",
         "[SVG]\nEdgeNumber=\nStarType=-1\nFillColor=clBlue\n",
         {.EdgeNumber = "", .StarType = kNoStarType, .FillColor = 0x00FF0000},
         {},
         "'' は整数ではありません."},
        {"EmptyRadiusFailsAtTheTrackBar",
         "[SVG]\nCircumRadius=\nStrokeWidth=0\nFillRule=1\n",
         {.CircumRadius = "", .StrokeWidth = 0},
         {},
         "'' は浮動小数点数ではありません."},
        {"TransparencyRedraws",
         "[SVG]\nEdgeNumber=0\nFillTransparent=1\nView=0\n",
         {.EdgeNumber = "0", .FillTransparent = true},
         {},
         "'0' は3以上の整数ではありません."},
        {"UnchangedValuesDrawNothing",
         "[SVG]\nEdgeNumber=5\nCircumRadius=\nStarType=0\nFillTransparent=0\nStrokeWidth=50\n"
         "View=0\n",
         {.CircumRadius = "", .View = false},
         {},
         "'' は浮動小数点数ではありません."},
        {"NothingToLoad", "", {}, {}, {}},
        // The part's controls redraw as the design's do.
        {"PartKeyRedrawsWhereTheLoadStops",
         "[SVG]\nEdgeNumber=\nStarStep=3\nRotation=10\n",
         {.EdgeNumber = "", .Part = {.StarStep = 3}},
         {},
         "'' は整数ではありません."},
        {"UnchangedPartValuesDrawNothing",
         "[SVG]\nEdgeNumber=\nStarStep=2\nInnerRatio=\nRotation=-0\nCutOutline=0\n"
         "StrokeWidth=10\n",
         {.EdgeNumber = "", .StrokeWidth = 10},
         {},
         "'' は整数ではありません."},
        {"StarStepOutOfRangeHeldAsRead",
         "[SVG]\nEdgeNumber=7\nStarStep=9\nCornerRadius=1\n",
         {.EdgeNumber = "7", .Part = {.StarStep = 9}},
         {},
         "星のステップ 9 は 2～3 の範囲にありません."},
        {"ChoiceOutOfRangeHeldAsRead",
         "[SVG]\nSizeBy=5\nOffset=1\n",
         {.Part = {.SizeBy = 5}},
         {},
         "SizeBy の値 5 は 0～2 の範囲にありません."},
        {"EveryPartKeyGood",
         "[SVG]\nEdgeNumber=7\nStarStep=3\nInnerRatio=0.4\nRotation=15\nSizeBy=1\n"
         "CornerRadius=0.5\nValleyRadius=0.25\nOffset=1\nOffsetJoin=1\nCutOutline=1\n",
         {.EdgeNumber = "7",
          .Part = {.StarStep = 3,
                   .InnerRatio = 0.4,
                   .Rotation = 15,
                   .SizeBy = kSizeByAcrossFlats,
                   .CornerRadius = 0.5,
                   .ValleyRadius = 0.25,
                   .Offset = 1,
                   .OffsetJoin = kMitreJoin,
                   .CutOutline = true}},
         {},
         {}},
        {"EveryKeyGood",
         "[SVG]\nFavoriteDir=/data\nEdgeNumber=7\nCircumRadius=12.5\nStarType=2\n"
         "FillColor=$00123456\nFillTransparent=1\nStrokeColor=clNavy\nStrokeWidth=1000\nView=0\n"
         "FillRule=1\n",
         {.EdgeNumber = "7",
          .CircumRadius = "12.5",
          .StarType = kRegularPolygon,
          .FillColor = 0x00123456,
          .FillTransparent = true,
          .StrokeColor = 0x00800000,
          .StrokeWidth = 400,
          .View = false,
          .FillRule = true},
         "/data",
         {}},
    };
    return cases;
}

}  // namespace polygrav::test
