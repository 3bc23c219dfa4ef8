#include "geometry/SheetFigure.h"

#include <cmath>

#include "geometry/ContourMeasures.h"
#include "geometry/PartGeometry.h"
#include "model/Errors.h"
#include "model/SettingsKeys.h"

namespace polygrav {

SheetFigure BuildSheetFigure(const TStarSettings& settings, char decimalSeparator,
                             const SheetRequest& request, bool edge) {
    CheckSheetRequest(request);
    // The single figure gives the style and raises the part's errors first.
    Figure figure = BuildFigure(settings, decimalSeparator);
    PartParameters p = PartParametersOfSettings(settings, decimalSeparator);
    p.part.CutOutline = true;
    const PartContours part = BuildPartContours(p);
    const double R = part.circumradius;
    const TStarPoint centre{R, R};

    SheetPart sheetPart;
    sheetPart.grown = PartRegion(part.contours, centre, request.gap / 2);
    const Bounds box = BoundsOf(part.contours);
    sheetPart.minX = box.minX - R;
    sheetPart.minY = box.minY - R;
    sheetPart.maxX = box.maxX - R;
    sheetPart.maxY = box.maxY - R;
    const SheetLayout layout = LayOutSheet(
        request, sheetPart, CandidatePatterns(sheetPart.grown, request.arrangement, request.turn));

    figure.contours.clear();
    figure.contours.reserve(layout.parts.size() * part.contours.size());
    for (const PlacedPart& placed : layout.parts) {
        for (Contour contour : part.contours) {
            // Turns keep the sense of every arc, so bulges stay as they are.
            for (ContourVertex& v : contour) v.at = placed.Place({v.at.X - R, v.at.Y - R});
            figure.contours.push_back(std::move(contour));
        }
    }
    figure.margin = 0;
    figure.frameSide = std::max(request.width, request.height);
    figure.documentSide = request.width;
    figure.documentHeight = request.height;
    figure.sheetEdge = edge;
    figure.designFigure = false;

    double area = 0;
    for (const Contour& c : part.contours) area += SignedArea(c);
    area = std::fabs(area);
    SheetFigure sheet{std::move(figure), {}};
    sheet.readouts.parts = static_cast<long long>(layout.parts.size());
    sheet.readouts.density = layout.pattern.Density(area);
    sheet.readouts.utilisation =
        area * static_cast<double>(layout.parts.size()) / (request.width * request.height);
    sheet.readouts.arrangement = request.arrangement;
    return sheet;
}

bool HasSheet(const SheetSettings& sheet) {
    return sheet.Width != 0 || sheet.Height != 0;
}

SheetRequest SheetRequestOf(const SheetSettings& sheet) {
    const SettingsKeyInfo& info = KeyInfo(SettingsKey::Arrangement);
    const int low = static_cast<int>(info.minimum);
    const int high = static_cast<int>(info.maximum);
    if (sheet.Arrangement < low || sheet.Arrangement > high) {
        throw EPartError(SettingOutOfRangeMessage(info.name, sheet.Arrangement, low, high));
    }
    return SheetRequest{.width = sheet.Width,
                        .height = sheet.Height,
                        .margin = sheet.Margin,
                        .gap = sheet.Gap,
                        .count = sheet.Count,
                        .arrangement = static_cast<Arrangement>(sheet.Arrangement),
                        .turn = sheet.Turn};
}

Figure BuildDocumentFigure(const DocumentSettings& settings, char decimalSeparator) {
    if (!HasSheet(settings.Sheet)) return BuildFigure(settings.svg, decimalSeparator);
    return BuildSheetFigure(settings.svg, decimalSeparator, SheetRequestOf(settings.Sheet),
                            settings.Sheet.Outline)
        .figure;
}

}  // namespace polygrav
