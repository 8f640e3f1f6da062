// Faceting the faces of one body: every edge is divided once (finely enough for the faces on
// both sides, and at the seams of periodic faces), then each face is meshed from the points
// of its edges. Used by api_facet_entity.
#pragma once

#include "SurfaceParam.h"
#include "solidkernel/faceter.h"
#include "solidkernel/topology.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class FaceDomain;
struct BoundaryNode;

class BodyFaceter {
public:
    // transform: the body's, applied to the output (may be null).
    BodyFaceter(const REFINEMENT& refinement, const SPAtransf* transform);

    // The mesh of each face that has one.
    std::map<const FACE*, std::unique_ptr<POLYGON_POINT_MESH>> run(const std::vector<FACE*>& faces);

    // Angle (radians) neighbouring mesh points' normals may differ by.
    double step() const { return step_; }

private:
    struct EdgePoints {
        const EDGE* edge = nullptr;
        std::vector<double> params;  // edge parameters, in the edge's order
        std::vector<SPAposition> points;
        std::vector<int> ids;
    };

    const SurfaceParam* surfaceOf(const FACE* face);
    int edgePoints(const EDGE* edge);
    void divide(EdgePoints& points);
    std::vector<std::vector<BoundaryNode>> loopsOf(const FACE* face);
    void splitAtSeams(const FACE* face);
    void numberNodes();
    std::unique_ptr<POLYGON_POINT_MESH> mesh(const FACE* face);

    REFINEMENT refinement_;
    const SPAtransf* transform_;
    double step_;
    std::vector<EdgePoints> edges_;
    std::unordered_map<const EDGE*, int> edgeIndex_;
    std::unordered_map<const SURFACE*, std::unique_ptr<SurfaceParam>> surfaces_;
    std::unordered_map<const VERTEX*, int> vertexIds_;
    std::vector<SPAposition> nodes_;  // position of each boundary node id
};
