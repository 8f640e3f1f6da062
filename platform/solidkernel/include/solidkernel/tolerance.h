// Tolerances of the kernel, in one place: every geometric comparison names one of these.
#pragma once

constexpr double SPAresabs = 1e-6;   // absolute distance below which two points are one
constexpr double SPAresnor = 1e-10;  // relative (normalised) tolerance
