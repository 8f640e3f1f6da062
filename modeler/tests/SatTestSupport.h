// Helpers of the SAT tests: sample files, restoring and saving text through the bridge's
// stream, and a summary of a restored model.
#pragma once

#include "AsSatStream.h"
#include "SampleFiles.h"
#include "solidkernel/kernelapi.h"

#include <map>
#include <string>
#include <vector>

namespace sat_test {

// Restores text; the outcome's error number (0 on success) and the top-level entities.
int restore(const std::string& text, ENTITY_LIST& list);
// Saves the list as the current save version; empty on failure.
std::string save(ENTITY_LIST& list);
void deleteAll(ENTITY_LIST& list);
// Makes the kernel save 6.0 with the bridge's file information.
void useBridgeSaveSettings();

// Everything reachable from the list, in save order.
std::vector<ENTITY*> reachable(ENTITY_LIST& list);
// Records by type name ("face", "color-adesk-attrib", ...).
std::map<std::string, int> countByType(ENTITY_LIST& list);
// The full type chain of a record as it is saved.
std::string typeChain(ENTITY* entity);

}  // namespace sat_test
