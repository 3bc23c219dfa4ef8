// Fuzzes the part's geometry over random parameters: every part that is
// built has closed contours of finite points inside the frame grown by the
// offset (by the longest mitre that is allowed, a thousand offsets, when the
// joins are mitred); a cut outline never crosses itself; fillets have their radius; an
// exact offset agrees with Clipper's offset of fine polylines. Parameters
// that cannot be built raise EPartError and nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "geometry/Arc.h"
#include "geometry/ContourMeasures.h"
#include "geometry/Crossings.h"
#include "geometry/PartGeometry.h"
#include "geometry/PartMetrics.h"
#include "geometry/PolylineOffset.h"
#include "model/Errors.h"

using namespace polygrav;

namespace {

// Reads the input a field at a time; past its end every field is 0.
class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned Byte() { return at_ < size_ ? data_[at_++] : 0; }
    unsigned Word() { return Byte() | Byte() << 8; }
    double Unit() { return Word() / 65535.0; }  // 0 to 1

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

PartParameters ParametersOf(Reader& in) {
    PartParameters p;
    p.n = 3 + static_cast<int>(in.Byte() % 98);
    p.starType = static_cast<int>(in.Byte() % 4) - 1;
    p.part.StarStep = 1 + static_cast<int>(in.Byte() % 50);
    p.part.SizeBy = static_cast<int>(in.Byte() % 3);
    const unsigned flags = in.Byte();
    p.size = flags & 1 ? -in.Unit() : 0.5 + in.Unit() * 150;
    if (const unsigned ratio = in.Byte(); ratio != 0) p.part.InnerRatio = (ratio - 1) / 200.0;
    p.part.Rotation = (static_cast<double>(in.Word()) - 32768) / 50;
    p.part.CornerRadius = flags & 2 ? in.Unit() * 8 : 0;
    p.part.ValleyRadius = flags & 4 ? in.Unit() * 8 : 0;
    p.part.Offset = flags & 8 ? (in.Unit() - 0.5) * 10 : 0;
    p.part.OffsetJoin = static_cast<int>(flags & 16 ? OffsetJoin::Mitre : OffsetJoin::Round);
    p.part.CutOutline = flags & 32;
    p.evenOdd = flags & 64;
    return p;
}

void CheckContours(const PartParameters& p, const PartContours& part) {
    FUZZ_CHECK(!part.contours.empty());
    const double R = part.circumradius;
    const double reach = p.offsetJoin() == OffsetJoin::Mitre ? 1000 : 1;
    // Clipper's integer grid may move a point of a polyline offset by
    // 0.000007 mm.
    const double grown = std::fmax(p.part.Offset, 0.0) * reach + 2e-5;
    for (const Contour& c : part.contours) {
        FUZZ_CHECK(c.size() >= 2);
        for (const ContourVertex& v : c) {
            FUZZ_CHECK(std::isfinite(v.at.X) && std::isfinite(v.at.Y) && std::isfinite(v.bulge));
        }
    }
    FUZZ_CHECK(part.bounds.minX >= -grown && part.bounds.minY >= -grown);
    FUZZ_CHECK(part.bounds.maxX <= 2 * R + grown && part.bounds.maxY <= 2 * R + grown);
    if (!part.boundary) return;

    std::vector<PointRing> rings;
    for (const Contour& c : part.contours) {
        FUZZ_CHECK(c.size() >= 3 || c.front().bulge != 0);
        rings.push_back(Flattened(c, 1e-4));
    }
    FUZZ_CHECK(!RingsCross(rings));

    // Without an offset every arc is a fillet of one of the two radii.
    if (p.part.Offset == 0) {
        for (const Contour& c : part.contours) {
            for (std::size_t i = 0; i < c.size(); ++i) {
                if (c[i].bulge == 0) continue;
                const double r = ArcOfBulge(c[i].at, c[(i + 1) % c.size()].at, c[i].bulge).radius;
                FUZZ_CHECK(std::fabs(r - p.part.CornerRadius) < 1e-6 ||
                           std::fabs(r - p.part.ValleyRadius) < 1e-6);
            }
        }
    }
}

// The offset describes the region that Clipper's offset of the same
// contours as fine polylines describes. Only for small parts: Clipper's
// offset of a hundred filleted tips takes tens of milliseconds.
void CheckOffsetAgainstPolylines(const PartParameters& p, const PartContours& part) {
    if (p.part.Offset == 0 || p.n > 24) return;
    PartParameters before = p;
    before.part.Offset = 0;
    before.part.CutOutline = true;
    std::vector<Contour> sources;
    for (const Contour& c : BuildPartContours(before).contours) sources.push_back(Reversed(c));
    const auto polyline = PolylineOffset(sources, p.part.Offset, p.offsetJoin());
    FUZZ_CHECK(polyline.size() == part.contours.size());
    double area = 0;
    double length = 0;
    for (const Contour& c : part.contours) {
        area -= SignedArea(c);
        length += ContourLength(c);
    }
    double polylineArea = 0;
    for (const PointRing& ring : polyline) polylineArea += SignedArea(ContourOf(ring));
    FUZZ_CHECK(std::fabs(area - polylineArea) <= 0.001 * length + 1e-6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const PartParameters p = ParametersOf(in);
    PartContours part;
    try {
        part = BuildPartContours(p);
    } catch (const EPartError& e) {
        FUZZ_CHECK(std::strlen(e.what()) > 0);
        return 0;
    }
    CheckContours(p, part);
    CheckOffsetAgainstPolylines(p, part);
    const PartMetrics m = MeasurePart(p, part);
    FUZZ_CHECK(std::isfinite(m.area) && m.area >= 0 && std::isfinite(m.perimeter));
    FUZZ_CHECK(m.contours == static_cast<int>(part.contours.size()));
    return 0;
}
