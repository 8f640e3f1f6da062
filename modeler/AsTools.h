// Shared helpers of the bridge: the last kernel error number and the outcome check that
// turns a failed kernel outcome into a std::exception.
#pragma once

#include "solidkernel/outcome.h"

// The error number of the most recent kernel call that went through the outcome check.
int asLastError();
void asSetLastError(int errorNumber);

// Stores the outcome's error number as the last error; throws a std::exception when the
// outcome failed.
void AsOutcomeCheck(const outcome& result);
