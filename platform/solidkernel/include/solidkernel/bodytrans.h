// Changing the transform a body carries without moving the body: its geometry takes up
// the difference.
#pragma once

#include "solidkernel/outcome.h"
#include "solidkernel/topology.h"

class AcisOptions;  // options of an API call; none are read here

// Gives the body newTransform (its inverse when negate is set) and moves every point, curve
// and surface of the body so that the body stays where it was. With a null newTransform
// the body's transform is baked into its geometry and the body is left without one, so
// that coordinates read from its geometry are model coordinates. Fails, changing nothing,
// for a singular transform, a transform that shears or scales unevenly (which curves and
// surfaces cannot take up), or geometry whose data holds positions the kernel cannot move.
outcome api_change_body_trans(BODY* body, TRANSFORM* newTransform, logical negate = 0,
                              AcisOptions* options = nullptr);
