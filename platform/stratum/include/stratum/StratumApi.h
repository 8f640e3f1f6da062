// Import/export decoration of the host library's interface.
#pragma once

#if defined(_WIN32) && defined(STRATUM_BUILDING)
#define STRATUM_API __declspec(dllexport)
#elif defined(_WIN32)
#define STRATUM_API __declspec(dllimport)
#else
#define STRATUM_API
#endif
