// Moving bodies: the host's matrix as a kernel transform, and the transform operation that
// writes a moved body into another record (slot 7).
#pragma once

#include "solidkernel/vecmath.h"
#include "stratum/Modeler.h"

class AsBodyCache;

// The host's matrix (three axes, then the translation) as a transform: the axes scaled by
// the cube root of their determinant's size, that scale, and the flags. Throws
// std::exception, with the last error number set, for a null or singular matrix
// (SINGULAR_TRANSFORM) and for one that shears or scales unevenly (NOT_CONFORMAL_TRANSFORM):
// bodies keep only rotations, reflections and uniform scales.
SPAtransf AsConvertMatrix(const ModelerMatrix* matrix);

// Moves the source record's body by the matrix and writes it, saved as SAT text with the
// source's type, into the destination record, whose entry the cache then holds. The source
// record is not changed. Returns true; throws std::exception on failure.
bool AsTransformRecord(AsBodyCache& cache, const CDbAcisEntityData& source,
                       CDbAcisEntityData& destination, const ModelerMatrix* matrix);
