// File search of the in-house common library: finds a file by name in the places the
// suite installs its modules. Callers pass a buffer and get the full path back.
#pragma once

#if defined(_WIN32) && defined(VEXOCOMMON_BUILDING)
#define VEXOCOMMON_API __declspec(dllexport)
#elif defined(_WIN32)
#define VEXOCOMMON_API __declspec(dllimport)
#else
#define VEXOCOMMON_API
#endif

class VEXOCOMMON_API GlobalSearch {
public:
    enum Result {
        kFound = 5100,
        kNotFound = 5101,
        kBufferTooSmall = 5102,
        kBadArguments = 5103,
    };

    // Looks for `fileName` and writes its full path, NUL-terminated, into `buffer`.
    // `searchPath` lists folders to look in first (separated by ';'), or is null. Then come
    // the folder of the running program, the current folder and the folders of PATH. A
    // name with a folder part is only checked as it stands. Answers one of Result.
    static int Find(const char* searchPath, const char* fileName, char* buffer, unsigned int bufferSize);
};
