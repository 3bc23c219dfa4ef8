#include "model/KeyFields.h"

#include <type_traits>
#include <utility>

namespace polygrav {

namespace {

// Calls visit with a pointer to the field of key in settings (const or not,
// as settings is); the folder has no field and calls nothing.
template <class Settings, class Visit>
void VisitField(Settings& settings, SettingsKey key, Visit&& visit) {
    switch (key) {
#define POLYGRAV_FIELD_OF_Design(section, name) &settings.svg.name
#define POLYGRAV_FIELD_OF_Part(section, name) &settings.svg.Part.name
#define POLYGRAV_FIELD_OF_Section(section, name) &settings.section.name
#define POLYGRAV_CASE_Folder(place, section, name) \
    case SettingsKey::name:                        \
        return;
#define POLYGRAV_CASE_VALUE(place, section, name)        \
    case SettingsKey::name:                              \
        visit(POLYGRAV_FIELD_OF_##place(section, name)); \
        return;
#define POLYGRAV_CASE_Text POLYGRAV_CASE_VALUE
#define POLYGRAV_CASE_Integer POLYGRAV_CASE_VALUE
#define POLYGRAV_CASE_Flag POLYGRAV_CASE_VALUE
#define POLYGRAV_CASE_Color POLYGRAV_CASE_VALUE
#define POLYGRAV_CASE_Decimal POLYGRAV_CASE_VALUE
#define POLYGRAV_CASE_OptionalDecimal POLYGRAV_CASE_VALUE
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#define POLYGRAV_KEY(section, place, Struct, name, kind, ...) \
    POLYGRAV_CASE_##kind(place, section, name)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
    }
}

}  // namespace

KeyField FieldOf(DocumentSettings& settings, SettingsKey key) {
    KeyField field;
    VisitField(settings, key, [&field](auto* value) { field = value; });
    return field;
}

KeyValue ValueOf(const DocumentSettings& settings, SettingsKey key) {
    KeyValue value;
    VisitField(settings, key, [&value](const auto* held) { value = *held; });
    return value;
}

void CopyKeyValue(const DocumentSettings& from, DocumentSettings& to, SettingsKey key) {
    VisitField(from, key, [&to, key](const auto* source) {
        VisitField(to, key, [source](auto* target) {
            if constexpr (std::is_same_v<decltype(*source), decltype(std::as_const(*target))>) {
                *target = *source;
            }
        });
    });
}

}  // namespace polygrav
