// The colour a face or edge is drawn in: its own, or that of the nearest owner that has
// one, from the host's colour attribute or the kernel's; 256 when none has one.
#pragma once

class ENTITY;

// With attach, a kernel colour found on a face is also given to the face and to those of
// its edges that have no colour of their own, and one found on an edge to the edge, as
// host colour attributes (which stay with the body and are saved with it).
int AsColorLookup(ENTITY* entity, bool attach);
