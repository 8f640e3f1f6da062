// Import/export decoration of the plot style table component's interface. Code linked
// with the component's static core (its own tests) defines VEXOUTILS_STATIC.
#pragma once

#if defined(_WIN32) && defined(VEXOUTILS_BUILDING)
#define VEXOUTILS_API __declspec(dllexport)
#elif defined(_WIN32) && !defined(VEXOUTILS_STATIC)
#define VEXOUTILS_API __declspec(dllimport)
#else
#define VEXOUTILS_API
#endif
