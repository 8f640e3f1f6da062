// Hooks for tests: record the life-cycle calls the kernel receives, and make one named
// call fail the next time it is made.
#pragma once

#include "solidkernel/outcome.h"

#include <string>
#include <vector>

namespace kernel_test {

// Names of the life-cycle calls received since the last reset, in order; a failed call
// is recorded with a trailing "!" ("initialize_law!").
std::vector<std::string> callLog();
void resetCallLog();

// The next call of the named function fails with the given error number. Several names may
// be armed at once; an empty name disarms them all. Besides the life-cycle calls, these can
// be armed: api_facet_curve, api_face_nu_nv_isolines, api_facet_entity, api_get_face_facets
// (they appear in the call log only when armed).
void failNextCall(const std::string& name, err_mess_type errorNumber = 10);

// 1 while the component (or "modeller") is initialised, 0 otherwise.
int initialisationCount(const std::string& component);

// How many times api_restore_entity_list_file was called since the process started.
long restoreCalls();

}  // namespace kernel_test
