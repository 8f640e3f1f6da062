// SAT texts of small bodies whose geometry the tests know exactly: an axis-aligned box, a
// wire of one arc, a whole sphere; and independent sampling of restored geometry.
#pragma once

#include "solidkernel/kernelapi.h"

#include <string>
#include <vector>

namespace body_fixture {

// A box [low, high] as one lump of six planar faces (version 7.0 text).
std::string boxText(const SPAposition& low, const SPAposition& high);
// A square region: one planar face of four line edges, corners (0,0,0) and (side,side,0).
std::string squareRegionText(double side);
// A wire body of one edge on the circle of the given radius about the origin in the xy
// plane, running over [start, end] of the edge's own parameter; reversed runs the edge
// against the circle (curve parameter = -edge parameter).
std::string arcWireText(double radius, double start, double end, bool reversed);
// A wire body of one procedural curve edge: a cubic spline through the four control points,
// its parameter running from 0 to 2.
std::string splineWireText(const SPAposition (&points)[4]);
// A whole sphere: one face without loops.
std::string sphereText(const SPAposition& centre, double radius);
// Half a sphere, bounded by its equator in the xy plane: the upper half when north.
std::string hemisphereText(const SPAposition& centre, double radius, bool north);

// Points along every edge of the entity at n + 1 evenly spaced edge parameters, evaluated
// here from the curve data (not through the kernel's edge evaluation).
std::vector<SPAposition> edgeSamples(ENTITY* entity, int n);
// The position of a curve at its own parameter, computed from its stored data.
SPAposition curvePoint(const CURVE& curve, double t);

}  // namespace body_fixture
