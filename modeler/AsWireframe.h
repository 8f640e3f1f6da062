// The wireframe of a body: every face's edges once, and parameter lines across its curved
// faces, in the colours of their faces and edges.
#pragma once

#include <memory>

class AsDisplayList;
class AsDisplayPolyline;
class BODY;
class CURVE;
class ENTITY_LIST;

// Appends the body's wireframe to the list (markers around body, faces and edges), with
// `lines` parameter lines per direction of each curved face and edges divided to within
// `tolerance`. Whatever happens, no edge keeps a drawing marker and no parameter line is
// left; on failure it throws std::exception.
void AsGenerateWireframe(BODY* body, AsDisplayList& list, int lines, double tolerance);

// Divides the work list's edges (the last first) into polylines: i < faceEdges are the
// face's own edges, the rest its parameter lines. An edge drawn before in this wireframe
// is kept but marked as drawn. Runs inside the kernel's API bracket.
void AsTessellateEdges(AsDisplayList& list, ENTITY_LIST& work, int faceEdges, double tolerance);

// The points of a curve from start to end within the tolerance (at least the kernel's
// resolution): asks for 100 points and doubles the room while the answer fills it, up to
// kMostEdgePoints, whose answer (evenly spread) is kept.
constexpr int kMostEdgePoints = 65536;
std::unique_ptr<AsDisplayPolyline> AsTessellateCurve(const CURVE& curve, double start, double end,
                                                     double tolerance, unsigned kind, int colour);
