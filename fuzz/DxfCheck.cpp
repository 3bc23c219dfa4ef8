#include "fuzz/DxfCheck.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace polygrav::fuzz {

namespace {

struct Pair {
    int code = 0;
    std::string_view value;
};

// The pairs, or nothing when a line lacks CR LF or a code is not an integer.
bool SplitPairs(std::string_view dxf, std::vector<Pair>& pairs) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < dxf.size()) {
        const std::size_t end = dxf.find("\r\n", start);
        if (end == std::string_view::npos) return false;
        lines.push_back(dxf.substr(start, end - start));
        start = end + 2;
    }
    if (lines.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        std::string_view code = lines[i];
        while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
        int value = -1;
        const auto [end, ec] = std::from_chars(code.data(), code.data() + code.size(), value);
        if (ec != std::errc{} || end != code.data() + code.size() || value < 0 || value > 1071) {
            return false;
        }
        pairs.push_back({value, lines[i + 1]});
    }
    return true;
}

bool IsFiniteNumber(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
}

bool IsCoordinate(int code) {
    return (code >= 10 && code <= 39) || code == 42;
}

}  // namespace

DxfShape ReadDxfShape(std::string_view dxf) {
    DxfShape shape;
    std::vector<Pair> pairs;
    if (!SplitPairs(dxf, pairs) || pairs.empty()) return shape;
    if (pairs.back().code != 0 || pairs.back().value != "EOF") return shape;

    bool inSection = false;
    bool inTable = false;
    bool sawEntities = false;
    bool closed = true;
    std::string_view section;
    for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
        const Pair& p = pairs[i];
        if (IsCoordinate(p.code) && !IsFiniteNumber(p.value)) return shape;
        if (p.code != 0) continue;
        const std::string_view type = p.value;
        if (type == "EOF") return shape;  // only as the last pair
        if (type == "SECTION") {
            if (inSection || pairs[i + 1].code != 2) return shape;
            inSection = true;
            section = pairs[i + 1].value;
            sawEntities = sawEntities || section == "ENTITIES";
        } else if (type == "ENDSEC") {
            if (!inSection || inTable) return shape;
            inSection = false;
        } else if (!inSection) {
            return shape;
        } else if (type == "TABLE") {
            if (inTable || section != "TABLES") return shape;
            inTable = true;
        } else if (type == "ENDTAB") {
            if (!inTable) return shape;
            inTable = false;
        } else if (type == "POLYLINE" || type == "LWPOLYLINE") {
            ++shape.polylines;
            // The entity's own groups run to the next pair of code 0.
            std::size_t end = i + 1;
            int flags = 0;
            long declared = -1;
            long points = 0;
            for (; end < pairs.size() && pairs[end].code != 0; ++end) {
                const Pair& g = pairs[end];
                if (g.code == 70)
                    std::from_chars(g.value.data(), g.value.data() + g.value.size(), flags);
                if (g.code == 90) {
                    std::from_chars(g.value.data(), g.value.data() + g.value.size(), declared);
                }
                if (g.code == 10) ++points;
            }
            closed = closed && (flags & 1) != 0;
            if (type == "LWPOLYLINE") {
                if (declared != points || points == 0) return shape;
            } else {
                // VERTEX entities, at least one, then SEQEND.
                std::size_t vertices = 0;
                for (std::size_t k = end; k < pairs.size(); ++k) {
                    if (pairs[k].code != 0) continue;
                    if (pairs[k].value == "VERTEX") {
                        ++vertices;
                        continue;
                    }
                    if (pairs[k].value != "SEQEND" || vertices == 0) return shape;
                    break;
                }
            }
        }
    }
    if (inSection || !sawEntities) return shape;
    shape.wellFormed = true;
    shape.allClosed = closed;
    return shape;
}

}  // namespace polygrav::fuzz
