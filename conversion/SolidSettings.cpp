#include "conversion/SolidSettings.h"

#include "geometry/Solid.h"
#include "model/Blanks.h"
#include "model/Errors.h"
#include "model/NumberRules.h"
#include "settings/SettingsFile.h"

namespace polygrav {

namespace {

constexpr std::string_view kPrefix = "Solid.";
constexpr double kPlaDensity = 1.24;  // g/cm³

// Sets the parameter of key (one of kSolidKeys) from its text.
void Apply(SolidParameters& p, std::string_view key, const std::string& text, char separator) {
    if (EqualIgnoringAsciiCase(key, "Cutter")) {
        const auto value = TryStrToInt(TrimBlanks(text));
        if (!value) throw EConvertError(NotAnIntegerMessage(text));
        if (*value != 0 && *value != 1) {
            throw EPartError(SettingOutOfRangeMessage("Cutter", *value, 0, 1));
        }
        p.cutter = *value == 1;
        return;
    }
    const auto value = TryStrToFloat(TrimBlanks(text), separator);
    if (!value) throw EConvertError(NotAFloatMessage(text));
    double* const fields[] = {&p.thickness, nullptr,         &p.wall,     &p.height,
                              &p.flange,    &p.holeDiameter, &p.holeInset};
    for (std::size_t i = 0; i < std::size(kSolidKeys); ++i) {
        if (fields[i] && EqualIgnoringAsciiCase(key, kSolidKeys[i])) *fields[i] = *value;
    }
}

// The key of [Solid] that name spells, in its own spelling; empty if none.
std::string_view SolidKeyOf(std::string_view name) {
    for (const char* key : kSolidKeys) {
        if (EqualIgnoringAsciiCase(name, key)) return key;
    }
    return {};
}

}  // namespace

bool IsSolidSettingsKey(std::string_view key) {
    return key.size() > kPrefix.size() &&
           EqualIgnoringAsciiCase(key.substr(0, kPrefix.size()), kPrefix) &&
           !SolidKeyOf(key.substr(kPrefix.size())).empty();
}

SolidSettings ReadSolidSettings(const IniDocument& document,
                                const std::vector<std::string>& extraLines, char decimalSeparator) {
    SolidSettings settings;
    for (const char* key : kSolidKeys) {
        if (const auto text = document.Read(kSolidSection, key)) {
            Apply(settings.parameters, key, *text, decimalSeparator);
            settings.present = true;
        }
    }
    for (const std::string& line : extraLines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view key = TrimBlanks(std::string_view(line).substr(0, equals));
        if (!IsSolidSettingsKey(key)) continue;
        Apply(settings.parameters, SolidKeyOf(key.substr(kPrefix.size())), line.substr(equals + 1),
              decimalSeparator);
        settings.present = true;
    }
    return settings;
}

std::string SolidInfoFields(const Figure& figure, const SolidParameters& p) {
    const double volume = MeshVolume(BuildSolidMesh(SolidOutlinesOf(figure, p), p));
    // mm³ to cm³, times the density.
    return ", \"volume\": " + FormatPartDecimal(volume) +
           ", \"weight\": " + FormatPartDecimal(volume / 1000 * kPlaDensity);
}

}  // namespace polygrav
