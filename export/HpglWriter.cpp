#include "export/HpglWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "export/ArcSegments.h"
#include "export/DxfGroups.h"
#include "export/ExportErrors.h"
#include "export/FigureCheck.h"
#include "export/Toolpath.h"
#include "export/ToolpathErrors.h"
#include "model/SettingsKeys.h"

namespace polygrav {

namespace {

// Points of one PD instruction: short enough for a cutter's input buffer.
constexpr std::size_t kPointsPerInstruction = 32;

struct MmPoint {
    double x = 0;
    double y = 0;
};

struct PlotterPoint {
    long long x = 0;
    long long y = 0;
    bool operator==(const PlotterPoint&) const = default;
};

// The contour as straight edges in mm, closed back to its first corner.
std::vector<MmPoint> ChordsOf(const MachineContour& contour) {
    std::vector<MmPoint> points;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const MachineVertex& a = contour[i];
        points.push_back({a.x, a.y});
        for (const MachineVertex& p :
             ArcChordPoints(a, contour[(i + 1) % contour.size()], kMaxChordErrorMm)) {
            points.push_back({p.x, p.y});
        }
    }
    points.push_back(points.front());
    return points;
}

double LengthOf(const std::vector<MmPoint>& path) {
    double length = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        length += std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
    }
    return length;
}

// The path from its start on for `length` mm along it (the path is closed
// and at least that long).
std::vector<MmPoint> Overcut(const std::vector<MmPoint>& path, double length) {
    std::vector<MmPoint> points;
    for (std::size_t i = 1; i < path.size() && length > 0; ++i) {
        const MmPoint& a = path[i - 1];
        const MmPoint& b = path[i];
        const double edge = std::hypot(b.x - a.x, b.y - a.y);
        if (edge >= length) {
            const double t = length / edge;
            points.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
            break;
        }
        points.push_back(b);
        length -= edge;
    }
    return points;
}

PlotterPoint ToUnits(const MmPoint& p) {
    return {std::llround(p.x * kHpglUnitsPerMm), std::llround(p.y * kHpglUnitsPerMm)};
}

std::string PointText(const PlotterPoint& p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

}  // namespace

void CheckHpglOptions(const HpglOptions& o) {
    if (!(o.overcut >= 0) || !std::isfinite(o.overcut))
        throw EExportError(
            MachineValueNegativeMessage(QualifiedKeyName(SettingsKey::Overcut), o.overcut));
    if (o.speed && (!(*o.speed > 0) || !std::isfinite(*o.speed)))
        throw EExportError(
            MachineValueNotPositiveMessage(QualifiedKeyName(SettingsKey::Speed), *o.speed));
}

std::string HpglFileOf(const Figure& figure, const HpglOptions& options) {
    CheckHpglOptions(options);
    RequireDrawableFigure(figure);
    std::vector<std::vector<MmPoint>> paths;
    double shortest = std::numeric_limits<double>::infinity();
    for (const MachineContour& contour :
         MachineContoursOf(figure, MachineOrigin::BottomLeft, options.mirror)) {
        paths.push_back(ChordsOf(contour));
        shortest = std::min(shortest, LengthOf(paths.back()));
    }
    if (options.overcut > 0 && options.overcut > shortest)
        throw EExportError(OvercutTooLongMessage(QualifiedKeyName(SettingsKey::Overcut),
                                                 options.overcut, shortest));

    std::string text = "IN;\nSP1;\n";
    if (options.speed) {
        std::string speed = DxfReal(*options.speed, 2);
        while (speed.back() == '0') speed.pop_back();
        if (speed.back() == '.') speed.pop_back();
        text += "VS" + speed + ";\n";
    }
    for (const std::vector<MmPoint>& path : paths) {
        std::vector<PlotterPoint> units;
        const auto add = [&units](const MmPoint& p) {
            const PlotterPoint u = ToUnits(p);
            if (units.empty() || !(units.back() == u)) units.push_back(u);
        };
        // The closing corner is the first one rounded again, so the
        // contour ends exactly where it began.
        for (const MmPoint& p : path) add(p);
        for (const MmPoint& p : Overcut(path, options.overcut)) add(p);
        text += "PU" + PointText(units.front()) + ";\n";
        for (std::size_t i = 1; i < units.size(); i += kPointsPerInstruction) {
            text += "PD";
            const std::size_t end = std::min(units.size(), i + kPointsPerInstruction);
            for (std::size_t k = i; k < end; ++k) {
                if (k > i) text += ',';
                text += PointText(units[k]);
            }
            text += ";\n";
        }
    }
    text += "PU;\nSP0;\n";
    return text;
}

}  // namespace polygrav
