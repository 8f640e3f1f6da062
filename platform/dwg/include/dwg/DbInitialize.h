// Start and stop of the drawing library. Calls nest: the services of the first
// odInitialize stay in force until the matching last odUninitialize.
#pragma once

#include "dwg/RxSystemServices.h"

// Raises OdError(eNullPtr) for null services.
void odInitialize(OdRxSystemServices* services);
// Raises OdError(eNotInitialized) when there was no matching odInitialize.
void odUninitialize();

// How often each was called in this process: lets a host check its bracketing.
struct OdDbInitCounts {
    long initializeCalls;
    long uninitializeCalls;
};
OdDbInitCounts odDbInitCounts();
