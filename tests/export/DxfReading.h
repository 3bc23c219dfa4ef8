#pragma once

#include <string>
#include <utility>
#include <vector>

namespace polygrav::test {

// A DXF text as its pairs of group code and value. Fails the running test
// when a line does not end in CR LF, a code is not an integer or a value is
// missing.
using DxfPair = std::pair<int, std::string>;
std::vector<DxfPair> DxfPairs(const std::string& dxf);

// The pairs of one section, from its "2 <name>" to before its ENDSEC.
std::vector<DxfPair> DxfSection(const std::vector<DxfPair>& pairs, const std::string& name);

// How many times the pair occurs.
std::size_t CountPair(const std::vector<DxfPair>& pairs, const DxfPair& wanted);

}  // namespace polygrav::test
