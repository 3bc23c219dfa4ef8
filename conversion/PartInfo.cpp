#include "conversion/PartInfo.h"

#include "geometry/PartMetrics.h"
#include "geometry/SheetFigure.h"
#include "settings/SettingsFile.h"

namespace polygrav {

std::string PartInfoJson(const TStarSettings& settings, char decimalSeparator) {
    const PartMetrics m = MeasureSettings(settings, decimalSeparator);
    // Numbers as the shortest text that reads back exactly, a full stop
    // whatever the locale: valid JSON numbers.
    const auto number = [](double v) { return FormatPartDecimal(v); };
    std::string json = "{";
    json += "\"circumradius\": " + number(m.circumradius);
    json += ", \"acrossFlats\": " + number(m.acrossFlats);
    json += ", \"side\": " + number(m.side);
    json += ", \"innerRadius\": " + (m.innerRadius ? number(*m.innerRadius) : std::string("null"));
    json += ", \"width\": " + number(m.width);
    json += ", \"height\": " + number(m.height);
    json += ", \"perimeter\": " + number(m.perimeter);
    json += ", \"area\": " + number(m.area);
    json += ", \"contours\": " + std::to_string(m.contours);
    json += "}";
    return json;
}

std::string PartInfoJson(const DocumentSettings& settings, char decimalSeparator) {
    std::string json = PartInfoJson(settings.svg, decimalSeparator);
    if (!HasSheet(settings.Sheet)) return json;
    const SheetReadouts r = BuildSheetFigure(settings.svg, decimalSeparator,
                                             SheetRequestOf(settings.Sheet), settings.Sheet.Outline)
                                .readouts;
    constexpr const char* kNames[] = {"densest", "grid", "brick"};
    json.pop_back();
    json += ", \"parts\": " + std::to_string(r.parts);
    json += ", \"density\": " + FormatPartDecimal(r.density);
    json += ", \"utilisation\": " + FormatPartDecimal(r.utilisation);
    json += ", \"arrangement\": \"" + std::string(kNames[static_cast<int>(r.arrangement)]) + "\"";
    json += "}";
    return json;
}

}  // namespace polygrav
