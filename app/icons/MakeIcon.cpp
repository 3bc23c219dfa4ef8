// Writes the star of the window icon to standard output: a five-pointed
// star, yellow with a dark outline, drawn by the program's own SVG writer.

#include <cstdio>
#include <string>

#include "model/Color.h"
#include "model/StarSettings.h"
#include "svg/SvgDocument.h"

int main() {
    using namespace polygrav;
    TStarSettings star;
    star.EdgeNumber = "5";
    star.CircumRadius = "50";
    star.StarType = kStarOutline;
    star.FillColor = clYellow;
    star.StrokeColor = 0x00402020;  // dark navy
    star.StrokeWidth = 400;
    const std::string svg = BuildSvgDocument(star, '.');
    std::fwrite(svg.data(), 1, svg.size(), stdout);
    return 0;
}
