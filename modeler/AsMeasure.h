// The host's measuring questions about a body: its characteristic points (slot 74), its
// extents under a placement (slot 75) and the perimeter of a region (slot 76).
#pragma once

#include "stratum/Modeler.h"

#include <vector>

class AsBodyCache;
class BODY;

// Vertex positions, then the centres of spheres without loops and of plane faces bounded by
// one closed elliptic edge. The body's transform must have been baked into its geometry.
void AsCollectCharacteristicPoints(BODY* body, std::vector<ModelerPoint>& out);

// Slot 74: appends the body's characteristic points to the host's vector. Returns true;
// throws std::exception (vector untouched) on failure.
bool AsCharacteristicPoints(AsBodyCache& cache, const CDbAcisEntityData& record,
                            HostVector<ModelerPoint>& out);

// Slot 75: the box of the body placed by its own transform followed by the matrix.
bool AsExtents(AsBodyCache& cache, const CDbAcisEntityData& record, double* low, double* high,
               const ModelerMatrix* matrix);

// The length of the boundary of the first face of the first shell of the first lump, as the
// body's transform places it; throws std::exception (NULL_ENTITY) when there is no face.
double AsRegionPerimeter(BODY* body);

// Slot 76: the perimeter of a region (type 2) record; false for any other type, without a
// lookup and without touching out.
bool AsPerimeter(AsBodyCache& cache, const CDbAcisEntityData& record, double* out);
