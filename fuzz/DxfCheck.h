#pragma once

#include <cstddef>
#include <string_view>

namespace polygrav::fuzz {

// What a small reader of group codes finds in a DXF text.
struct DxfShape {
    bool wellFormed = false;    // the structure below holds
    std::size_t polylines = 0;  // POLYLINE and LWPOLYLINE entities
    bool allClosed = false;     // every one has bit 1 of its group 70
};

// Reads the text as pairs of lines (code, value), each ended by CR LF, and
// checks the structure that DXF readers rely on: every code is an integer
// from 0 to 1071; sections do not nest, each starts with "0 SECTION",
// "2 <name>" and ends with "0 ENDSEC"; tables likewise with TABLE and
// ENDTAB; an ENTITIES section is present; "0 EOF" is the last pair; every
// POLYLINE is followed by at least one VERTEX and then a SEQEND; every
// LWPOLYLINE has as many 10 groups as its group 90 says; every coordinate
// (codes 10 to 39) and bulge (42) is a finite number.
DxfShape ReadDxfShape(std::string_view dxf);

}  // namespace polygrav::fuzz
