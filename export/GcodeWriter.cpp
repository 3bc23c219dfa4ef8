#include "export/GcodeWriter.h"

#include <cmath>

#include "export/ArcSegments.h"
#include "export/DxfGroups.h"
#include "export/ExportErrors.h"
#include "export/FigureCheck.h"
#include "export/ToolpathErrors.h"
#include "model/SettingsKeys.h"

namespace polygrav {

namespace {

// Positions carry four decimals: a tenth of a micrometre, well within every
// controller's arc tolerance, and short enough for GRBL's 80-character line.
constexpr int kDecimals = 4;

std::string Number(double value) {
    std::string text = DxfReal(value, kDecimals);
    // Trailing zeros (and a bare full stop) say nothing to a controller.
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

class GcodeProgram {
  public:
    explicit GcodeProgram(const GcodeOptions& options) : options_(options) {}

    void Line(const std::string& line) {
        text_ += line;
        text_ += '\n';
    }

    void Travel(double x, double y) { Line("G0 X" + Number(x) + " Y" + Number(y)); }

    // The cutting moves of one closed contour from its first corner back to
    // it; the feed is named on the first move.
    void Contour(const MachineContour& contour) {
        bool feedNamed = false;
        const auto feed = [&]() {
            if (feedNamed) return std::string();
            feedNamed = true;
            return " F" + Number(options_.feed);
        };
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const MachineVertex& a = contour[i];
            const MachineVertex& b = contour[(i + 1) % contour.size()];
            if (a.bulge == 0 || (a.x == b.x && a.y == b.y)) {
                Line("G1 X" + Number(b.x) + " Y" + Number(b.y) + feed());
            } else if (options_.arcs == GcodeArcs::Segments) {
                for (const MachineVertex& p : ArcChordPoints(a, b, kMaxChordErrorMm)) {
                    Line("G1 X" + Number(p.x) + " Y" + Number(p.y) + feed());
                }
                Line("G1 X" + Number(b.x) + " Y" + Number(b.y) + feed());
            } else {
                // A positive bulge turns counter-clockwise: G3.
                const MachineVertex c = ArcCentre(a, b);
                Line(std::string(a.bulge > 0 ? "G3" : "G2") + " X" + Number(b.x) + " Y" +
                     Number(b.y) + " I" + Number(c.x - a.x) + " J" + Number(c.y - a.y) + feed());
            }
        }
    }

    std::string Take() { return std::move(text_); }

  private:
    const GcodeOptions& options_;
    std::string text_;
};

}  // namespace

void CheckGcodeOptions(const GcodeOptions& o) {
    const auto name = [](SettingsKey key) { return QualifiedKeyName(key); };
    if (!(o.maxPower > 0) || !std::isfinite(o.maxPower))
        throw EExportError(MachineValueNotPositiveMessage(name(SettingsKey::MaxPower), o.maxPower));
    if (!(o.power >= 0 && o.power <= o.maxPower))
        throw EExportError(
            MachineValueOutOfRangeMessage(name(SettingsKey::Power), o.power, 0, o.maxPower));
    if (!(o.feed > 0) || !std::isfinite(o.feed))
        throw EExportError(MachineValueNotPositiveMessage(name(SettingsKey::Feed), o.feed));
    if (o.passes < 1 || o.passes > kMaxPasses)
        throw EExportError(
            MachineValueOutOfRangeMessage(name(SettingsKey::Passes), o.passes, 1, kMaxPasses));
    if (!(o.passDepth >= 0) || !std::isfinite(o.passDepth))
        throw EExportError(MachineValueNegativeMessage(name(SettingsKey::PassDepth), o.passDepth));
    if (!(o.safeZ >= 0) || !std::isfinite(o.safeZ))
        throw EExportError(MachineValueNegativeMessage(name(SettingsKey::SafeZ), o.safeZ));
    if (o.origin != MachineOrigin::BottomLeft && o.origin != MachineOrigin::Centre)
        throw EExportError(MachineValueOutOfRangeMessage(name(SettingsKey::Origin),
                                                         static_cast<int>(o.origin),
                                                         kOriginBottomLeft, kOriginCentre));
}

std::string GcodeProgramOf(const Figure& figure, const GcodeOptions& options) {
    CheckGcodeOptions(options);
    RequireDrawableFigure(figure);
    const bool router = options.passDepth > 0;
    GcodeProgram program(options);
    program.Line("G21 G90");
    if (router) {
        program.Line("G0 Z" + Number(options.safeZ));
        program.Line("M3 S" + Number(options.power));
    } else {
        program.Line("M5");
    }
    const std::string beamOn =
        std::string(options.laserMode ? "M4" : "M3") + " S" + Number(options.power);
    for (const MachineContour& contour : MachineContoursOf(figure, options.origin)) {
        program.Travel(contour.front().x, contour.front().y);
        if (!router) program.Line(beamOn);
        for (int pass = 1; pass <= options.passes; ++pass) {
            if (router) {
                program.Line("G1 Z" + Number(-pass * options.passDepth) + " F" +
                             Number(options.feed));
            }
            program.Contour(contour);
        }
        program.Line(router ? "G0 Z" + Number(options.safeZ) : std::string("M5"));
    }
    if (router) program.Line("M5");
    program.Line("M2");
    return program.Take();
}

}  // namespace polygrav
