#include "conversion/PartInfo.h"

#include "conversion/ReadoutNumber.h"
#include "geometry/PartMetrics.h"
#include "settings/SettingsFile.h"

namespace polygrav {

std::string PartInfoJson(const TStarSettings& settings, char decimalSeparator) {
    const PartMetrics m = MeasureSettings(settings, decimalSeparator);
    // Numbers rounded to 1e-9 in their shortest form, a full stop whatever
    // the locale: valid JSON numbers.
    const auto number = [](double v) { return FormatReadoutNumber(v); };
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

}  // namespace polygrav
