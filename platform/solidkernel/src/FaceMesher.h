// Meshing one face in its parameter plane: grid points where the surface bends, points on
// the seams and poles, the boundary's points, a constrained triangulation of them all, and
// the triangles that lie in the face.
#pragma once

#include "FaceDomain.h"

#include <array>
#include <vector>

struct FaceMeshInput {
    double step = 0.13;        // radians the normal may turn between neighbouring points
    double surfaceTol = -1.0;  // largest distance of a facet from the surface, <= 0: none
    bool grid = true;
    int maxGridLines = 50;
};

struct FaceMeshOutput {
    // Mesh points: boundary nodes keep the caller's ids; others are numbered after them.
    std::vector<int> ids;
    std::vector<SPAposition> points;
    std::vector<double> u, v;
    // Triangles as indices into the points above, counter-clockwise in (u, v), and the
    // parameters of their corners (a pole's point sits at a different place in each).
    std::vector<std::array<int, 3>> triangles;
    std::vector<std::array<double, 6>> cornerUv;
};

// Points made here get ids from firstFreeId on. False when the triangulation could not hold
// every boundary segment; the triangles are then chosen one by one and may miss a little.
bool meshFace(const FaceDomain& domain, const std::vector<LoopNodes>& loops, const FaceMeshInput& input,
              int firstFreeId, FaceMeshOutput& out);
