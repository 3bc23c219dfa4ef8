#pragma once

#include <string_view>

namespace polygrav::fuzz {

// True when text is a well-formed XML document of the kind the SVG writer
// produces: an XML declaration, then one root element with quoted attributes,
// empty or nested child elements and only white space between tags.
bool IsWellFormedXml(std::string_view text);

}  // namespace polygrav::fuzz
