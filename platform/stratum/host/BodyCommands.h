// Host driver commands that call the modeler's body operations through its slots, as the
// drawing database does: transform, snap points, characteristic points, extents, perimeter.
#pragma once

#include "stratum/Modeler.h"

int commandTransform(CModeler& modeler, int argc, char** args);
int commandSnap(CModeler& modeler, int argc, char** args);
int commandPoints(CModeler& modeler, int argc, char** args);
int commandExtents(CModeler& modeler, int argc, char** args);
int commandPerimeter(CModeler& modeler, int argc, char** args);
