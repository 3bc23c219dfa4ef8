#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Color.h"

namespace polygrav {

// The star types of the radio group; -1 means that no item is selected.
inline constexpr int kNoStarType = -1;
inline constexpr int kStarOutline = 0;     // "星１": through outer and inner points
inline constexpr int kStarPolygon = 1;     // "星２": through every second vertex
inline constexpr int kRegularPolygon = 2;  // "正多角形"

inline constexpr int kMinStrokeWidth = 0;
inline constexpr int kMaxStrokeWidth = 400;

// What the radius box gives (SizeBy).
inline constexpr int kSizeByCircumradius = 0;
inline constexpr int kSizeByAcrossFlats = 1;  // of the polygon through the tips
inline constexpr int kSizeBySide = 2;         // of the polygon through the tips

// How an offset outline joins its edges (OffsetJoin).
inline constexpr int kRoundJoin = 0;
inline constexpr int kMitreJoin = 1;

// A key without a limit of its own on that side (SettingsKeys.def).
inline constexpr double kNoLimit = 0x1p1023;

// The C++ type of each kind of key.
#define POLYGRAV_FIELD_Folder(name, value)
#define POLYGRAV_FIELD_Text(name, value) std::string name = value;
#define POLYGRAV_FIELD_Integer(name, value) std::int32_t name = value;
#define POLYGRAV_FIELD_Flag(name, value) bool name = value;
#define POLYGRAV_FIELD_Color(name, value) TColor name = value;
#define POLYGRAV_FIELD_Decimal(name, value) double name = value;
#define POLYGRAV_FIELD_OptionalDecimal(name, value) std::optional<double> name = value;

// One struct of values per block of the key table, each field a key with its
// default. At their defaults the figure is the design's, byte for byte.
// Values are kept as read; their ranges are checked when the figure is
// built. The blocks of the part and of further sections come first, so that
// TStarSettings, made from the design's block, can hold the part.
#define POLYGRAV_OPEN_Design(Struct)
#define POLYGRAV_OPEN_Part(Struct) struct Struct {
#define POLYGRAV_OPEN_Section(Struct) struct Struct {
#define POLYGRAV_CLOSE_Design(Struct)
#define POLYGRAV_CLOSE_Part(Struct) POLYGRAV_CLOSE_STRUCT(Struct)
#define POLYGRAV_CLOSE_Section(Struct) POLYGRAV_CLOSE_STRUCT(Struct)
#define POLYGRAV_CLOSE_STRUCT(Struct)               \
    bool operator==(const Struct&) const = default; \
    bool IsDefault() const {                        \
        return *this == Struct{};                   \
    }                                               \
    }                                               \
    ;
#define POLYGRAV_OWN_FIELD_Design(kind, name, value)
#define POLYGRAV_OWN_FIELD_Part(kind, name, value) POLYGRAV_FIELD_##kind(name, value)
#define POLYGRAV_OWN_FIELD_Section(kind, name, value) POLYGRAV_FIELD_##kind(name, value)
#define POLYGRAV_BLOCK_BEGIN(Struct, section, place) POLYGRAV_OPEN_##place(Struct)
#define POLYGRAV_KEY(section, place, Struct, name, kind, value, ...) \
    POLYGRAV_OWN_FIELD_##place(kind, name, value)
#define POLYGRAV_BLOCK_END(Struct, place) POLYGRAV_CLOSE_##place(Struct)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY

// A snapshot of the settings of section [SVG] as the window's controls hold
// them: the design's keys, and the keys of the figure as a part. The point
// count and the radius stay the texts of their edit boxes; they are
// converted anew by every operation that needs them.
struct TStarSettings {
#define POLYGRAV_DESIGN_FIELD_Design(kind, name, value) POLYGRAV_FIELD_##kind(name, value)
#define POLYGRAV_DESIGN_FIELD_Part(kind, name, value)
#define POLYGRAV_DESIGN_FIELD_Section(kind, name, value)
#define POLYGRAV_KEY(section, place, Struct, name, kind, value, ...) \
    POLYGRAV_DESIGN_FIELD_##place(kind, name, value)
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
#define POLYGRAV_BLOCK_BEGIN(...)
#define POLYGRAV_BLOCK_END(...)
#include "model/SettingsKeys.def"
#undef POLYGRAV_KEY
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_BLOCK_END
    // The keys of the figure as a part.
    PartSettings Part{};

    bool operator==(const TStarSettings&) const = default;
};

// The settings of a document: section [SVG], and one struct per further
// section of the key table, a member named after its section.
struct DocumentSettings {
    TStarSettings svg;
#define POLYGRAV_MEMBER_Design(section, Struct)
#define POLYGRAV_MEMBER_Part(section, Struct)
#define POLYGRAV_MEMBER_Section(section, Struct) Struct section{};
#define POLYGRAV_BLOCK_BEGIN(Struct, section, place) POLYGRAV_MEMBER_##place(section, Struct)
#define POLYGRAV_KEY(...)
#define POLYGRAV_BLOCK_END(...)
#include "model/SettingsKeys.def"
#undef POLYGRAV_BLOCK_BEGIN
#undef POLYGRAV_KEY
#undef POLYGRAV_BLOCK_END

    bool operator==(const DocumentSettings&) const = default;
};

}  // namespace polygrav
