#include "tests/export/SampleFigures.h"

namespace polygrav::test {

namespace {

Figure InFrameOf(double R) {
    Figure f;
    f.margin = 10;
    f.frameSide = 2 * R;
    f.documentSide = 2 * R + 20;
    f.fillColor = 0x0000A5FF;  // orange
    f.strokeColor = 0x00800000;
    f.strokeWidth = 60;
    return f;
}

}  // namespace

Figure RoundedFigure() {
    Figure f = InFrameOf(20);
    f.contours = {{
        {{10, 4}, -1.0 / 3},  // chord 6
        {{16, 4}, 0},
        {{30, 10}, 0.5},  // chord 8
        {{30, 18}, 0},
        {{30, 28}, 1},  // half circle, chord 10
        {{20, 28}, 0},
        {{4, 28}, 2},  // longer than half, chord 8
        {{4, 20}, 0},
        {{10, 10}, -3},  // longer than half, chord 6, back to the first corner
    }};
    return f;
}

Figure RingFigure() {
    Figure f = InFrameOf(20);
    f.evenOddRule = true;
    f.contours = {
        {{{20, 0}, 1}, {{20, 40}, 1}},
        {{{20, 10}, -1}, {{20, 30}, -1}},
    };
    return f;
}

}  // namespace polygrav::test
