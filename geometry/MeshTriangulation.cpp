// The faces of a solid's top and bottom come from CGAL's constrained
// Delaunay triangulation (libcgal-dev, header only): it keeps every ring
// edge as an edge of the triangulation, handles holes and rings that touch
// at a point, and decides orientations with exact predicates, so that near
// collinear points of flattened arcs never give folded or missing triangles.
// Its templates are costly to compile, so this file is the only one that
// includes CGAL.
#include "geometry/MeshTriangulation.h"

#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_face_base_with_info_2.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>

#include <deque>
#include <utility>

#include "geometry/SolidErrors.h"
#include "model/Errors.h"

namespace polygrav {

namespace {

struct FaceInfo {
    // How many ring edges a path from outside crosses to reach the face;
    // -1 until known.
    int nesting = -1;
    bool inside() const { return nesting % 2 == 1; }
};

using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using VertexBase = CGAL::Triangulation_vertex_base_with_info_2<std::uint32_t, Kernel>;
using FaceInfoBase = CGAL::Triangulation_face_base_with_info_2<FaceInfo, Kernel>;
using FaceBase = CGAL::Constrained_triangulation_face_base_2<Kernel, FaceInfoBase>;
using DataStructure = CGAL::Triangulation_data_structure_2<VertexBase, FaceBase>;
using Triangulation =
    CGAL::Constrained_Delaunay_triangulation_2<Kernel, DataStructure, CGAL::Exact_predicates_tag>;
using Face = Triangulation::Face_handle;

// Gives every face its nesting: a breadth-first walk from the infinite face
// that counts one more ring each time it crosses a constrained edge.
void MarkNesting(Triangulation& cdt) {
    std::deque<std::pair<Face, int>> borders{{cdt.infinite_face(), 0}};
    while (!borders.empty()) {
        const auto [start, level] = borders.front();
        borders.pop_front();
        if (start->info().nesting != -1) continue;
        std::deque<Face> queue{start};
        start->info().nesting = level;
        while (!queue.empty()) {
            const Face face = queue.front();
            queue.pop_front();
            for (int i = 0; i < 3; ++i) {
                const Face next = face->neighbor(i);
                if (next->info().nesting != -1) continue;
                if (cdt.is_constrained({face, i})) {
                    borders.emplace_back(next, level + 1);
                } else {
                    next->info().nesting = level;
                    queue.push_back(next);
                }
            }
        }
    }
}

}  // namespace

RegionTriangulation TriangulateRegion(const std::vector<PlanePoint>& points,
                                      const std::vector<std::vector<std::uint32_t>>& rings) {
    // Only the rings' points take part; each once.
    std::vector<char> used(points.size(), 0);
    std::vector<std::pair<Kernel::Point_2, std::uint32_t>> located;
    for (const auto& ring : rings) {
        for (const std::uint32_t i : ring) {
            if (used[i]) continue;
            used[i] = 1;
            located.emplace_back(Kernel::Point_2(points[i].x, points[i].y), i);
        }
    }
    Triangulation cdt;
    cdt.insert(located.begin(), located.end());
    if (cdt.number_of_vertices() != located.size()) throw EPartError(SolidOutlineCrossesMessage());

    std::vector<Triangulation::Vertex_handle> handles(points.size());
    for (auto v = cdt.finite_vertices_begin(); v != cdt.finite_vertices_end(); ++v) {
        handles[v->info()] = v;
    }
    for (const auto& ring : rings) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            cdt.insert_constraint(handles[ring[i]], handles[ring[(i + 1) % ring.size()]]);
        }
    }
    // A crossing of two ring edges adds a point of its own.
    if (cdt.number_of_vertices() != located.size()) throw EPartError(SolidOutlineCrossesMessage());

    MarkNesting(cdt);
    RegionTriangulation result;
    for (auto face = cdt.finite_faces_begin(); face != cdt.finite_faces_end(); ++face) {
        if (!face->info().inside()) continue;
        result.triangles.push_back(
            {face->vertex(0)->info(), face->vertex(1)->info(), face->vertex(2)->info()});
        for (int i = 0; i < 3; ++i) {
            if (cdt.is_constrained({face, i}) && !face->neighbor(i)->info().inside()) {
                // The edge opposite vertex i, in the face's counter-clockwise
                // order, has the face on its left.
                result.boundary.push_back({face->vertex(Triangulation::ccw(i))->info(),
                                           face->vertex(Triangulation::cw(i))->info()});
            }
        }
    }
    return result;
}

}  // namespace polygrav
