// Import/export decoration of the plot style table component's interface.
#pragma once

#if defined(_WIN32) && defined(VEXOUTILS_BUILDING)
#define VEXOUTILS_API __declspec(dllexport)
#elif defined(_WIN32)
#define VEXOUTILS_API __declspec(dllimport)
#else
#define VEXOUTILS_API
#endif
