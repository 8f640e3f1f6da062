// Entry points for the host driver (stats, save and display checks from the command line):
// they run the bridge's own restore, cache and save, and answer in host strings. The host
// proper never calls them.
#pragma once

#include "stratum/EntityData.h"
#include "stratum/HostString.h"

extern "C" {
// One JSON line: whether the text restores as one body, and the records it holds by kind
// and attribute type name. Returns 1, or 0 when the text cannot be read at all.
int solvaneDriverStats(const CDbAcisEntityData* record, HostString* json);
// The record's body saved back as SAT 6.0 by the bridge. Returns 1, or 0 with a one-line
// reason.
int solvaneDriverSave(const CDbAcisEntityData* record, HostString* sat, HostString* reason);
// Display blocks (records and point arrays) handed to the host and not yet freed through
// the modeler.
long solvaneDriverDisplayBlocks();
}
