// Starting and stopping the solid-modeling kernel for the bridge: each component started
// is remembered in a flag, so shutdown undoes exactly what start-up did.
#pragma once

namespace AsKernelSession {

enum Flag : unsigned {
    kBase = 1,
    kLaw = 2,
    kKernel = 4,
    kSpline = 8,
    kFaceter = 0x10,
    kRendering = 0x20,
};

// Runs the start-up sequence; throws std::exception at the first failure (flags of the
// components started so far stay set).
void start();
// Runs the shutdown sequence for the flags that are set; a failure ends it where it is and
// is swallowed.
void shutdown();
unsigned flags();

}  // namespace AsKernelSession
