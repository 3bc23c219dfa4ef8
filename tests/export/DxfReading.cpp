#include "tests/export/DxfReading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>

namespace polygrav::test {

std::vector<DxfPair> DxfPairs(const std::string& dxf) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < dxf.size()) {
        const std::size_t end = dxf.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "a line without CR LF at byte " << start;
            break;
        }
        lines.push_back(dxf.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(lines.size() % 2, 0u) << "a code without its value";
    std::vector<DxfPair> pairs;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string& code = lines[i];
        const std::size_t first = code.find_first_not_of(' ');
        int value = 0;
        const auto [end, ec] = std::from_chars(code.data() + std::min(first, code.size()),
                                               code.data() + code.size(), value);
        EXPECT_TRUE(ec == std::errc{} && end == code.data() + code.size())
            << "group code '" << code << "' on line " << i + 1;
        pairs.emplace_back(value, lines[i + 1]);
    }
    return pairs;
}

std::vector<DxfPair> DxfSection(const std::vector<DxfPair>& pairs, const std::string& name) {
    for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
        if (pairs[i] == DxfPair{0, "SECTION"} && pairs[i + 1] == DxfPair{2, name}) {
            const auto end = std::find(pairs.begin() + static_cast<std::ptrdiff_t>(i), pairs.end(),
                                       DxfPair{0, "ENDSEC"});
            return {pairs.begin() + static_cast<std::ptrdiff_t>(i) + 2, end};
        }
    }
    ADD_FAILURE() << "no section " << name;
    return {};
}

std::size_t CountPair(const std::vector<DxfPair>& pairs, const DxfPair& wanted) {
    return static_cast<std::size_t>(std::count(pairs.begin(), pairs.end(), wanted));
}

}  // namespace polygrav::test
