#pragma once

#include <vector>

#include "geometry/Lattice.h"

namespace polygrav {

// How the parts of a sheet are arranged.
enum class Arrangement {
    Densest = 0,  // the densest lattice or double lattice found
    Grid = 1,     // rows and columns of the part's box
    Brick = 2,    // rows of the part's box, each shifted by half a step
};

// One part of a pattern's cell: where its reference point lies from the
// cell's, and whether it is turned by 180°.
struct PatternPart {
    TStarPoint offset;
    bool turned = false;
};

// A periodic arrangement of parts: the motif repeated on the lattice.
struct NestingPattern {
    LatticeBasis lattice;
    std::vector<PatternPart> motif;
    Arrangement arrangement = Arrangement::Densest;

    // Part area × parts per cell ÷ cell area.
    double Density(double partArea) const;
};

// The patterns that the arrangement may use for the part's region (the
// part grown by half the gap about its reference point), densest first.
// Densest tries the lattice search, the double lattice of the part and its
// turned copy when `turn` allows it, and the grid and the brick, so that it
// is never less dense than either; the others give their one pattern.
std::vector<NestingPattern> CandidatePatterns(const NestingRegion& part, Arrangement arrangement,
                                              bool turn);

// The single patterns, for their own use and for comparison.
NestingPattern GridPattern(const NestingRegion& part);
NestingPattern BrickPattern(const NestingRegion& part);
std::optional<NestingPattern> LatticePattern(const NestingRegion& part);
std::optional<NestingPattern> DoubleLatticePattern(const NestingRegion& part);

}  // namespace polygrav
